#include "sound/chord_synthesis.h"

#include "sound/fast_chord_wave.h"
#include "sound/reference_synthesis.h"
#include "sound/wav_image.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

const double kRoundoff = std::ldexp(1.0, -53);

// Beyond this the fast path would recompute so much that it is no faster; it also catches a
// guard that is not a number because a frequency was not one.
constexpr double kLargestUsefulGuard = 0.25;

// The reference Trunc(amplitude * W) is the same as the fast one unless a non-zero integer lies
// within guard of the fast product.
bool nearTruncationBoundary(double product, double guard) {
    const double whole = std::trunc(product);
    const double fraction = std::fabs(product - whole); // exact (Sterbenz), or whole is 0
    return (whole != 0.0 && fraction <= guard) || 1.0 - fraction <= guard;
}

void fillReference(std::span<const double> frequenciesHz, std::uint8_t amplitude, int sampleRate,
                   std::span<std::uint8_t> samples) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = referenceSample(frequenciesHz, static_cast<int>(i), amplitude, sampleRate);
    }
}

} // namespace

double truncationGuard(std::uint8_t amplitude, double waveErrorBound) {
    // amplitude * W is exact in extended precision for the reference, and rounded once (to
    // 4.5u of amplitude) for the fast path. The bound is doubled to leave room for anything the
    // reckoning of FastChordWave::errorBound may have underrated.
    return 2.0 * amplitude * (waveErrorBound + 4.5 * kRoundoff);
}

int synthesizeChordSamples(std::span<const double> frequenciesHz, std::uint8_t amplitude,
                           int sampleRate, double guard, std::span<std::uint8_t> samples) {
    if (frequenciesHz.size() > FastChordWave::kMaxVoices || !(guard < kLargestUsefulGuard)) {
        fillReference(frequenciesHz, amplitude, sampleRate, samples);
        return static_cast<int>(samples.size());
    }
    FastChordWave wave(frequenciesHz, sampleRate);
    std::array<double, VoiceOscillator::kReseedInterval> waves;
    int exactSamples = 0;
    for (std::size_t done = 0; done < samples.size(); done += waves.size()) {
        const std::size_t count = std::min(waves.size(), samples.size() - done);
        wave.compute(static_cast<int>(done), std::span(waves).first(count));
        for (std::size_t j = 0; j < count; ++j) {
            const int i = static_cast<int>(done + j);
            const double product = amplitude * waves[j];
            if (nearTruncationBoundary(product, guard)) {
                samples[done + j] = referenceSample(frequenciesHz, i, amplitude, sampleRate);
                ++exactSamples;
            } else {
                samples[done + j] =
                    static_cast<std::uint8_t>(kSilenceSample + static_cast<int>(product));
            }
        }
    }
    return exactSamples;
}

std::vector<std::uint8_t> chordImage(std::span<const double> frequenciesHz, int durationMs,
                                     std::uint8_t amplitude, int sampleRate,
                                     SynthesisReport* report) {
    const int n = sampleCount(durationMs, sampleRate);
    std::vector<std::uint8_t> image = newWavImage(sampleRate, n);
    double guard = 0.0;
    if (!frequenciesHz.empty() && frequenciesHz.size() <= FastChordWave::kMaxVoices) {
        guard = truncationGuard(amplitude, FastChordWave(frequenciesHz, sampleRate).errorBound(n));
    }
    const int exact =
        synthesizeChordSamples(frequenciesHz, amplitude, sampleRate, guard, wavSamples(image));
    if (report != nullptr) {
        *report = SynthesisReport{exact, guard};
    }
    return image;
}

} // namespace klangora
