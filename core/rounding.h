#pragma once

#include <cstdint>

namespace klangora {

// Round to the nearest integer; a value exactly halfway goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). This is the one rounding of the whole program.
std::int64_t roundHalfEven(long double value);

// Cut towards zero: -3.7 -> -3, 3.7 -> 3.
std::int64_t truncTowardZero(long double value);

} // namespace klangora
