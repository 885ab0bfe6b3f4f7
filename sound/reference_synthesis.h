#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace klangora {

// The chord's waveform: every voice sounds its odd partials 1, 3 and 5, the third at -0.11 and
// the fifth at 0.041 divided by 10 for three voices or by 11 for four. The program plays only
// three- and four-voice chords; any other number of voices is weighed like three.
inline constexpr long double kThirdPartialWeight = 0.11L;
inline constexpr long double kFifthPartialWeight = 0.041L;
constexpr int fifthPartialDivisor(std::size_t voiceCount) {
    return voiceCount == 4 ? 11 : 10;
}

// The phase of a voice at sampleIndex, formed afresh for every sample so that nothing drifts:
// 2 * sampleIndex as an integer, times pi, times the frequency, divided by the sample rate,
// each step in extended precision, and the result handed on as a double.
double referencePhase(int sampleIndex, double frequencyHz, int sampleRate);

// W for the given voice phases, summed in extended precision and rounded to double.
double chordWave(std::span<const double> phases);
double waveThreeVoices(double a1, double a2, double a3);
double waveFourVoices(double a1, double a2, double a3, double a4);

// The low 8 bits of 127 + Trunc(amplitude * wave); the product is exact in extended precision,
// so the truncation sees the true value (-3.7 gives 124, +3.7 gives 130).
std::uint8_t sampleByte(std::uint8_t amplitude, double wave);

// One sample of a chord, computed the straightforward way.
std::uint8_t referenceSample(std::span<const double> frequenciesHz, int sampleIndex,
                             std::uint8_t amplitude, int sampleRate);

// The whole image of a chord, every sine evaluated in extended precision. This is the
// definition of the sound; the fast synthesis must reproduce it byte for byte.
std::vector<std::uint8_t> referenceChordImage(std::span<const double> frequenciesHz, int durationMs,
                                              std::uint8_t amplitude, int sampleRate);

} // namespace klangora
