#include "core/lessons/lesson_reader.h"

#include "core/music/midi_file_writer.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

using namespace klangora;

namespace {

// A folder with what lessons name beside them: a piece of four seconds (one note at 120 bpm,
// eight quarters) and a picture.
class LessonFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // One folder per test process: the cases run side by side.
        folder = std::filesystem::temp_directory_path() /
                 ("klangora-lesson-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        MidiTrackWriter track;
        track.noteOn(0, 0, 60);
        track.noteOff(8 * 480, 0, 60);
        const auto bytes = writeMidiFile({}, {track});
        std::ofstream(folder / "kadence.mid", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::ofstream(folder / "komma.png") << "png";
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    static LessonResult parse(const std::string& text) {
        return parseLesson(text, folder, {[](const std::string& name) {
                               return name == "kadence" ? std::optional(folder / "kadence.mid")
                                                        : std::nullopt;
                           }});
    }

    static inline std::filesystem::path folder;
};

constexpr const char* kHeader = "klangora-lektion 1\ntitel: Prøve\n";

} // namespace

TEST_F(LessonFolder, ReadsEveryKindOfStepInEitherLanguage) {
    const auto result = parse(std::string(kHeader) + R"(
# a comment
= tekst
Tolv **rene** kvinter.
![Kommaet](komma.png)
= stemning werckmeister3
= toneart Bb
= opstilling kvinter
= marker terts F# 2.5
= notes C c eb' f#'' 72 1.5s
= piece kadence.mid from 0:01 to 3 repeat sound orgel
= stykke eksempel:kadence
= question Hvilken?
- Den ene
* Den anden
explanation: Fordi.
= tuning-question Hvilken stemning?
- lige
* pythagorean
= exercise tune-pure rounds 4 pass 75%
)");
    ASSERT_TRUE(std::holds_alternative<Lesson>(result))
        << lessonErrorText(std::get<std::vector<LessonError>>(result).front(), true);
    const Lesson& lesson = std::get<Lesson>(result);
    EXPECT_EQ(lesson.title, "Prøve");
    ASSERT_EQ(lesson.steps.size(), 11u);
    const auto& s = lesson.steps;
    EXPECT_NE(s[0].text.find("**rene**"), std::string::npos);
    EXPECT_EQ(s[0].pictures, std::vector{(folder / "komma.png").string()});
    EXPECT_EQ(s[1].tuningName, "werckmeister3");
    EXPECT_EQ(s[2].toneNumber, 11);
    EXPECT_TRUE(s[3].fifths);
    EXPECT_EQ(s[4].row, MarkRow::third);
    EXPECT_EQ(s[4].toneNumber, 7);
    EXPECT_EQ(s[4].seconds, 2.5);
    // Helmholtz's letters: C the great octave, c the small, c' the fixed c (60).
    EXPECT_EQ(s[5].notes, (std::vector<int>{36, 48, 63, 78, 72}));
    EXPECT_EQ(s[5].seconds, 1.5);
    EXPECT_EQ(s[6].fromSeconds, 1.0);
    EXPECT_EQ(s[6].toSeconds, 3.0);
    EXPECT_TRUE(s[6].repeat);
    EXPECT_EQ(s[6].sound, "organ");
    EXPECT_EQ(s[7].pieceFile, (folder / "kadence.mid").string());
    ASSERT_EQ(s[8].answers.size(), 2u);
    EXPECT_TRUE(s[8].answers[1].right);
    EXPECT_EQ(s[8].explanation, "Fordi.");
    EXPECT_TRUE(s[9].askForTuning);
    EXPECT_EQ(s[10].exercise, LessonExercise::tunePure);
    EXPECT_EQ(s[10].rounds, 4);
    EXPECT_EQ(s[10].passPercent, 75);
}

struct BrokenLesson {
    const char* name;
    std::string text;
    int line;
    LessonError::Kind kind;
};

class BrokenLessons : public LessonFolder, public ::testing::WithParamInterface<BrokenLesson> {};

// Each fault is named with its line, and no lesson comes back to be run.
TEST_P(BrokenLessons, NameTheLineAndNothingRuns) {
    const auto result = parse(GetParam().text);
    ASSERT_TRUE(std::holds_alternative<std::vector<LessonError>>(result));
    const LessonError& first = std::get<std::vector<LessonError>>(result).front();
    EXPECT_EQ(first.line, GetParam().line);
    EXPECT_EQ(first.kind, GetParam().kind);
    const std::string text = lessonErrorText(first, false);
    EXPECT_EQ(text.rfind("linje " + std::to_string(GetParam().line) + ": ", 0), 0u) << text;
}

using K = LessonError::Kind;
const std::string kH = kHeader;
INSTANTIATE_TEST_SUITE_P(
    Table, BrokenLessons,
    ::testing::Values(
        BrokenLesson{"scala", "! komma.scl\n", 1, K::notALesson},
        BrokenLesson{"version", "klangora-lektion 2\n", 1, K::unknownVersion},
        BrokenLesson{"untitled", "klangora-lektion 1\n= tekst\nHej\n", 1, K::noTitle},
        BrokenLesson{"empty", kH, 2, K::noSteps},
        BrokenLesson{"unknown step", kH + "= tekst\nHej\n= synge højt\n", 5, K::unknownStep},
        BrokenLesson{"header word", kH + "forfatter: Bach\n= tekst\n", 3, K::outsideStep},
        BrokenLesson{"tuning", kH + "= stemning kirnberger9\n", 3, K::unknownTuning},
        BrokenLesson{"scl missing", kH + "= stemning ikke-her.scl\n", 3, K::unknownTuning},
        BrokenLesson{"ambiguous b", kH + "= toneart B\n", 3, K::unknownNote},
        BrokenLesson{"arrangement", kH + "= opstilling spiral\n", 3, K::badArgument},
        BrokenLesson{"mark row", kH + "= marker sekst C\n", 3, K::badArgument},
        BrokenLesson{"note", kH + "= toner c' x'\n", 3, K::unknownNote},
        BrokenLesson{"too long", kH + "= toner c' 99s\n", 3, K::badTime},
        BrokenLesson{"no notes", kH + "= toner\n", 3, K::badArgument},
        BrokenLesson{"missing piece", kH + "= stykke bach.mid\n", 3, K::missingFile},
        BrokenLesson{"picture", kH + "= tekst\n![x](mangler.png)\n", 4, K::missingFile},
        BrokenLesson{"not music", kH + "= stykke komma.png\n", 3, K::badPiece},
        BrokenLesson{"passage past end", kH + "= stykke kadence.mid fra 0:05\n", 3, K::badTime},
        BrokenLesson{"reversed passage", kH + "= stykke kadence.mid fra 3 til 1\n", 3, K::badTime},
        BrokenLesson{"sound", kH + "= stykke kadence.mid klang tuba\n", 3, K::badArgument},
        BrokenLesson{"one answer", kH + "= spørgsmål Hvad?\n* Ja\n= tekst\n", 3, K::answers},
        BrokenLesson{"two right", kH + "= spørgsmål Hvad?\n* Ja\n* Nej\n", 3, K::answers},
        BrokenLesson{"stray line", kH + "= spørgsmål Hvad?\n* Ja\n- Nej\nmåske\n", 6,
                     K::outsideStep},
        BrokenLesson{"tuning answer", kH + "= spørgsmål-stemning Hvad?\n* lige\n- ingen\n", 5,
                     K::unknownTuning},
        BrokenLesson{"exercise", kH + "= øvelse gæt-tonen\n", 3, K::badArgument},
        BrokenLesson{"pass mark", kH + "= øvelse stem-rent bestå 120\n", 3, K::badArgument}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });
