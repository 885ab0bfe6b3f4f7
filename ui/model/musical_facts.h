#pragma once

// The music the window is about, without a pixel: the thirteen tones of the octave c..c' by
// tone number 1..13, which tone each mark of a triad stands for, and the fixed c.
#include "core/musical_facts.h"

#include <QtGlobal>

#include <array>
#include <cstddef>

namespace music {

using klangora::kFifthSemitones;
using klangora::kMajorThirdSemitones;

// The note names of tone numbers 1..13; the upper c is "C" again.
inline constexpr std::array<const char*, 13> kNoteNames = {
    "C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", QT_TRANSLATE_NOOP("klangora", "H"),
    "C"};

inline const char* noteName(int tone) {
    return kNoteNames[static_cast<std::size_t>(tone - 1)];
}

// The semitones above a triad's root of row 0 (the root), 1 (the third) and 2 (the fifth).
constexpr int semitonesOfRow(int row) {
    return row == 0 ? 0 : row == 1 ? kMajorThirdSemitones : kFifthSemitones;
}

// The tone number (1..13) that the mark of a triad on root `column` and row stands for: the
// root, its major third or its fifth, folded back into the octave.
constexpr int markTone(int column, int row) {
    const int tone = column + semitonesOfRow(row);
    return tone > 13 ? tone - 12 : tone;
}

// A c: the tone every other is tuned from, which no slider moves.
constexpr bool isFixedC(int tone) {
    return tone == 1 || tone == 13;
}

using klangora::kFixedCNote;

// The place (1..13) of a tone in the chromatic order, or in the order of fifths, where the roots
// run C G D A E H F# C# G# Eb Bb F C': only the six even tone numbers move, 2 -> 8, 4 -> 10,
// 6 -> 12, 8 -> 2, ..., so the same mapping also leads back from a place to its tone.
constexpr int placeOf(int tone, bool fifths) {
    if (!fifths || tone % 2 != 0) {
        return tone;
    }
    return (tone + 5) % 12 + 1;
}

} // namespace music
