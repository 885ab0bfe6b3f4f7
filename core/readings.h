#pragma once

#include "core/musical_facts.h"

namespace klangora {

// What the learner reads off a tuning: the pitches as the readout panel states them (from
// C = 261.6 Hz, not the 261 Hz the sound is built on), how far a third or fifth lies from pure,
// and how fast it beats.

// The pitch of a tone `cents` above C, unrounded, from C = 261.6 Hz.
long double displayFrequencyHz(long double cents);

// The panel's numbers, each rounded to a tenth (halves to even).
long double frequencyReadout(long double cents);
long double centReadout(long double cents);
long double deviationReadout(long double intervalCents, long double pureCents);

// Beats per second of a major third: the root's fifth partial against the third's fourth,
// which coincide when the third is pure.
long double thirdBeatsPerSecond(long double rootHz, long double thirdHz);

// Beats per second of a fifth: the root's third partial against the fifth's second.
long double fifthBeatsPerSecond(long double rootHz, long double fifthHz);

} // namespace klangora
