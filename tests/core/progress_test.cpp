#include "core/progress/progress_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <unistd.h>

using namespace klangora;
namespace fs = std::filesystem;

namespace {

class ProgressFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("klangora-progress-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "progress.txt";
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path folder;
    fs::path file;
};

std::vector<ProgressRecord> everyKind() {
    ExerciseOutcome staircase{ExerciseKind::pureOrTempered,
                              {{true, 16.0, "", ""}, {false, 11.2, "", ""}},
                              2.6,
                              std::nullopt,
                              {},
                              "Tærskel 2,6 cent;\tefter 2 runder\nny linje \\ slut"};
    ExerciseOutcome tune{ExerciseKind::tunePure, {{true, -1.25, "", ""}}, 1.25, 0.37, {}, "Stem"};
    ExerciseOutcome which{ExerciseKind::whichTemperament,
                          {{true, std::nullopt, "werckmeister3", "werckmeister3"},
                           {false, std::nullopt, "mean;tone", "equal"}},
                          std::nullopt,
                          std::nullopt,
                          {"werckmeister3", "mean;tone"},
                          "1 af 2"};
    const LessonIdentity lesson{"Kommaet\tog tersen", "/lektioner/komma.lektion"};
    return {{"2026-12-01T09:00:00Z", staircase},
            {"2026-12-02T09:00:00Z", tune},
            {"2026-12-03T09:00:00Z", which},
            {"2026-12-04T09:00:00Z", LessonAnswerRecord{lesson, 3, 1, true}},
            {"2026-12-04T09:05:00Z", LessonPassedRecord{lesson, 2, 3}}};
}

TEST_F(ProgressFolder, EveryKindOfRecordReadsBackAsWritten) {
    const std::vector<ProgressRecord> written = everyKind();
    ASSERT_TRUE(saveProgressFile(file, written));
    const ProgressLoad load = loadProgressFile(file, "2026-12-05T00:00:00Z");
    EXPECT_TRUE(load.faults.empty());
    EXPECT_FALSE(load.setAside);
    ASSERT_EQ(load.records.size(), written.size());
    for (std::size_t n = 0; n < written.size(); ++n) {
        EXPECT_EQ(progressLine(load.records[n]), progressLine(written[n])) << n;
        EXPECT_EQ(load.records[n].time, written[n].time);
    }
    const auto& staircase = std::get<ExerciseOutcome>(load.records[0].what);
    EXPECT_EQ(staircase.summary, "Tærskel 2,6 cent;\tefter 2 runder\nny linje \\ slut");
    EXPECT_EQ(staircase.thresholdCents, 2.6);
    EXPECT_FALSE(staircase.beatsPerSecond);
    EXPECT_EQ(staircase.answers[1].cents, 11.2);
    EXPECT_FALSE(staircase.answers[1].right);
    EXPECT_EQ(std::get<ExerciseOutcome>(load.records[1].what).beatsPerSecond, 0.37);
    const auto& which = std::get<ExerciseOutcome>(load.records[2].what);
    EXPECT_EQ(which.temperaments, (std::vector<std::string>{"werckmeister3", "mean;tone"}));
    EXPECT_EQ(which.answers[1].played, "mean;tone");
    EXPECT_FALSE(which.answers[1].cents);
    const auto& answer = std::get<LessonAnswerRecord>(load.records[3].what);
    EXPECT_EQ(answer.lesson.title, "Kommaet\tog tersen");
    EXPECT_EQ(std::make_pair(answer.stepIndex, answer.answerIndex), std::make_pair(3, 1));
    EXPECT_EQ(std::get<LessonPassedRecord>(load.records[4].what).questions, 3);
    // The file takes its name whole: no temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
    EXPECT_EQ(contents(file).substr(0, 20), "klangora-progress 1\n");
}

TEST_F(ProgressFolder, ASaveThatCannotBeMadeLeavesTheFileBeforeAsItWas) {
    ASSERT_TRUE(saveProgressFile(file, everyKind()));
    const std::string before = contents(file);
    // A folder that cannot be made, and a name taken by a folder the new file cannot replace.
    EXPECT_FALSE(saveProgressFile(file / "progress.txt", {}));
    fs::create_directories(folder / "taken" / "inside");
    EXPECT_FALSE(saveProgressFile(folder / "taken", {}));
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);
}

struct Damage {
    const char* name;
    std::string text; // none: a folder stands where the file should be
    int line;
    ProgressFaultKind kind;
    std::size_t kept;
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedFile : public ProgressFolder, public ::testing::WithParamInterface<Damage> {};

const std::string kGood = "2026-12-01T09:00:00Z\tpassed\tKomma\tkomma.lektion\t2\t3\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedFile,
    ::testing::Values(
        Damage{"lesson", "klangora-lektion 1\n" + kGood, 1, ProgressFaultKind::notProgress, 0},
        Damage{"later", "klangora-progress 2\n" + kGood, 1, ProgressFaultKind::laterVersion, 0},
        Damage{"comma",
               "klangora-progress 1\n" + kGood +
                   "2026-12-02T09:00:00Z\texercise\ttune-pure\t2,5\t\t\tx\n",
               3, ProgressFaultKind::badNumber, 1},
        Damage{"word", "klangora-progress 1\n2026-12-02T09:00:00Z\tfailed\tKomma\n" + kGood, 2,
               ProgressFaultKind::unknownRecord, 1},
        Damage{"time", "klangora-progress 1\n" + kGood + "\n2026-12-02 09:00\tpassed\ta\tb\t1\t1\n",
               4, ProgressFaultKind::badTime, 1},
        Damage{"fields", "klangora-progress 1\n2026-12-02T09:00:00Z\tpassed\tKomma\t2\t3\n", 2,
               ProgressFaultKind::fieldCount, 0},
        Damage{"escape",
               "klangora-progress 1\n" + kGood + "2026-12-02T09:00:00Z\tanswer\tK\\x\tk\t1\t1\t1\n",
               3, ProgressFaultKind::badValue, 1},
        Damage{"answer",
               "klangora-progress 1\n2026-12-02T09:00:00Z\texercise\ttune-pure\t1\t\t\tx\t1;2\n", 2,
               ProgressFaultKind::badValue, 0},
        Damage{"stepZero", "klangora-progress 1\n2026-12-02T09:00:00Z\tanswer\tK\tk\t0\t1\t1\n", 2,
               ProgressFaultKind::badNumber, 0},
        Damage{"folder", {}, 0, ProgressFaultKind::unreadable, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(DamagedFile, IsSetAsideWholeWithItsLineAndReason) {
    const Damage& damage = GetParam();
    if (damage.text.empty()) {
        fs::create_directory(file);
    } else {
        std::ofstream(file, std::ios::binary) << damage.text;
    }
    const ProgressLoad load = loadProgressFile(file, "2026-12-10T11:50:28Z");
    ASSERT_EQ(load.faults.size(), 1u);
    EXPECT_EQ(load.faults[0].line, damage.line);
    EXPECT_EQ(load.faults[0].kind, damage.kind);
    EXPECT_EQ(load.records.size(), damage.kept);
    ASSERT_TRUE(load.setAside);
    EXPECT_EQ(*load.setAside, folder / "progress.txt.damaged-20261210T115028Z");
    EXPECT_FALSE(fs::exists(file));
    if (!damage.text.empty()) {
        EXPECT_EQ(contents(*load.setAside), damage.text);
    }
    // A second damaged file the same second finds a name of its own.
    std::ofstream(file) << "?";
    EXPECT_EQ(loadProgressFile(file, "2026-12-10T11:50:28Z").setAside,
              folder / "progress.txt.damaged-20261210T115028Z-2");
}

} // namespace
