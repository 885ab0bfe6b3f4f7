#pragma once

// The three ear exercises, in the order of their tabs.
namespace klangora {

enum class ExerciseKind { pureOrTempered, tunePure, whichTemperament };

} // namespace klangora
