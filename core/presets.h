#pragma once

#include "core/tone_table.h"

#include <array>
#include <string_view>

namespace klangora {

// The seven temperaments, in the order of their buttons from the top of the window.
enum class PresetId { pyt, ren, praet, bach, werck1, werck3, lige };

inline constexpr std::array<PresetId, 7> kAllPresets = {
    PresetId::pyt,    PresetId::ren,    PresetId::praet, PresetId::bach,
    PresetId::werck1, PresetId::werck3, PresetId::lige};

struct PresetInfo {
    std::string_view id;           // short name: "pyt", "ren", ...
    std::string_view caption;      // text on the button (UTF-8)
    std::string_view stemningText; // what the preset writes into the temperament caption
};

const PresetInfo& presetInfo(PresetId id);

// The eleven target positions of the preset, slider 2 (C#) first.
SliderPositions presetPositions(PresetId id);

} // namespace klangora
