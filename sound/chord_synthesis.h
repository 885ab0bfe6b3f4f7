#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace klangora {

// What the fast synthesis did for one chord.
struct SynthesisReport {
    int exactSamples = 0;   // samples near a truncation boundary, computed the reference way
    double guardBand = 0.0; // half-width of the band around the boundaries, in sample steps
};

// The WAV image of a chord of three or four voices at the given frequencies (0 Hz is a silent
// voice), byte for byte the image referenceChordImage makes, in a small fraction of its time.
std::vector<std::uint8_t> chordImage(std::span<const double> frequenciesHz, int durationMs,
                                     std::uint8_t amplitude, int sampleRate,
                                     SynthesisReport* report = nullptr);

// The band around every non-zero integer within which amplitude * W could truncate to another
// integer than the reference's, given a bound on the error of W; zero is no boundary of Trunc.
double truncationGuard(std::uint8_t amplitude, double waveErrorBound);

// Fills samples (sample index 0 first) by the fast synthesis and computes every sample whose
// amplitude * W lies within guard of a truncation boundary the reference way; chordImage uses
// the guard that the error bound proves. Returns how many samples were computed the reference
// way (all of them when the fast path cannot help: more than four voices, a guard of a
// quarter step or more, or one that is not a number).
int synthesizeChordSamples(std::span<const double> frequenciesHz, std::uint8_t amplitude,
                           int sampleRate, double guard, std::span<std::uint8_t> samples);

} // namespace klangora
