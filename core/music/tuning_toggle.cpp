#include "core/music/tuning_toggle.h"

namespace klangora {

void TuningToggle::wholeChange(const WholeTuning& before, const WholeTuning& after) {
    // The same tuning again (a button pressed twice) leaves nothing to compare with it.
    if (before.positions == after.positions) {
        return;
    }
    m_before = before;
    m_after = after;
    m_atBefore = false;
}

std::optional<WholeTuning> TuningToggle::toggle() {
    if (!m_before) {
        return std::nullopt;
    }
    m_atBefore = !m_atBefore;
    return m_atBefore ? m_before : m_after;
}

} // namespace klangora
