#pragma once

// A temperament as FluidSynth's key tuning: the pitch of each of the 128 keys in its absolute
// cents, where key 69 of equal temperament (a' = 440 Hz) lies at 6900.
#include <array>

namespace klangora {

using KeyTuningCents = std::array<double, 128>;

// The keys of a tuning given as the cents of c .. h above the fixed c (MIDI note 60 at the live
// voices' reference pitch), octaves exactly 2:1: the same pitches the own voices sound.
KeyTuningCents fluidKeyTuning(const std::array<double, 12>& centsAboveC);

// FluidSynth's absolute cents of a frequency, and back.
double fluidCentsFromHz(double hz);
double hzFromFluidCents(double cents);

} // namespace klangora
