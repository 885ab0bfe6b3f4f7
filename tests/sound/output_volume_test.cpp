// The volume, heard on the own voices' samples: half the amplitude is 6 dB down, and turning it
// (up, down, to silence) adds no step larger than the tone's own from one sample to the next.
#include "sound/fluid/output_volume.h"
#include "sound/instrument/live_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace klangora;

namespace {

constexpr int kRate = 48000;

// A c-e-g chord of the own voices, 0.2 s into its sounding, for `seconds`.
std::vector<float> chord(double seconds) {
    LiveSynth synth;
    for (std::uint8_t note : {60, 64, 67}) {
        synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, note, 1.0f));
    }
    std::vector<float> attack(kRate / 5);
    synth.render(attack, kRate);
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    synth.render(samples, kRate);
    return samples;
}

double rms(std::span<const float> samples) {
    double sum = 0;
    for (float sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double largestStep(std::span<const float> samples) {
    double largest = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        largest = std::max(largest, static_cast<double>(std::abs(samples[i] - samples[i - 1])));
    }
    return largest;
}

} // namespace

TEST(OutputVolume, HalfTheAmplitudeIsSixDecibelsDown) {
    const auto full = chord(0.5);
    auto half = full;
    OutputVolume volume;
    volume.set(0.5);
    std::vector<float> settle(kRate / 10);
    volume.apply(settle, kRate); // the ramp done before the measured part
    volume.apply(half, kRate);
    EXPECT_NEAR(20 * std::log10(rms(half) / rms(full)), -6.02, 0.05);
}

namespace {
struct VolumeChange {
    double from;
    double to;
};
class OutputVolumeChange : public ::testing::TestWithParam<VolumeChange> {};
} // namespace

TEST_P(OutputVolumeChange, NeverStepsBeyondTheTonesOwnSteps) {
    const auto tone = chord(0.4);
    auto heard = tone;
    OutputVolume volume;
    volume.set(GetParam().from);
    std::vector<float> settle(kRate / 10);
    volume.apply(settle, kRate);
    const std::size_t half = heard.size() / 2;
    volume.apply(std::span(heard).first(half), kRate);
    volume.set(GetParam().to);
    volume.apply(std::span(heard).subspan(half), kRate);
    EXPECT_LE(largestStep(heard), largestStep(tone) + 1e-6);
    // And it arrives: the last 0.1 s at the new level.
    const auto tail = std::span(heard).last(kRate / 10);
    const auto tailOfTone = std::span(tone).last(kRate / 10);
    EXPECT_NEAR(rms(tail), GetParam().to * rms(tailOfTone), 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Changes, OutputVolumeChange,
                         ::testing::Values(VolumeChange{1.0, 0.0}, VolumeChange{0.0, 1.0},
                                           VolumeChange{1.0, 0.3}, VolumeChange{0.2, 0.9}));

TEST(OutputVolume, OutOfRangeValuesAreHeldInside) {
    OutputVolume volume;
    volume.set(1.7);
    EXPECT_EQ(volume.target(), 1.0);
    volume.set(-0.5);
    EXPECT_EQ(volume.target(), 0.0);
}
