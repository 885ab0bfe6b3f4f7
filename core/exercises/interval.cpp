#include "core/exercises/interval.h"

#include "core/readings.h"

#include <cmath>

namespace klangora {

int intervalSemitones(IntervalKind kind) {
    return kind == IntervalKind::third ? 4 : 7;
}

double pureRatio(IntervalKind kind) {
    return kind == IntervalKind::third ? 5.0 / 4.0 : 3.0 / 2.0;
}

double pureIntervalCents(IntervalKind kind) {
    return static_cast<double>(kind == IntervalKind::third ? kPureThirdCents : kPureFifthCents);
}

double intervalBeatsPerSecond(IntervalKind kind, double lowerHz, double upperHz) {
    const long double beats = kind == IntervalKind::third ? thirdBeatsPerSecond(lowerHz, upperHz)
                                                          : fifthBeatsPerSecond(lowerHz, upperHz);
    return static_cast<double>(beats);
}

double temperedBeatsPerSecond(IntervalKind kind, double lowerHz, double temperingCents) {
    const double upperHz = shiftedByCents(lowerHz * pureRatio(kind), temperingCents);
    return intervalBeatsPerSecond(kind, lowerHz, upperHz);
}

double shiftedByCents(double frequencyHz, double cents) {
    return frequencyHz * std::exp2(cents / 1200.0);
}

} // namespace klangora
