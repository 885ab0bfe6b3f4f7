#include "sound/fluid/output_volume.h"

#include <algorithm>
#include <cmath>

namespace klangora {

void OutputVolume::set(double amplitude) {
    m_target.store(std::clamp(amplitude, 0.0, 1.0), std::memory_order_relaxed);
}

void OutputVolume::apply(std::span<float> samples, int sampleRate) {
    const double target =
        m_muted.load(std::memory_order_relaxed) ? 0.0 : m_target.load(std::memory_order_relaxed);
    const double step = 1.0 / (kRampSeconds * sampleRate); // the full range in kRampSeconds
    for (float& sample : samples) {
        if (m_current != target) {
            m_current = m_current < target ? std::min(target, m_current + step)
                                           : std::max(target, m_current - step);
        }
        sample = static_cast<float>(sample * m_current);
    }
}

} // namespace klangora
