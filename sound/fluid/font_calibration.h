#pragma once

// A font's own tuning, measured and taken out. General MIDI fonts tune their samples by ear and
// by loop length: measured, MuseScore General's and FluidR3's harpsichord thirds above c' are 4
// cents flat and their organ's fifths 8 cents sharp, and TimGM6mb sounds c' 3 cents high. Each
// key is therefore struck once on the loading worker, before any audio thread plays the synth,
// and its fundamental measured from the samples; the tuning then asks each key for its own
// error the other way, so that every key sounds where the temperament puts it.
#include <fluidsynth/types.h>

#include <array>
#include <span>

namespace klangora {

// Cents to add to each key's pitch; 0 where no clear pitch could be measured.
using KeyCorrections = std::array<double, 128>;

// The keys measured; the ones outside take the correction of the outermost (their fundamentals
// are too low or too high to measure quickly, and they share its samples).
inline constexpr int kLowestCalibratedKey = 36;
inline constexpr int kHighestCalibratedKey = 96;

// Strikes every key of the range on the channel of a synth that is not yet tuned, one after
// the other, and measures how far it sounds from equal temperament at a' = 440 Hz.
KeyCorrections measureKeyCorrections(fluid_synth_t* synth, int channel, int sampleRate);

// How loud the channel's instrument sounds, and the own tone struck alike: the RMS of c', e' and
// g', each from the end of its attack through the span the keys are measured over, at the
// calibration's velocity. Their ratio is the gain that brings the instrument to the own tone's
// level.
double measureInstrumentLevel(fluid_synth_t* synth, int channel, int sampleRate);
double ownToneLevel(int sampleRate);

// The frequency of the component next to expectedHz (within some 40 cents), from the advance of
// its phase between two windows of the samples; 0 when there is none to speak of.
double measuredComponentHz(std::span<const float> samples, int sampleRate, double expectedHz);

} // namespace klangora
