#include "sound/chord_synthesis.h"
#include "sound/reference_synthesis.h"
#include "sound/wav_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace klangora;

namespace {

// The chord's samples written out once more the plain way, to check the library's images
// against: partial weights 1, -0.11 and 0.041 / divisor. The header is pinned by the WavHeader
// tests.
std::vector<std::uint8_t> plainChordImage(const std::vector<double>& hz, int samples,
                                          long double divisor) {
    std::vector<std::uint8_t> image = newWavImage(11025, samples);
    image.resize(kWavHeaderBytes);
    for (int i = 0; i < samples; ++i) {
        long double s1 = 0, s3 = 0, s5 = 0;
        for (double f : hz) {
            const double a =
                static_cast<double>((2.0L * i) * std::numbers::pi_v<long double> * f / 11025.0L);
            s1 += sinl(a);
            s3 += sinl(3.0L * a);
            s5 += sinl(5.0L * a);
        }
        const auto w = static_cast<double>(s1 - 0.11L * s3 + 0.041L * s5 / divisor);
        const long double scaled = 20.0L * w;
        image.push_back(static_cast<std::uint8_t>(127 + static_cast<long long>(scaled)));
    }
    return image;
}

} // namespace

TEST(SampleByte, TruncatesTheExactProductTowardsZeroAndKeepsTheLowEightBits) {
    EXPECT_EQ(sampleByte(20, -0.185), 124); // -3.7
    EXPECT_EQ(sampleByte(20, 0.185), 130);  // +3.7
    EXPECT_EQ(sampleByte(20, 0.0), 127);
    EXPECT_EQ(sampleByte(20, -0.04), 127); // -0.8 is cut to 0, not -1
    EXPECT_EQ(sampleByte(20, 0.04), 127);
    EXPECT_EQ(sampleByte(4, 0.75), 130); // exactly 3
    EXPECT_EQ(sampleByte(4, -0.75), 124);
    // The exact product: 5 * (1 - 2^-53) rounds to 5.0 in double; the true product is below 5.
    EXPECT_EQ(sampleByte(5, std::nextafter(1.0, 0.0)), 131);
    EXPECT_EQ(sampleByte(5, -std::nextafter(1.0, 0.0)), 123);
    // The low eight bits are kept.
    EXPECT_EQ(sampleByte(255, 1.0), 126);  // 382
    EXPECT_EQ(sampleByte(255, -1.0), 128); // -128
    EXPECT_EQ(sampleByte(20, std::nan("")), 127);
}

TEST(Waveform, WeighsThePartials) {
    const double quarter = std::numbers::pi / 2; // sin a = 1, sin 3a = -1, sin 5a = 1
    EXPECT_EQ(waveThreeVoices(0, 0, 0), 0.0);
    EXPECT_NEAR(waveThreeVoices(quarter, 0, 0), 1.0 + 0.11 + 0.0041, 1e-15);
    EXPECT_NEAR(waveFourVoices(quarter, 0, 0, 0), 1.0 + 0.11 + 0.041 / 11, 1e-15);
    EXPECT_NEAR(waveThreeVoices(quarter, quarter, quarter), 3.3423, 1e-14); // the largest |W|
    EXPECT_NEAR(waveFourVoices(-quarter, -quarter, -quarter, -quarter), -4.0 * (1.11 + 0.041 / 11),
                1e-14);
}

TEST(Phase, StartsAtZeroAndIsFormedInExtendedPrecision) {
    EXPECT_EQ(referencePhase(0, 440.0, 11025), 0.0);
    EXPECT_EQ(referencePhase(1234, 0.0, 11025), 0.0);
    // A quarter of the sample rate turns a quarter circle per sample.
    EXPECT_EQ(referencePhase(1, 11025.0 / 4, 11025), std::numbers::pi / 2);
    const double expected =
        static_cast<double>(2.0L * 22049 * std::numbers::pi_v<long double> * 493.0L / 11025.0L);
    EXPECT_EQ(referencePhase(22049, 493.0, 11025), expected);
}

struct PlainChord {
    const char* name;
    std::vector<double> hz;
    int durationMs;
    friend void PrintTo(const PlainChord& c, std::ostream* os) { *os << c.name; }
};

class WholeImage : public testing::TestWithParam<PlainChord> {};

TEST_P(WholeImage, MatchesThePlainComputation) {
    const auto& chord = GetParam();
    const auto expected = plainChordImage(chord.hz, sampleCount(chord.durationMs, 11025),
                                          chord.hz.size() == 4 ? 11.0L : 10.0L);
    EXPECT_EQ(referenceChordImage(chord.hz, chord.durationMs, 20, 11025), expected);
    EXPECT_EQ(chordImage(chord.hz, chord.durationMs, 20, 11025), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Chords, WholeImage,
    testing::Values(PlainChord{"c_major_pure", {261, 326.25, 391.5}, 2000},
                    PlainChord{"h_major", {246.5, 310.0, 369.0}, 1000},
                    PlainChord{"chorale_dominant", {244.5, 195.75, 146.75, 48.875}, 1100},
                    PlainChord{"silent_bass", {329, 261, 195.75, 0.0}, 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReferenceImage, EveryChordStartsAtTheSilenceLevel) {
    for (const std::vector<double>& hz :
         {std::vector<double>{261, 329, 391}, std::vector<double>{1044, 65.25, 493, 310}}) {
        const auto image = referenceChordImage(hz, 1000, 20, 11025);
        EXPECT_EQ(image[46], 127);
        EXPECT_NE(image[47], 127);
    }
}

TEST(ReferenceImage, AVoiceAtZeroHertzIsSilent) {
    const std::vector<double> alone = {0.0, 0.0, 0.0};
    const auto silence = referenceChordImage(alone, 1000, 20, 11025);
    EXPECT_EQ(std::count(silence.begin() + 46, silence.end(), 127), 11025);
    // With one voice at 0 Hz the chord sounds like the other voices alone.
    const auto image = referenceChordImage(std::vector<double>{392.0, 0.0, 330.0}, 1000, 20, 11025);
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 11025; ++i) {
        expected.push_back(sampleByte(20, waveThreeVoices(referencePhase(i, 392.0, 11025), 0.0,
                                                          referencePhase(i, 330.0, 11025))));
    }
    EXPECT_TRUE(std::equal(image.begin() + 46, image.end(), expected.begin(), expected.end()));
}

TEST(ReferenceImage, AToneGivenTwiceDoublesItsVoice) {
    // Twice the voice is W doubled exactly, which is the single voice at twice the amplitude.
    const std::vector<double> twice = {440.0, 440.0, 0.0};
    const std::vector<double> once = {440.0, 0.0, 0.0};
    const auto doubled = referenceChordImage(twice, 1000, 20, 11025);
    EXPECT_EQ(doubled, referenceChordImage(once, 1000, 40, 11025));
    EXPECT_NE(doubled, referenceChordImage(once, 1000, 20, 11025));
    EXPECT_EQ(chordImage(twice, 1000, 20, 11025), doubled);
}

TEST(ReferenceImage, TheOrderOfTheVoicesMakesNoDifference) {
    const std::vector<double> up = {65.25, 196.0, 329.0, 522.0};
    const std::vector<double> down = {522.0, 329.0, 196.0, 65.25};
    EXPECT_EQ(referenceChordImage(up, 1000, 20, 11025), referenceChordImage(down, 1000, 20, 11025));
}
