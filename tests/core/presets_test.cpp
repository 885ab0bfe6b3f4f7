#include "core/presets.h"
#include "support/tuned_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace klangora;
using klangora::test_support::tunedTo;

namespace {

struct PresetCase {
    const char* name;
    PresetId id;
    SliderPositions positions;
    std::array<double, 11> cents;
    friend void PrintTo(const PresetCase& c, std::ostream* os) { *os << c.name; }
};

// Tone indices of C#, F#, G# and H: the roots whose thirds a circulating tuning leaves wide.
bool isSharpSideRoot(int i) {
    return i == 1 || i == 6 || i == 8 || i == 11;
}

} // namespace

class Preset : public testing::TestWithParam<PresetCase> {};

TEST_P(Preset, PositionsAndCents) {
    const PresetCase& c = GetParam();
    EXPECT_EQ(presetPositions(c.id), c.positions);
    const ToneTable table = tunedTo(c.id);
    for (int i = 1; i <= 11; ++i) {
        EXPECT_NEAR(table.toneCents[i], c.cents[i - 1], 1e-9) << "tone index " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, Preset,
    testing::Values(PresetCase{"pythagorean",
                               PresetId::pyt,
                               {-280, -80, 120, -160, 40, -240, -40, -320, -120, 80, -200},
                               {114, 204, 294, 408, 498, 612, 702, 816, 906, 996, 1110}},
                    PresetCase{"just",
                               PresetId::ren,
                               {587, -78, -313, 274, 39, 196, -39, 547, 313, -352, 235},
                               {70.65, 203.90, 315.65, 386.30, 498.05, 590.20, 701.95, 772.65,
                                884.35, 1017.60, 1088.25}},
                    PresetCase{"meantone",
                               PresetId::praet,
                               {479, 137, -205, 274, -68, 411, 68, 547, 205, -137, 342},
                               {76.05, 193.15, 310.25, 386.30, 503.40, 579.45, 696.60, 772.65,
                                889.75, 1006.85, 1082.90}},
                    PresetCase{"welltempered",
                               PresetId::bach,
                               {95, 30, 18, 91, 5, 135, 7, 56, 73, 18, 125},
                               {95.25, 198.50, 299.10, 395.45, 499.75, 593.25, 699.65, 797.20,
                                896.35, 999.10, 1093.75}},
                    PresetCase{"werckmeister3",
                               PresetId::werck1,
                               {196, 156, 117, 196, 39, 235, 78, 156, 235, 78, 156},
                               {90.20, 192.20, 294.15, 390.20, 498.05, 588.25, 696.10, 792.20,
                                888.25, 996.10, 1092.20}},
                    PresetCase{"werckmeister5",
                               PresetId::werck3,
                               {78, -78, 0, 78, -78, 0, -39, 156, 0, -39, 39},
                               {96.10, 203.90, 300.00, 396.10, 503.90, 600.00, 701.95, 792.20,
                                900.00, 1001.95, 1098.05}},
                    PresetCase{"equal",
                               PresetId::lige,
                               {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                               {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100}}),
    [](const auto& info) { return std::string(info.param.name); });

// Werckmeister III puts C# and E at 195.5001 before rounding (both 196 in the table above, as
// Werckmeister V's Eb, F# and A lie at 0 there, exactly on equal temperament up to rounding).
TEST(Presets, RatiosNearATieRoundTheRightWay) {
    EXPECT_EQ(sliderPositionFromRatio(1, 256.0L / 243), 196);
}

TEST(Presets, PythagoreanIntervals) {
    const ToneTable t = tunedTo(PresetId::pyt);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_NEAR(t.fifthCents[i], i == 8 ? 678 : 702, 1e-9) << i;
        EXPECT_NEAR(t.thirdCents[i], isSharpSideRoot(i) ? 384 : 408, 1e-9) << i;
    }
}

TEST(Presets, JustIntervals) {
    const ToneTable t = tunedTo(PresetId::ren);
    for (int i : {0, 2, 3, 5, 7, 9, 10, 12}) {
        EXPECT_NEAR(t.thirdCents[i], 386.30, 1e-9) << i;
    }
    EXPECT_NEAR(t.thirdCents[4], 386.35, 1e-9);
    for (int i : {1, 6, 8, 11}) {
        EXPECT_TRUE(std::abs(t.thirdCents[i] - 427.40) < 1e-9 ||
                    std::abs(t.thirdCents[i] - 427.35) < 1e-9)
            << i << ": " << t.thirdCents[i];
    }
    for (int i : {2, 6, 10}) {
        EXPECT_NEAR(t.fifthCents[i], 680.45, 1e-9) << i;
    }
    EXPECT_NEAR(t.fifthCents[8], 743.00, 1e-9);
}

TEST(Presets, MeantoneIntervals) {
    const ToneTable t = tunedTo(PresetId::praet);
    for (int i = 0; i <= 12; ++i) {
        if (i == 8) {
            EXPECT_NEAR(t.fifthCents[i], 737.60, 1e-9);
        } else {
            EXPECT_TRUE(std::abs(t.fifthCents[i] - 696.55) < 1e-9 ||
                        std::abs(t.fifthCents[i] - 696.60) < 1e-9)
                << i << ": " << t.fifthCents[i];
        }
    }
    for (int i : {1, 6, 8, 11}) {
        EXPECT_TRUE(std::abs(t.thirdCents[i] - 427.35) < 1e-9 ||
                    std::abs(t.thirdCents[i] - 427.40) < 1e-9)
            << i << ": " << t.thirdCents[i];
    }
}

TEST(Presets, Captions) {
    EXPECT_EQ(presetInfo(PresetId::pyt).stemningText, "Pythagoræisk stemning");
    EXPECT_EQ(presetInfo(PresetId::bach).caption, "\"Wohltemperierte\"");
    EXPECT_EQ(presetInfo(PresetId::bach).stemningText, "\"Wohltemperierte\" ");
    EXPECT_EQ(presetInfo(PresetId::lige).caption, "Ligesvævende");
    EXPECT_EQ(presetInfo(PresetId::werck3).id, "werck3");
    EXPECT_EQ(presetInfo(PresetId::werck3).stemningText, "Werckmeister-V");
}
