#pragma once

#include <cstdint>

namespace klangora {

// Round to the nearest integer; a value exactly halfway goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). This is the one rounding of the whole program, usable in
// constants too. Written out rather than std::rint, so that the result never depends on the
// floating-point environment's rounding mode.
constexpr std::int64_t roundHalfEven(long double value) {
    auto lower = static_cast<std::int64_t>(value); // towards zero ...
    if (static_cast<long double>(lower) > value) {
        --lower; // ... and down for negative values
    }
    const long double rest = value - static_cast<long double>(lower);
    if (rest > 0.5L || (rest == 0.5L && lower % 2 != 0)) {
        ++lower;
    }
    return lower;
}

// Cut towards zero: -3.7 -> -3, 3.7 -> 3.
std::int64_t truncTowardZero(long double value);

} // namespace klangora
