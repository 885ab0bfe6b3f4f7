#pragma once

// A tuning named on the command line: one of the seven buttons' temperaments by its name or id
// ("werckmeister3", "ligesvævende", "pyt", ...), one of the temperament library's ids
// ("vallotti", ...), or a Scala file (.scl).
#include "core/scala_scale.h"
#include "core/tuning.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace klangora {

struct NamedTuning {
    std::string caption; // the button's, library's or file's name (UTF-8)
    Tuning tuning;       // named as its button, library entry or file
};

struct TuningNameError {
    enum class Kind { unknown, unreadableFile, notAScale } kind = Kind::unknown;
    std::string name;
    ScalaError scala; // notAScale
};

using TuningNameResult = std::variant<NamedTuning, TuningNameError>;

// The tuning the program starts in, and plays a piece in when no other is named.
inline constexpr std::string_view kDefaultTuningName = "pyt";

TuningNameResult resolveTuningName(std::string_view name);

// Why the name names no tuning, as one Danish sentence (UTF-8).
std::string tuningNameReason(const TuningNameError& error);

} // namespace klangora
