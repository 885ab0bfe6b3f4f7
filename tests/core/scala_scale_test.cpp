#include "core/presets.h"
#include "core/scala_scale.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace klangora;

namespace {

// Equal temperament in cents with the octave as 2/1, one pitch a line, with some pitches
// replaced: the file a test row starts from.
std::string scaleText(const std::map<int, std::string>& replaced = {},
                      const std::string& head = "! sample.scl\nSample\n 12\n",
                      const std::string& lineEnd = "\n") {
    std::string text = head;
    for (int pitch = 1; pitch <= 12; ++pitch) {
        const auto found = replaced.find(pitch);
        const std::string value = found != replaced.end() ? found->second
                                  : pitch == 12           ? "2/1"
                                                          : std::to_string(100 * pitch) + ".0";
        text += " " + value + lineEnd;
    }
    return text;
}

SliderPositions positionsWith(std::map<int, int> set) {
    SliderPositions positions{};
    for (const auto& [toneIndex, position] : set) {
        positions[static_cast<std::size_t>(toneIndex - 1)] = position;
    }
    return positions;
}

std::string justRatiosText(const std::string& lineEnd) {
    std::string text = "! ren.scl" + lineEnd + "!" + lineEnd + "Just intonation" + lineEnd + "12" +
                       lineEnd + "! the pitches" + lineEnd;
    for (const char* ratio : {"25/24", "9/8 D", "6/5", "5/4 E\\", "4/3", "45/32", "3/2", "25/16",
                              "5/3", "9/5", "15/8", "2/1"}) {
        text.append("\t").append(ratio).append(" ").append(lineEnd);
    }
    return text + lineEnd + "lines after the last pitch are not read" + lineEnd;
}

struct Accepted {
    const char* name;
    std::string text;
    std::string description;
    SliderPositions positions;
    friend void PrintTo(const Accepted& c, std::ostream* os) { *os << c.name; }
};

class ReaderAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(ReaderAccepts, PositionsAndDescription) {
    const ScalaReadResult result = readScala(GetParam().text);
    const auto* scale = std::get_if<ScalaScale>(&result);
    ASSERT_NE(scale, nullptr) << "refused: fault "
                              << static_cast<int>(std::get<ScalaError>(result).fault);
    EXPECT_EQ(scale->description, GetParam().description);
    EXPECT_EQ(scale->tuning.positions(), GetParam().positions);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReaderAccepts,
    testing::Values(
        Accepted{"ratiosWithRemarksLf", justRatiosText("\n"), "Just intonation",
                 presetPositions(PresetId::ren)},
        Accepted{"ratiosCrLf", justRatiosText("\r\n"), "Just intonation",
                 presetPositions(PresetId::ren)},
        Accepted{"ratiosCr", justRatiosText("\r"), "Just intonation",
                 presetPositions(PresetId::ren)},
        // 390.225 on E is 195.5 twentieths below 400: the tie goes to the even 196.
        Accepted{"centsTieToEven",
                 scaleText({{4, "390.225"}, {1, "70.675"}, {2, "192.18000 cents"}}), "Sample",
                 positionsWith({{4, 196}, {1, 586}, {2, 156}})},
        // Digits far beyond double precision still decide which way a near-tie goes.
        Accepted{"centsDecidedByLateDigits",
                 scaleText({{4, "390.22500000000000001"}, {5, "490.22499999999999999"}}), "Sample",
                 positionsWith({{4, 195}, {5, 196}})},
        Accepted{"centsWithoutDigitsAfterPoint", scaleText({{3, "+330."}, {6, "570.00"}}), "Sample",
                 positionsWith({{3, -600}, {6, 600}})},
        Accepted{"bareIntegersAndOctaveInCents",
                 scaleText({{7, "3/2"}, {12, "1200.0004"}}, "Plain\n12\n"), "Plain",
                 positionsWith({{7, -39}})},
        Accepted{"octaveAsBareInteger", scaleText({{12, "2"}}, "x\n12\n"), "x", {}},
        Accepted{"emptyDescription", scaleText({}, "! no name\n\n12\n"), "", {}},
        Accepted{"latin1Description",
                 scaleText({}, "Kirnberger \xD8 \x01!\n12\n"),
                 "Kirnberger \xC3\x98  !",
                 {}},
        Accepted{"utf8DescriptionAfterMark",
                 scaleText({}, "\xEF\xBB\xBF  Ren stemning \n12\n"),
                 "Ren stemning",
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refused {
    const char* name;
    std::string text;
    ScalaFault fault;
    int line;
    std::int64_t pitchCount = 0;
    std::int64_t pitchesFound = 0;
    int toneIndex = 0;
    double distanceCents = 0.0;
    friend void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }
};

class ReaderRefuses : public testing::TestWithParam<Refused> {};

TEST_P(ReaderRefuses, WithItsReason) {
    const ScalaReadResult result = readScala(GetParam().text);
    const auto* error = std::get_if<ScalaError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->fault, GetParam().fault);
    EXPECT_EQ(error->line, GetParam().line);
    EXPECT_EQ(error->pitchCount, GetParam().pitchCount);
    EXPECT_EQ(error->pitchesFound, GetParam().pitchesFound);
    EXPECT_EQ(error->toneIndex, GetParam().toneIndex);
    EXPECT_NEAR(error->distanceCents, GetParam().distanceCents, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReaderRefuses,
    testing::Values(
        Refused{"empty", "", ScalaFault::noPitchCount, 0},
        Refused{"onlyComments", "! a\n! b\n", ScalaFault::noPitchCount, 0},
        Refused{"onlyDescription", "! a\nSome scale\n", ScalaFault::noPitchCount, 0},
        Refused{"countNotANumber", "x\n! c\ntwelve\n100.0\n", ScalaFault::noPitchCount, 3},
        Refused{"countNegative", "x\n-12\n", ScalaFault::noPitchCount, 2},
        Refused{"countTooLarge", "x\n2147483648\n", ScalaFault::valueTooLarge, 2},
        Refused{"fewerPitchesThanSaid", "x\n12\n100.0\n! 200.0\n300.0\n",
                ScalaFault::missingPitches, 0, 12, 2},
        Refused{"pitchNotANumber", scaleText({{5, "fifth"}}), ScalaFault::badPitch, 8},
        Refused{"ratioNegative", scaleText({{2, "-9/8"}}), ScalaFault::badPitch, 5},
        Refused{"ratioZero", scaleText({{2, "0/8"}}), ScalaFault::badPitch, 5},
        Refused{"ratioZeroDenominator", scaleText({{2, "9/0"}}), ScalaFault::badPitch, 5},
        Refused{"ratioHalf", scaleText({{2, "9/"}}), ScalaFault::badPitch, 5},
        Refused{"centsExponent", scaleText({{2, "2.0e2"}}), ScalaFault::badPitch, 5},
        Refused{"centsWithoutDigits", scaleText({{2, "-."}}), ScalaFault::badPitch, 5},
        Refused{"centsWithComma", scaleText({{2, "200,0"}}), ScalaFault::badPitch, 5},
        Refused{"ratioTooLarge", scaleText({{3, "2147483648/2147483647"}}),
                ScalaFault::valueTooLarge, 6},
        Refused{"centsTooLarge", scaleText({{3, "2147483648.0"}}), ScalaFault::valueTooLarge, 6},
        Refused{"badPitchBeyondTwelve", scaleText({}, "x\n13\n") + "oops\n", ScalaFault::badPitch,
                15},
        Refused{"sevenPitches", "pentatonic+\n7\n200.\n300.\n500.\n700.\n800.\n1000.\n2/1\n",
                ScalaFault::wrongPitchCount, 0, 7},
        Refused{"noPitches", "x\n0\n", ScalaFault::wrongPitchCount, 0, 0},
        Refused{"periodATritave", scaleText({{12, "3/1"}}), ScalaFault::lastNotOctave, 0},
        Refused{"periodJustOutsideTolerance", scaleText({{12, "1200.00051"}}),
                ScalaFault::lastNotOctave, 0},
        Refused{"toneFarInCents", scaleText({{6, "640.0"}}), ScalaFault::toneTooFar, 0, 0, 0, 6,
                40.0},
        Refused{"toneJustBeyondThirty", scaleText({{1, "130.000000001"}}), ScalaFault::toneTooFar,
                0, 0, 0, 1, 30.000000001},
        Refused{"toneFarBelow", scaleText({{11, "-5.0"}}), ScalaFault::toneTooFar, 0, 0, 0, 11,
                -1105.0},
        Refused{"ratioFar", scaleText({{2, "7/6"}}), ScalaFault::toneTooFar, 0, 0, 0, 2,
                66.8709056037},
        Refused{"largestRatioFar", scaleText({{9, "2147483647/1"}}), ScalaFault::toneTooFar, 0, 0,
                0, 9, 36299.9999992}),
    [](const auto& info) { return std::string(info.param.name); });

// Every preset and every position an arrow key can reach on every slider comes back exactly.
TEST(ScalaRoundTrip, EveryPresetAndEveryPosition) {
    std::vector<SliderPositions> tunings;
    for (PresetId id : kAllPresets) {
        tunings.push_back(presetPositions(id));
    }
    for (int p = kSliderMin; p <= kSliderMax; ++p) {
        SliderPositions positions{};
        for (int k = 0; k < kSliderCount; ++k) {
            positions[static_cast<std::size_t>(k)] = (p + 600 + 97 * k) % 1201 - 600;
        }
        tunings.push_back(positions);
    }
    for (const SliderPositions& positions : tunings) {
        const std::string text =
            writeScala("Din Egen Stemning!.scl", "Din Egen Stemning!", Tuning(positions));
        const ScalaReadResult result = readScala(text);
        const auto* scale = std::get_if<ScalaScale>(&result);
        ASSERT_NE(scale, nullptr) << text;
        EXPECT_EQ(scale->tuning.positions(), positions) << text;
        EXPECT_EQ(scale->description, "Din Egen Stemning!");
    }
}

TEST(ScalaWriter, WritesTheTuningInCentsWithTwoDecimals) {
    EXPECT_EQ(writeScala("Ren stemning.scl", "Ren stemning", Tuning::preset(PresetId::ren)),
              "! Ren stemning.scl\nRen stemning\n 12\n 70.65\n 203.90\n 315.65\n 386.30\n"
              " 498.05\n 590.20\n 701.95\n 772.65\n 884.35\n 1017.60\n 1088.25\n 2/1\n");
    // Names and captions stay one line, and a caption starting with '!' is not a comment.
    const std::string odd = writeScala("a\nb.scl", "!x\r", {});
    EXPECT_EQ(odd.substr(0, 16), "! a b.scl\n !x \n ");
    const ScalaReadResult result = readScala(odd);
    ASSERT_TRUE(std::holds_alternative<ScalaScale>(result));
    EXPECT_EQ(std::get<ScalaScale>(result).description, "!x");
}

} // namespace
