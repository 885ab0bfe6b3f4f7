#include "sound/fluid/font_calibration.h"

#include "sound/instrument/live_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <optional>
#include <vector>

namespace klangora {

namespace {

// The part of a key's sound its pitch is measured in: after the attack, in which a pluck's noise
// and an organ pipe's speech (a few cents off for a quarter of a second) lie, two halves of two
// windows each.
struct Span {
    double attackSeconds;
    double measuredSeconds;
};
constexpr Span kPitchSpan{0.25, 0.60};
// The part its loudness is measured in: as the learner hears a struck key, its first moments.
constexpr Span kLevelSpan{0.06, 0.40};
constexpr double kLargestErrorCents = 45.0; // beyond this the font has no such key
// Between the two halves of one key's sound: an organ's pipe or a piano's strings that settle
// drift by some tenths of a cent, and their mean is still the pitch heard; a key whose halves
// differ by more has no one pitch to correct towards.
constexpr double kAgreementCents = 1.0;
constexpr int kVelocity = 100;

// The Hann-windowed Fourier sum at `omega` (radians per sample) over samples[start, start+n).
std::complex<double> windowedSum(std::span<const float> samples, std::size_t start, std::size_t n,
                                 double omega) {
    std::complex<double> sum = 0;
    const std::complex<double> step = std::polar(1.0, -omega);
    std::complex<double> turn = std::polar(1.0, -omega * static_cast<double>(start));
    for (std::size_t i = 0; i < n; ++i) {
        const double window =
            0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / n);
        sum += static_cast<double>(samples[start + i]) * window * turn;
        turn *= step;
    }
    return sum;
}

double wrapped(double angle) {
    return std::remainder(angle, 2 * std::numbers::pi);
}

// One refinement: the phase advance between two windows `hop` apart tells the frequency to
// within rate / (2 hop) of the estimate.
double refined(std::span<const float> samples, std::size_t n, std::size_t hop, double rate,
               double estimateHz) {
    const double omega = 2 * std::numbers::pi * estimateHz / rate;
    const auto first = windowedSum(samples, 0, n, omega);
    const auto second = windowedSum(samples, hop, n, omega);
    // Both sums are taken against the same clock, so their phase difference is what the
    // component gained on the estimate over the hop.
    const double advance = wrapped(std::arg(second * std::conj(first)));
    return estimateHz + advance * rate / (2 * std::numbers::pi * static_cast<double>(hop));
}

double rms(std::span<const float> samples) {
    double sum = 0;
    for (float sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, samples.size())));
}

std::vector<float> strike(fluid_synth_t* synth, int channel, int key, int sampleRate, Span span) {
    const auto attack = static_cast<std::size_t>(span.attackSeconds * sampleRate);
    const auto measured = static_cast<std::size_t>(span.measuredSeconds * sampleRate);
    std::vector<float> left(attack + measured), right(attack + measured);
    fluid_synth_noteon(synth, channel, key, kVelocity);
    fluid_synth_write_float(synth, static_cast<int>(left.size()), left.data(), 0, 1, right.data(),
                            0, 1);
    fluid_synth_all_sounds_off(synth, channel);
    std::vector<float> mono(measured);
    for (std::size_t i = 0; i < measured; ++i) {
        mono[i] = 0.5f * (left[attack + i] + right[attack + i]);
    }
    return mono;
}

// FluidSynth renders in blocks of 64 samples and hands the part of a block a call did not take to
// the next call: unless taken here, the end of the last key struck (its highest, some 2 kHz)
// would be the first thing the synth plays in the output, at any rate whose measured lengths are
// no multiple of 64. The keys are off by now; what follows is silence.
void drainMeasuredKeys(fluid_synth_t* synth) {
    constexpr int kDrainFrames = 1024;
    std::vector<float> left(kDrainFrames), right(kDrainFrames);
    fluid_synth_all_sounds_off(synth, -1);
    fluid_synth_write_float(synth, kDrainFrames, left.data(), 0, 1, right.data(), 0, 1);
}

// The keys whose loudness is compared: the middle of the keyboard, where the learner plays.
constexpr std::array kLevelKeys = {60, 64, 67};

} // namespace

double measureInstrumentLevel(fluid_synth_t* synth, int channel, int sampleRate) {
    double sum = 0;
    for (int key : kLevelKeys) {
        sum += rms(strike(synth, channel, key, sampleRate, kLevelSpan));
    }
    drainMeasuredKeys(synth);
    return sum / static_cast<double>(kLevelKeys.size());
}

double ownToneLevel(int sampleRate) {
    const auto attack = static_cast<std::size_t>(kLevelSpan.attackSeconds * sampleRate);
    const auto measured = static_cast<std::size_t>(kLevelSpan.measuredSeconds * sampleRate);
    double sum = 0;
    for (int key : kLevelKeys) {
        LiveSynth own;
        own.post(LiveEvent::noteOn(VoiceSource::computerKeys, key, kVelocity / 127.0f));
        std::vector<float> samples(attack + measured);
        own.render(samples, sampleRate);
        sum += rms(std::span(samples).subspan(attack));
    }
    return sum / static_cast<double>(kLevelKeys.size());
}

double measuredComponentHz(std::span<const float> samples, int sampleRate, double expectedHz) {
    const double rate = sampleRate;
    // Windows of at least eight periods, so that the neighbouring partials do not leak in.
    const auto n =
        std::min(samples.size() * 2 / 3,
                 std::max<std::size_t>(2048, static_cast<std::size_t>(8 * rate / expectedHz)));
    const double level = rms(samples.first(n));
    if (level < 1e-5) {
        return 0;
    }
    // A short hop first (unambiguous over +-40 cents), then a long one for precision.
    const auto shortHop =
        std::max<std::size_t>(1, static_cast<std::size_t>(rate / (2 * 0.03 * expectedHz)));
    double hz = refined(samples, n, std::min(shortHop, samples.size() - n), rate, expectedHz);
    hz = refined(samples, n, samples.size() - n, rate, hz);
    const double omega = 2 * std::numbers::pi * hz / rate;
    // Present at all: its amplitude some per cent of the whole sound's.
    const double amplitude = 2 * std::abs(windowedSum(samples, 0, n, omega)) / (n / 2.0);
    return amplitude > 0.02 * level ? hz : 0;
}

namespace {

// The key's error in cents, when the two halves of its sound agree on it: an organ's ranks or a
// piano's strings that beat against each other give no one pitch to correct towards.
std::optional<double> keyErrorCents(std::span<const float> samples, int sampleRate, int key) {
    const double nominalHz = 440.0 * std::exp2((key - 69) / 12.0);
    const std::size_t half = samples.size() / 2;
    const double early = measuredComponentHz(samples.first(half), sampleRate, nominalHz);
    const double late = measuredComponentHz(samples.subspan(half), sampleRate, nominalHz);
    if (early <= 0 || late <= 0 || std::abs(1200 * std::log2(late / early)) > kAgreementCents) {
        return std::nullopt;
    }
    const double errorCents = 1200 * std::log2((early + late) / 2 / nominalHz);
    if (std::abs(errorCents) > kLargestErrorCents) {
        return std::nullopt;
    }
    return errorCents;
}

} // namespace

KeyCorrections measureKeyCorrections(fluid_synth_t* synth, int channel, int sampleRate) {
    KeyCorrections corrections{};
    for (int key = kLowestCalibratedKey; key <= kHighestCalibratedKey; ++key) {
        const auto samples = strike(synth, channel, key, sampleRate, kPitchSpan);
        // A key that gives no clear pitch keeps the font's own: no correction is better than
        // a wrong one.
        corrections[static_cast<std::size_t>(key)] =
            -keyErrorCents(samples, sampleRate, key).value_or(0.0);
    }
    drainMeasuredKeys(synth);
    // The keys beyond the range share the samples of its outermost keys.
    for (int key = 0; key < kLowestCalibratedKey; ++key) {
        corrections[static_cast<std::size_t>(key)] =
            corrections[static_cast<std::size_t>(kLowestCalibratedKey)];
    }
    for (int key = kHighestCalibratedKey + 1; key < 128; ++key) {
        corrections[static_cast<std::size_t>(key)] =
            corrections[static_cast<std::size_t>(kHighestCalibratedKey)];
    }
    return corrections;
}

} // namespace klangora
