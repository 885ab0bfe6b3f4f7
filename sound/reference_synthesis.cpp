#include "sound/reference_synthesis.h"

#include "core/rounding.h"
#include "sound/wav_image.h"

#include <cmath>
#include <numbers>

namespace klangora {

namespace {

// The three partial sums of the waveform, accumulated voice by voice in extended precision.
struct PartialSums {
    long double first = 0.0L;
    long double third = 0.0L;
    long double fifth = 0.0L;

    void add(double phase) {
        const long double a = phase; // 3a and 5a are exact in the 64-bit mantissa
        first += std::sin(a);
        third += std::sin(3.0L * a);
        fifth += std::sin(5.0L * a);
    }
};

double waveFromSums(const PartialSums& sums, std::size_t voiceCount) {
    const long double divisor = fifthPartialDivisor(voiceCount);
    const long double wave = sums.first - kThirdPartialWeight * sums.third +
                             (kFifthPartialWeight * sums.fifth) / divisor;
    return static_cast<double>(wave);
}

} // namespace

double referencePhase(int sampleIndex, double frequencyHz, int sampleRate) {
    const long double twiceIndex = 2 * sampleIndex;
    return static_cast<double>(twiceIndex * std::numbers::pi_v<long double> *
                               static_cast<long double>(frequencyHz) /
                               static_cast<long double>(sampleRate));
}

double chordWave(std::span<const double> phases) {
    PartialSums sums;
    for (double a : phases) {
        sums.add(a);
    }
    return waveFromSums(sums, phases.size());
}

double waveThreeVoices(double a1, double a2, double a3) {
    const double phases[] = {a1, a2, a3};
    return chordWave(phases);
}

double waveFourVoices(double a1, double a2, double a3, double a4) {
    const double phases[] = {a1, a2, a3, a4};
    return chordWave(phases);
}

std::uint8_t sampleByte(std::uint8_t amplitude, double wave) {
    const long double product = static_cast<long double>(amplitude) * wave;
    // A wave that is not a number can only come from a frequency that is not one; it is silent.
    const std::int64_t step = std::isfinite(product) ? truncTowardZero(product) : 0;
    return static_cast<std::uint8_t>(kSilenceSample + step);
}

std::uint8_t referenceSample(std::span<const double> frequenciesHz, int sampleIndex,
                             std::uint8_t amplitude, int sampleRate) {
    PartialSums sums;
    for (double f : frequenciesHz) {
        sums.add(referencePhase(sampleIndex, f, sampleRate));
    }
    return sampleByte(amplitude, waveFromSums(sums, frequenciesHz.size()));
}

std::vector<std::uint8_t> referenceChordImage(std::span<const double> frequenciesHz, int durationMs,
                                              std::uint8_t amplitude, int sampleRate) {
    std::vector<std::uint8_t> image = newWavImage(sampleRate, sampleCount(durationMs, sampleRate));
    const std::span<std::uint8_t> samples = wavSamples(image);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = referenceSample(frequenciesHz, static_cast<int>(i), amplitude, sampleRate);
    }
    return image;
}

} // namespace klangora
