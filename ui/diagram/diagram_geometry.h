#pragma once

#include <array>
#include <cstddef>

// Where things stand in the triad diagram, in window pixels. Column c (1..13) is centred on
// x = kColumnSpacing * c + kColumnOffset; the readout panel's children are placed relative to
// the panel's left edge.
namespace diagram {

// The note names of tone numbers 1..13; the upper c is "C" again.
inline constexpr std::array<const char*, 13> kNoteNames = {"C", "C#", "D", "Eb", "E", "F", "F#",
                                                           "G", "G#", "A", "Bb", "H", "C"};

inline const char* noteName(int tone) {
    return kNoteNames[static_cast<std::size_t>(tone - 1)];
}

inline constexpr int kColumnSpacing = 40;
inline constexpr int kColumnOffset = 100;

constexpr int columnLine(int column) {
    return kColumnSpacing * column + kColumnOffset;
}
// The marks (25 pixels wide) stand 2 pixels right of their column's centre, over the bars.
inline constexpr int kMarkShift = 2;
// The key button stands this far right of its column line, just right of the note name's
// centre, under the root mark.
inline constexpr int kKeyButtonShift = 124;

// The readout panel, and the message panel of the same width above it.
inline constexpr int kPanelLeft = 120;
inline constexpr int kPanelWidth = 545;

// Tops: the third and fifth bars, the note names inside the panel (the key's name stands 2
// pixels higher in a larger font), the key buttons, and the sliders hidden behind the panel.
inline constexpr int kThirdBarTop = 128;
inline constexpr int kFifthBarTop = 16;
inline constexpr int kNoteNameTop = 15;
inline constexpr int kKeyButtonTop = 300;
inline constexpr int kSliderTop = 365;

// Mark heights: 89 pixels for every 80 cents, upwards for wider intervals, from the top a mark
// has when its interval is tempered equally (a 400-cent third at 160, a 700-cent fifth at 48).
inline constexpr long double kPixelsPerCent = 89.0L / 80.0L;
inline constexpr long double kEqualThirdCents = 400.0L;
inline constexpr long double kEqualThirdTop = 160.0L;
inline constexpr long double kEqualFifthCents = 700.0L;
inline constexpr long double kEqualFifthTop = 48.0L;

// The dotted reference lines, where the centre of a mark sits when its interval is pure
// (third, fifth), and the centre line of the roots.
inline constexpr int kPureThirdLineY = 183;
inline constexpr int kPureFifthLineY = 54;
inline constexpr int kRootLineY = 272;
inline constexpr int kReferenceLineLeft = 120;
inline constexpr int kReferenceLineRight = 640;

// H's fifth bar: in its chromatic column, or, in the fifths arrangement, in the place of the
// invisible bar under F's fifth (the c).
inline constexpr int kHFifthBarChromaticLeft = 580;
inline constexpr int kHFifthBarFifthsLeft = 340;

inline constexpr int kNoSelection = 14;

// The tone number (1..13) that the mark of a column and row stands for: the root, the major
// third above it (4 semitones) or the fifth (7), folded back into the octave.
constexpr int shapeTone(int column, int row) {
    const int tone = column + (row == 0 ? 0 : row == 1 ? 4 : 7);
    return tone > 13 ? tone - 12 : tone;
}

// A c: the tone every other is tuned from, which no slider moves.
constexpr bool isFixedC(int tone) {
    return tone == 1 || tone == 13;
}

// The column a tone stands in. In the fifths arrangement the roots run C G D A E H F# C# G# Eb
// Bb F C', so only the six even tone numbers move: 2 -> 8, 4 -> 10, 6 -> 12, 8 -> 2, ...
constexpr int columnOf(int tone, bool fifths) {
    if (!fifths || tone % 2 != 0) {
        return tone;
    }
    return (tone + 5) % 12 + 1;
}

} // namespace diagram
