#include "repertoire.h"

#include "sound/chord_synthesis.h"
#include "sound/fast_chord_wave.h"
#include "sound/reference_synthesis.h"
#include "sound/wav_image.h"
#include "support/tuned_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

using namespace klangora;

namespace {

std::vector<double> referenceWaves(const std::vector<double>& hz, int samples) {
    std::vector<double> waves;
    std::vector<double> phases(hz.size());
    for (int i = 0; i < samples; ++i) {
        for (std::size_t k = 0; k < hz.size(); ++k) {
            phases[k] = referencePhase(i, hz[k], 11025);
        }
        waves.push_back(chordWave(phases));
    }
    return waves;
}

} // namespace

TEST(FastSynthesis, MatchesTheReferenceOnTheRepertoireInH) {
    // H, whose chorale bass sounds below the table, under three tunings; the sweep over every
    // key and preset is sound.synthesis_identity_whole_repertoire.
    for (PresetId preset : {PresetId::pyt, PresetId::praet, PresetId::lige}) {
        const ToneTable table = test_support::tunedTo(preset);
        for (const RepertoireChord& c : chordsForKey(table, 12, "preset")) {
            SynthesisReport report;
            const auto fast =
                chordImage(c.frequenciesHz, c.durationMs, c.amplitude, 11025, &report);
            ASSERT_EQ(fast, referenceChordImage(c.frequenciesHz, c.durationMs, c.amplitude, 11025))
                << c.label;
            EXPECT_LT(report.guardBand, 1e-9) << c.label;
            EXPECT_LE(report.exactSamples, 2) << c.label;
        }
    }
}

// A learner may put every slider at any of its 1,201 positions. For thousands of seeded random
// tunings, each with one chord of the repertoire in a random key: one reseed interval of the
// fast image, at a random place, byte for byte against the reference, and the guard band the
// fast synthesis used wide enough for the difference of the two waveforms there.
TEST(FastSynthesis, MatchesTheReferenceOnRandomTunings) {
    constexpr int kTunings = 2000;
    constexpr int kInterval = VoiceOscillator::kReseedInterval;
    std::mt19937 random(20261209);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int exactSamples = 0;
    for (int n = 0; n < kTunings; ++n) {
        SliderPositions positions{};
        for (int& position : positions) {
            position = pick(kSliderMin, kSliderMax);
        }
        const auto chords = chordsForKey(test_support::tunedTo(positions), pick(1, 13),
                                         "tuning " + std::to_string(n));
        const RepertoireChord& c = chords.at(static_cast<std::size_t>(pick(0, 15)));
        SynthesisReport report;
        const auto image = chordImage(c.frequenciesHz, c.durationMs, c.amplitude, 11025, &report);
        exactSamples += report.exactSamples;
        const int samples = static_cast<int>(image.size() - kWavHeaderBytes);
        const int first = kInterval * pick(0, (samples - 1) / kInterval);
        std::vector<double> fastWaves(
            static_cast<std::size_t>(std::min(kInterval, samples - first)));
        FastChordWave(c.frequenciesHz, 11025).compute(first, fastWaves);
        std::vector<double> phases(c.frequenciesHz.size());
        for (int i = first; i < first + static_cast<int>(fastWaves.size()); ++i) {
            for (std::size_t v = 0; v < phases.size(); ++v) {
                phases[v] = referencePhase(i, c.frequenciesHz[v], 11025);
            }
            const double wave = chordWave(phases);
            ASSERT_EQ(image[kWavHeaderBytes + static_cast<std::size_t>(i)],
                      sampleByte(c.amplitude, wave))
                << c.label << ", sample " << i;
            ASSERT_LE(c.amplitude *
                          std::fabs(fastWaves[static_cast<std::size_t>(i - first)] - wave),
                      report.guardBand)
                << c.label << ", sample " << i;
        }
    }
    RecordProperty("samples_computed_the_reference_way", exactSamples);
}

TEST(FastSynthesis, MatchesTheReferenceAwayFromTheRepertoire) {
    const std::vector<std::vector<double>> chords = {
        {0.0, 0.0, 0.0},
        {5512.5, 2756.25, 11025.0},      // half, quarter and all of the sample rate
        {9000.0, 13.7, -440.0},          // above the Nyquist limit, very low, negative
        {261.0, 261.0, 261.0, 261.0},    // one tone four times
        {1977.0, 1044.0, 523.5, 65.25}}; // the highest and lowest slots of the table
    for (const auto& hz : chords) {
        for (std::uint8_t amplitude : {std::uint8_t{1}, std::uint8_t{20}, std::uint8_t{255}}) {
            EXPECT_EQ(chordImage(hz, 1100, amplitude, 11025),
                      referenceChordImage(hz, 1100, amplitude, 11025))
                << hz[0] << " Hz at amplitude " << int{amplitude};
        }
    }
}

TEST(FastSynthesis, HandsWhatItCannotDoToTheReference) {
    const std::vector<double> five = {261, 329, 391, 522, 65.25};
    SynthesisReport report;
    EXPECT_EQ(chordImage(five, 1000, 20, 11025, &report),
              referenceChordImage(five, 1000, 20, 11025));
    EXPECT_EQ(report.exactSamples, 11025);
    const std::vector<double> notANumber = {261, std::nan(""), 391};
    EXPECT_EQ(chordImage(notANumber, 1000, 20, 11025, &report),
              referenceChordImage(notANumber, 1000, 20, 11025));
    EXPECT_EQ(report.exactSamples, 11025);
    const std::vector<double> tooHigh = {261, 1e300, 391};
    EXPECT_EQ(chordImage(tooHigh, 1000, 20, 11025), referenceChordImage(tooHigh, 1000, 20, 11025));
    EXPECT_EQ(chordImage(std::vector<double>{261, 329, 391}, 0, 20, 11025).size(), 46u);
}

TEST(FastSynthesis, SplicesReferenceSamplesIntoTheFastOnes) {
    // A guard of a fifth of a step sends two samples in five to the reference; the result must
    // not change, and the fast path must still have done the rest.
    const std::vector<double> hz = {329.0, 261.0, 195.75, 65.25};
    std::vector<std::uint8_t> image = newWavImage(11025, 11025);
    const int exact = synthesizeChordSamples(hz, 20, 11025, 0.2, wavSamples(image));
    EXPECT_EQ(image, referenceChordImage(hz, 1000, 20, 11025));
    EXPECT_GT(exact, 11025 / 4);
    EXPECT_LT(exact, 11025 / 2);
    // Zero is not a boundary: small waves stay on the fast path whatever the guard.
    std::vector<std::uint8_t> quiet = newWavImage(11025, 11025);
    EXPECT_EQ(synthesizeChordSamples(hz, 0, 11025, 0.2, wavSamples(quiet)), 0);
    EXPECT_EQ(quiet, newWavImage(11025, 11025));
}

TEST(FastChordWave, StaysWithinItsErrorBound) {
    for (const std::vector<double>& hz :
         {std::vector<double>{329.0, 261.0, 195.75, 48.875},
          std::vector<double>{740.0, 588.0, 493.0}, std::vector<double>{5000.0, 0.0, 3.25}}) {
        const int n = 22050;
        FastChordWave fast(hz, 11025);
        std::vector<double> waves(n);
        fast.compute(0, waves);
        const auto reference = referenceWaves(hz, n);
        double worst = 0.0;
        for (int i = 0; i < n; ++i) {
            worst = std::max(worst, std::fabs(waves[i] - reference[i]));
        }
        const double bound = fast.errorBound(n);
        EXPECT_LE(worst, bound) << hz[0];
        EXPECT_GT(worst, 0.0) << hz[0]; // the bound is not guarding an exact copy
        EXPECT_LT(bound, 1e-10) << hz[0];
    }
}
