#pragma once

// A temperament as FluidSynth's key tuning: the pitch of each of the 128 keys in its absolute
// cents, where key 69 of equal temperament (a' = 440 Hz) lies at 6900.
#include "sound/fluid/font_calibration.h"

#include <array>

namespace klangora {

using KeyTuningCents = std::array<double, 128>;

// FluidSynth 2.3 turns a pitch into a frequency through a table of whole cents, dropping the
// fraction: a key tuned to 6407.82 cents sounds at 6407, 0.82 cents (0.16 Hz at e') flat, which
// would shift every beat the learner counts. So each played channel gets a vibrato of +-0.5
// cents, a triangle that FluidSynth samples every 64 samples, and every key half a cent more:
// the whole cent below and the one above then alternate in just the proportion that makes the
// mean pitch the tuned one (for a value spread evenly over one cent, the mean of its whole part is
// its mean less half a cent). The wobble, a cent wide at some 33 Hz, lies far below hearing.
inline constexpr double kDitherCents = 0.5;      // the vibrato's depth, and the keys' offset
inline constexpr double kDitherRateCents = 2400; // the vibrato four times its default 8.2 Hz

// The keys of a tuning given as the cents of c .. h above the fixed c (MIDI note 60 at the live
// voices' reference pitch), octaves exactly 2:1: the same pitches the own voices sound, plus the
// half cent the dither takes away again.
// Each key also gets its correction for the font's own error.
KeyTuningCents fluidKeyTuning(const std::array<double, 12>& centsAboveC,
                              const KeyCorrections& corrections);

// FluidSynth's absolute cents of a frequency, and back.
double fluidCentsFromHz(double hz);
double hzFromFluidCents(double cents);

} // namespace klangora
