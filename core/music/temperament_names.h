#pragma once

// The names the seven buttons' temperaments go by on the command line: each one's own name in
// English and in Danish, and the button's short id, which scripts written earlier keep using
// with its old meaning ("werck1" is Werckmeister III, "werck3" Werckmeister V).
#include "core/presets.h"

#include <optional>
#include <string>
#include <string_view>

namespace klangora {

// The temperament a name means, read without regard to case (Danish letters included).
std::optional<PresetId> presetNamed(std::string_view name);

// Whether two names are the same, read without regard to case.
bool sameName(std::string_view a, std::string_view b);

// Every name, the temperaments' in button order, the English name first and the button's id
// last: "pythagorean/pythagoræisk/pyt, just/ren, ..." (UTF-8); without the Danish names for an
// English text.
std::string presetNamesText(bool withDanishNames = true);

// The library's ids, in its order: "meantone6, meantone5, ...".
std::string libraryIdsText();

} // namespace klangora
