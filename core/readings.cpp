#include "core/readings.h"

#include "core/rounding.h"

#include <cmath>

namespace klangora {

long double displayFrequencyHz(long double cents) {
    // 2^(cents/1200), through the base-10 logarithm of 2 as the panel has always reckoned it.
    const long double ratio = std::pow(10.0L, std::log10(2.0L) * cents / 1200.0L);
    return ratio * kFixedCHz;
}

long double frequencyReadout(long double cents) {
    return roundHalfEven(displayFrequencyHz(cents) * 10.0L) / 10.0L;
}

long double centReadout(long double cents) {
    return roundHalfEven(cents * 10.0L) / 10.0L;
}

long double deviationReadout(long double intervalCents, long double pureCents) {
    return roundHalfEven((intervalCents - pureCents) * 10.0L) * 0.1L;
}

long double thirdBeatsPerSecond(long double rootHz, long double thirdHz) {
    return std::fabs(5.0L * rootHz - 4.0L * thirdHz);
}

long double fifthBeatsPerSecond(long double rootHz, long double fifthHz) {
    return std::fabs(3.0L * rootHz - 2.0L * fifthHz);
}

} // namespace klangora
