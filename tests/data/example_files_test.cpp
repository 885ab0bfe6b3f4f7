// Every example piece the build writes, read back by the program's own MIDI file reader: how
// many notes, how long, which voices, and which major triads sound for how long.
#include "core/music/midi_file_reader.h"
#include "core/music/piece_notes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

using namespace klangora;
using namespace klangora::music;

namespace {

const std::filesystem::path kFolder = KLANGORA_EXAMPLES_DIR;

Piece readExample(const std::string& fileName) {
    const MidiFileResult result = readMidiFile(kFolder / fileName);
    if (const auto* error = std::get_if<MidiFileError>(&result)) {
        ADD_FAILURE() << fileName << ": " << midiFileReason(*error);
        return {};
    }
    return std::get<Piece>(result);
}

// The keys struck at the piece's start, lowest first.
std::vector<int> firstChord(const Piece& piece) {
    std::vector<int> keys;
    for (const PieceEvent& event : piece.events) {
        if (event.kind == PieceEvent::Kind::noteOn && event.seconds == 0.0) {
            keys.push_back(event.key);
        }
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

constexpr std::array<const char*, 12> kKeySlugs = {"c",   "cis", "d",   "es", "e", "f",
                                                   "fis", "g",   "gis", "a",  "b", "h"};

TEST(ExampleFiles, TheFolderHoldsTheCadenceAndTwelveOfEachChorale) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        files += entry.path().extension() == ".mid" ? 1 : 0;
    }
    EXPECT_EQ(files, 25);
}

// Twelve keys of four four-voice chords, each cadence five quarters of a second long and a
// quarter's rest between keys: 11 * 6 + 5 seconds.
TEST(ExampleFiles, TheCadenceHasFourVoicesInTwelveKeys) {
    const Piece piece = readExample("kadence-kvintcirklen.mid");
    EXPECT_EQ(piece.noteCount, 12 * 4 * 4);
    EXPECT_DOUBLE_EQ(piece.lengthSeconds, 71.0);
    EXPECT_EQ(firstChord(piece), (std::vector<int>{48, 55, 64, 72}));
}

// Every major triad is the tonic of one key (I for a quarter and at the end for a half note),
// the subdominant of another and the dominant of a third: five seconds each.
TEST(ExampleFiles, TheCadenceRestsOnEveryTriadAlike) {
    const TriadTimes times = triadTimes(readExample("kadence-kvintcirklen.mid"));
    for (int root = 0; root < 12; ++root) {
        EXPECT_NEAR(times.seconds[static_cast<std::size_t>(root)], 5.0, 1e-9) << "root " << root;
    }
}

struct ChoraleRow {
    const char* prefix;
    std::array<int, 12> majorSecondsInC; // tenths of a second per root, in C
};

// "Koral" in C: C E G C (C major, 1 s), E H G E, D A F F, C A E A, C A F F (F major, 1 s),
// H G D G (G major, 1.1 s), C G E C (C major, 2 s). "Jazz-koral" in C: C major 1 s, E H G# E
// (E major, 1 s), E C A A, D A F# D (D major, 1 s), C A F D (a D minor seventh chord, which
// holds the F major triad, 1 s), G major 1.1 s, C major 2 s.
const std::array<ChoraleRow, 2> kChorales = {{
    {"koral", {30, 0, 0, 0, 0, 10, 0, 11, 0, 0, 0, 0}},
    {"jazzkoral", {30, 0, 10, 0, 10, 10, 0, 11, 0, 0, 0, 0}},
}};

class ChoraleFiles : public testing::TestWithParam<int> {};

TEST_P(ChoraleFiles, SevenFourVoiceChordsInTheKeyOfTheButton) {
    const int key = GetParam(); // 0 = C .. 11 = H
    for (const ChoraleRow& row : kChorales) {
        const std::string name = std::string(row.prefix) + "-" + kKeySlugs[key] + "-dur.mid";
        const Piece piece = readExample(name);
        EXPECT_EQ(piece.noteCount, 28) << name;
        EXPECT_NEAR(piece.lengthSeconds, 8.1, 1e-9) << name;
        // In C: E C G C from the c two octaves below the fixed c; the key of H lies a semitone
        // below C, not eleven above, as the sound buttons play it.
        const int shift = key == 11 ? -1 : key;
        EXPECT_EQ(firstChord(piece),
                  (std::vector<int>{36 + shift, 55 + shift, 60 + shift, 64 + shift}))
            << name;
        const TriadTimes times = triadTimes(piece);
        for (int root = 0; root < 12; ++root) {
            const int rootInC = (root - key + 12) % 12;
            EXPECT_NEAR(times.seconds[static_cast<std::size_t>(root)],
                        row.majorSecondsInC[static_cast<std::size_t>(rootInC)] / 10.0, 1e-9)
                << name << " root " << root;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKey, ChoraleFiles, testing::Range(0, 12));

} // namespace
