#include "core/presets.h"
#include "core/tone_table.h"
#include "support/tuned_table.h"

#include <gtest/gtest.h>

#include <array>

using namespace klangora;
using klangora::test_support::tunedTo;

namespace {

std::array<double, 12> baseOctave(const ToneTable& table) {
    std::array<double, 12> hz{};
    for (int i = 0; i < 12; ++i) {
        hz[i] = table.freqTable[25 + i];
    }
    return hz;
}

SliderPositions allAt(int position) {
    SliderPositions p{};
    p.fill(position);
    return p;
}

} // namespace

TEST(ToneTable, FixedTonesStayFixedWhateverTheSliders) {
    for (int position : {-600, 0, 600}) {
        const ToneTable table = tunedTo(allAt(position));
        EXPECT_EQ(table.toneCents[0], 0.0);
        EXPECT_EQ(table.toneCents[12], 1200.0);
        EXPECT_EQ(table.toneCents[24], 2400.0);
    }
}

TEST(ToneTable, SliderPositionsCountTwentiethsOfACentBelowEqual) {
    EXPECT_DOUBLE_EQ(tunedTo(allAt(-600)).toneCents[5], 530.0);
    EXPECT_DOUBLE_EQ(tunedTo(allAt(600)).toneCents[5], 470.0);
    ToneTable table;
    applySliderPosition(table, 2, 587);
    EXPECT_DOUBLE_EQ(table.toneCents[1], 70.65);
    applySliderPosition(table, 12, -600); // Home on the H slider
    restenCent(table);
    EXPECT_DOUBLE_EQ(table.toneCents[11], 1130.0);
    EXPECT_DOUBLE_EQ(table.toneCents[23], 2330.0);
}

TEST(ToneTable, UpperOctaveIsAnExactCopy) {
    const ToneTable table = tunedTo(PresetId::praet);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(table.toneCents[i + 12], table.toneCents[i] + 1200.0) << "index " << i;
    }
    // C' repeats C up to the last bit of the octave sum.
    EXPECT_NEAR(table.thirdCents[12], table.thirdCents[0], 1e-9);
    EXPECT_NEAR(table.fifthCents[12], table.fifthCents[0], 1e-9);
}

TEST(ToneTable, EqualTemperamentHasEqualIntervals) {
    const ToneTable table = tunedTo(allAt(0));
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(table.thirdCents[i], 400.0);
        EXPECT_EQ(table.fifthCents[i], 700.0);
    }
}

TEST(ToneTable, OneStepUpOnCSharpAfterEqual) {
    ToneTable table = tunedTo(allAt(0));
    applySliderPosition(table, 2, -1);
    restenCent(table);
    deriveThirdsAndFifths(table);
    EXPECT_DOUBLE_EQ(table.toneCents[1], 100.05);
    EXPECT_DOUBLE_EQ(table.thirdCents[1], 399.95);
}

// Moving tone index i touches the third at i, i - 4 (or i + 8 through the octave copy) and the
// fifth at i, i - 7 (or i + 5); nothing else.
TEST(ToneTable, ASliderMovesOnlyTheIntervalsItBelongsTo) {
    for (int k = kFirstSlider; k <= kLastSlider; ++k) {
        const int i = k - 1;
        ToneTable table = tunedTo(allAt(0));
        applySliderPosition(table, k, 100);
        restenCent(table);
        deriveThirdsAndFifths(table);
        for (int j = 0; j <= 12; ++j) {
            const bool thirdMoves = j == i || (i >= 4 && j == i - 4) || (i <= 4 && j == i + 8);
            const bool fifthMoves = j == i || (i >= 7 && j == i - 7) || (i <= 7 && j == i + 5);
            EXPECT_EQ(table.thirdCents[j] != 400.0, thirdMoves) << "slider " << k << " third " << j;
            EXPECT_EQ(table.fifthCents[j] != 700.0, fifthMoves) << "slider " << k << " fifth " << j;
        }
    }
}

struct FrequencyCase {
    const char* name;
    PresetId preset;
    std::array<double, 12> hz;
    friend void PrintTo(const FrequencyCase& c, std::ostream* os) { *os << c.name; }
};

class BaseOctave : public testing::TestWithParam<FrequencyCase> {};

TEST_P(BaseOctave, IsRoundedFrom261Hz) {
    const ToneTable table = tunedTo(GetParam().preset);
    EXPECT_EQ(baseOctave(table), GetParam().hz);
}

INSTANTIATE_TEST_SUITE_P(
    Presets, BaseOctave,
    testing::Values(FrequencyCase{"equal",
                                  PresetId::lige,
                                  {261, 277, 293, 310, 329, 348, 369, 391, 414, 439, 465, 493}},
                    FrequencyCase{"pythagorean",
                                  PresetId::pyt,
                                  {261, 279, 294, 309, 330, 348, 372, 392, 418, 440, 464, 496}},
                    // The just G is 391.499 Hz before rounding.
                    FrequencyCase{"just",
                                  PresetId::ren,
                                  {261, 272, 294, 313, 326, 348, 367, 391, 408, 435, 470, 489}},
                    FrequencyCase{"werckmeister3",
                                  PresetId::werck1,
                                  {261, 275, 292, 309, 327, 348, 367, 390, 412, 436, 464, 490}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrequencyTable, OtherOctavesAreExactMultiples) {
    const ToneTable table = tunedTo(allAt(0));
    EXPECT_EQ(table.freqTable[0], 0.0);
    EXPECT_EQ(table.freqTable[13], 130.5);
    EXPECT_EQ(table.freqTable[1], 65.25);
    EXPECT_EQ(table.freqTable[49], 1044.0);
    EXPECT_EQ(table.freqTable[37], 522.0); // C' as the readers address it, slot 24 + 13
    EXPECT_EQ(table.freqTable[12], 493.0 * 0.25);
    EXPECT_EQ(table.freqTable[60], 493.0 * 4);
    for (int i = 0; i < 12; ++i) {
        const double base = table.freqTable[25 + i];
        EXPECT_EQ(table.freqTable[1 + i], base / 4);
        EXPECT_EQ(table.freqTable[13 + i], base / 2);
        EXPECT_EQ(table.freqTable[37 + i], base * 2);
        EXPECT_EQ(table.freqTable[49 + i], base * 4);
    }
}

TEST(FrequencyTable, IsASnapshotOfTheLastFill) {
    ToneTable table = tunedTo(PresetId::bach);
    const auto first = table.freqTable;
    IndlaesFrek(table);
    EXPECT_EQ(table.freqTable, first);
    applySliderPosition(table, 5, -600);
    restenCent(table);
    EXPECT_EQ(table.freqTable, first);
    for (PresetId id : kAllPresets) {
        const ToneTable t = tunedTo(id);
        EXPECT_EQ(t.freqTable[25], 261.0);
        EXPECT_EQ(t.freqTable[0], 0.0);
    }
}
