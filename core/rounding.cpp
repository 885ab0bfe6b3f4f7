#include "core/rounding.h"

#include <cmath>

namespace klangora {

std::int64_t roundHalfEven(long double value) {
    // Explicit rather than std::rint, so that the result never depends on the
    // floating-point environment's rounding mode.
    const long double lower = std::floor(value);
    const long double rest = value - lower;
    auto result = static_cast<std::int64_t>(lower);
    if (rest > 0.5L || (rest == 0.5L && result % 2 != 0)) {
        ++result;
    }
    return result;
}

std::int64_t truncTowardZero(long double value) {
    return static_cast<std::int64_t>(std::trunc(value));
}

} // namespace klangora
