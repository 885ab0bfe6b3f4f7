#pragma once

// B: the tuning before the last whole-tuning change, and back. A class hears the same bar in two
// temperaments without looking for buttons. Whole changes are a temperament button, the
// temperament library and an opened file; moving one tone with the arrow keys is not one, so B
// after such a move goes back to the tuning before the last whole change all the same.
#include "core/tone_table.h"

#include <optional>
#include <string>

namespace klangora {

struct WholeTuning {
    SliderPositions positions{};
    std::string caption; // what the window's caption says of it (UTF-8)
    bool operator==(const WholeTuning&) const = default;
};

class TuningToggle {
public:
    // A button, the library or a file replaced `before` by `after`.
    void wholeChange(const WholeTuning& before, const WholeTuning& after);
    // The tuning B switches to now, or nothing before the first whole change; each call
    // switches sides, so B, B comes back.
    std::optional<WholeTuning> toggle();
    bool available() const { return m_before.has_value(); }

private:
    std::optional<WholeTuning> m_before;
    std::optional<WholeTuning> m_after;
    bool m_atBefore = false;
};

} // namespace klangora
