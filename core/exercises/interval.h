#pragma once

// The two intervals the exercises train the ear on, and how fast they beat when they are not
// pure.
namespace klangora {

enum class IntervalKind { third, fifth };

// Semitones above the lower tone: 4 for the major third, 7 for the fifth.
int intervalSemitones(IntervalKind kind);

// 5/4 or 3/2.
double pureRatio(IntervalKind kind);

// 386.314 or 701.955 cents.
double pureIntervalCents(IntervalKind kind);

// Beats per second of the interval between two tones: the partials that coincide when the
// interval is pure (5 of the root against 4 of the third, 3 of the root against 2 of the fifth).
double intervalBeatsPerSecond(IntervalKind kind, double lowerHz, double upperHz);

// The beats of the interval on lowerHz made `temperingCents` wider than pure (or, negative,
// narrower).
double temperedBeatsPerSecond(IntervalKind kind, double lowerHz, double temperingCents);

// The frequency `cents` above (or below) frequencyHz.
double shiftedByCents(double frequencyHz, double cents);

} // namespace klangora
