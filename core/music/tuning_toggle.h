#pragma once

// B: the tuning before the last whole-tuning change, and back. A class hears the same bar in two
// temperaments without looking for buttons. Whole changes are a temperament button, the
// temperament library and an opened file; moving one tone with the arrow keys is not one, so B
// after such a move goes back to the tuning before the last whole change all the same.
#include "core/tuning.h"

#include <optional>

namespace klangora {

class TuningToggle {
public:
    using Whole = Tuning;

    // A button, the library or a file replaced `before` by `after`. The same tuning again (a
    // button pressed twice) leaves the pair B compares as it was.
    void wholeChange(const Whole& before, const Whole& after) {
        if (before.positions() == after.positions()) {
            return;
        }
        m_before = before;
        m_after = after;
        m_atBefore = false;
    }
    // The tuning B switches to now, or nothing before the first whole change; each call
    // switches sides, so B, B comes back.
    std::optional<Whole> toggle() {
        if (!m_before) {
            return std::nullopt;
        }
        m_atBefore = !m_atBefore;
        return m_atBefore ? m_before : m_after;
    }
    bool available() const { return m_before.has_value(); }
    // The tuning the next toggle() switches to, without switching.
    std::optional<Whole> next() const {
        if (!m_before) {
            return std::nullopt;
        }
        return m_atBefore ? m_after : m_before;
    }

private:
    std::optional<Whole> m_before;
    std::optional<Whole> m_after;
    bool m_atBefore = false;
};

} // namespace klangora
