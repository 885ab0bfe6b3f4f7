#include "core/rounding.h"

#include <cmath>

namespace klangora {

std::int64_t truncTowardZero(long double value) {
    return static_cast<std::int64_t>(std::trunc(value));
}

} // namespace klangora
