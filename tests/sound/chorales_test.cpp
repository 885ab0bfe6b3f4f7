#include "sound/chorales.h"

#include <gtest/gtest.h>

#include <string>

using namespace klangora;

namespace {

// The note a tone number sounds, whatever its octave.
std::string noteName(int toneNumber) {
    static const char* const names[] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                        "F#", "G",  "G#", "A",  "Bb", "H"};
    return names[((toneNumber - 1) % 12 + 12) % 12];
}

std::string notesInC(const ChoraleChord& chord) {
    std::string notes;
    for (int offset : chord.voices) {
        if (!notes.empty()) {
            notes += ' ';
        }
        notes += noteName(rootToneNumber(1) + offset);
    }
    return notes;
}

} // namespace

TEST(Chorales, SpellTheirChordsInC) {
    const char* const chorale[] = {"E C G C", "E H G E", "D A F F", "C A E A",
                                   "C A F F", "H G D G", "C G E C"};
    const char* const jazz[] = {"E C G C", "E H G# E", "E C A A", "D A F# D",
                                "C A F D", "H G D G",  "C G E C"};
    for (std::size_t n = 0; n < 7; ++n) {
        EXPECT_EQ(notesInC(kChoraleChords[n]), chorale[n]) << "chord " << n + 1;
        EXPECT_EQ(notesInC(kJazzChoraleChords[n]), jazz[n]) << "chord " << n + 1;
        // All chords last 1000 ms but the last two: 1100 (1000 times 1.1) and 2000.
        const int ms = n == 5 ? 1100 : n == 6 ? 2000 : 1000;
        EXPECT_EQ(kChoraleChords[n].durationMs, ms);
        EXPECT_EQ(kJazzChoraleChords[n].durationMs, ms);
    }
}

TEST(Chorales, KeyButtonsGiveRootNumbers) {
    EXPECT_EQ(rootToneNumber(1), 1);
    EXPECT_EQ(rootToneNumber(2), 2);
    EXPECT_EQ(rootToneNumber(11), 11);
    EXPECT_EQ(rootToneNumber(12), 0);
    EXPECT_EQ(rootToneNumber(13), 1);
}
