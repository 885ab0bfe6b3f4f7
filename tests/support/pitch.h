#pragma once

// Pitches read off recorded samples, for the tests that listen to the live instrument.
#include <cstdint>
#include <span>
#include <vector>

namespace klangora::test_support {

// The samples of an unsigned 8-bit recording around its midpoint 128, as -1..1.
std::vector<double> centredSamples(std::span<const std::uint8_t> recording);

// The longest part of a recording that sounds without a break: no run of silence (128) of
// breakSamples or more inside it, as a server leaves where a client fell behind. Empty when
// nothing sounded. A longer breakSamples finds a held sound with its breaks and all.
inline constexpr std::size_t kBreakSamples = 20;
// Every part of a recording that sounds without such a break, in order.
std::vector<std::span<const std::uint8_t>> unbrokenParts(std::span<const std::uint8_t> recording,
                                                         std::size_t breakSamples = kBreakSamples);
std::span<const std::uint8_t> soundingPart(std::span<const std::uint8_t> recording,
                                           std::size_t breakSamples = kBreakSamples);

// How many breaks (runs of silence of kBreakSamples or more) lie between a recording's first and
// last sound: each is a moment the server ran out of samples (or a fading sound too quiet for
// the recording's eight bits).
int breaksIn(std::span<const std::uint8_t> recording);

// How strongly a frequency is present: the magnitude of the Hann-windowed Fourier sum at it.
double magnitudeAt(std::span<const double> samples, int sampleRate, double hz);

// The frequency between lowHz and highHz with the largest magnitude, searched on a grid of
// stepHz and refined by a parabola through the best point and its neighbours.
double strongestHz(std::span<const double> samples, int sampleRate, double lowHz, double highHz,
                   double stepHz = 0.05);

} // namespace klangora::test_support
