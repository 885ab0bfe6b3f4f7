// Names on the command line to tunings: the buttons' ids, the library's ids and Scala files, each
// checked by an interval whose size is a known fact of that temperament.
#include "core/music/tuning_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace klangora;

namespace {

struct KnownInterval {
    const char* name;
    int toneIndex;      // above c
    double centsAboveC; // what the temperament puts there
};

class TuningNames : public ::testing::TestWithParam<KnownInterval> {};

TEST_P(TuningNames, PutTheToneWhereTheTemperamentHasIt) {
    const TuningNameResult result = resolveTuningName(GetParam().name);
    ASSERT_TRUE(std::holds_alternative<NamedTuning>(result));
    const auto& tuning = std::get<NamedTuning>(result);
    EXPECT_EQ(tuning.tuning.centsAboveC()[0], 0);
    EXPECT_NEAR(tuning.tuning.centsAboveC()[static_cast<std::size_t>(GetParam().toneIndex)],
                GetParam().centsAboveC, 0.05);
    EXPECT_FALSE(tuning.caption.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Known, TuningNames,
    ::testing::Values(KnownInterval{"pyt", 4, 408.0},  // four fifths of 702 cents, two octaves down
                      KnownInterval{"pyt", 7, 702.0},  // the fifth in whole cents
                      KnownInterval{"lige", 4, 400.0}, // equal temperament
                      KnownInterval{"praet", 4, 386.31},     // meantone's pure third c-e
                      KnownInterval{"meantone6", 7, 698.37}, // a sixth of a comma off the fifth
                      KnownInterval{"vallotti", 7, 698.04},  // a sixth of a Pythagorean comma
                      // Own names in any case; "werck1" is still Werckmeister III.
                      KnownInterval{"werckmeister3", 4, 390.2}, KnownInterval{"werck1", 4, 390.2},
                      KnownInterval{"werckmeister5", 4, 396.1},
                      KnownInterval{"PYTHAGORÆISK", 4, 408.0},
                      KnownInterval{"welltempered", 4, 395.47}),
    [](const auto& info) { return "name" + std::to_string(info.index); });

std::filesystem::path writeFile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << text;
    return path;
}

TEST(TuningName, AScalaFileIsReadWithItsDescription) {
    const auto path = writeFile("klangora-tuning-name.scl",
                                "! just\nRen stemning\n12\n16/15\n9/8\n6/5\n5/4\n4/3\n45/32\n3/2\n"
                                "8/5\n5/3\n9/5\n15/8\n2/1\n");
    const TuningNameResult result = resolveTuningName(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(std::holds_alternative<NamedTuning>(result));
    EXPECT_EQ(std::get<NamedTuning>(result).caption, "Ren stemning");
    EXPECT_NEAR(std::get<NamedTuning>(result).tuning.centsAboveC()[4], 386.31, 0.05);
}

TEST(TuningName, RefusalsSayWhy) {
    const auto seven = writeFile("klangora-seven.scl", "seven\n7\n1\n2\n3\n4\n5\n6\n2/1\n");
    const struct {
        std::string name;
        TuningNameError::Kind kind;
    } rows[] = {{"pythagoras", TuningNameError::Kind::unknown},
                {"", TuningNameError::Kind::unknown},
                {"/nonexistent/x.scl", TuningNameError::Kind::unreadableFile},
                {seven.string(), TuningNameError::Kind::notAScale}};
    for (const auto& row : rows) {
        const TuningNameResult result = resolveTuningName(row.name);
        ASSERT_TRUE(std::holds_alternative<TuningNameError>(result)) << row.name;
        EXPECT_EQ(std::get<TuningNameError>(result).kind, row.kind) << row.name;
        EXPECT_NE(tuningNameReason(std::get<TuningNameError>(result)).find(row.name),
                  std::string::npos);
    }
    std::filesystem::remove(seven);
}

} // namespace
