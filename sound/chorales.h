#pragma once

#include "core/rounding.h"
#include "core/tone_table.h"

#include <array>

namespace klangora {

// One chord of a chorale: its four voices from the top down as tone numbers relative to the
// root number b of the key, and how long it sounds.
struct ChoraleChord {
    std::array<int, 4> voices;
    int durationMs;
};

// The penultimate chord of both chorales is held a tenth longer than the others: 1000 ms times
// 1.1, rounded to whole milliseconds (1100).
inline constexpr int kHeldChordMs = static_cast<int>(roundHalfEven(1000 * 1.1));

// "Koral": seven diatonic chords, in C: E C G C, E H G E, D A F F, C A E A, C A F F, H G D G,
// C G E C. The penultimate chord is held 1100 ms (1000 ms times 1.1), the last 2000 ms.
inline constexpr std::array<ChoraleChord, 7> kChoraleChords = {{
    {{4, 0, -5, -24}, 1000},
    {{4, -1, -5, -20}, 1000},
    {{2, -3, -7, -19}, 1000},
    {{0, -3, -8, -15}, 1000},
    {{0, -3, -7, -19}, 1000},
    {{-1, -5, -10, -17}, kHeldChordMs},
    {{0, -5, -8, -24}, 2000},
}};

// "Jazz-koral": the same frame with chromatic chords, in C: E C G C, E H G# E, E C A A,
// D A F# D, C A F D, H G D G, C G E C.
inline constexpr std::array<ChoraleChord, 7> kJazzChoraleChords = {{
    {{4, 0, -5, -24}, 1000},
    {{4, -1, -4, -20}, 1000},
    {{4, 0, -3, -15}, 1000},
    {{2, -3, -6, -10}, 1000},
    {{0, -3, -7, -22}, 1000},
    {{-1, -5, -10, -17}, kHeldChordMs},
    {{0, -5, -8, -24}, 2000},
}};

// The root number of key button selectedKey (1..13): C is 1, ..., Bb 11, H 0 (the h below the
// fixed c) and the upper C 1 again.
constexpr int rootToneNumber(int selectedKey) {
    return selectedKey % 12;
}

// The four frequencies of a chorale chord on root number root, top voice first, as the chord
// player sounds them (in the key of H the bass of the first and last chords reaches tone
// number -24, the h below the table).
std::array<double, 4> choraleChordHz(const ToneTable& table, int root, const ChoraleChord& chord);

} // namespace klangora
