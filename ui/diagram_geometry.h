#pragma once

// Where things stand in the triad diagram. Column c (1..13) is centred on x = 40c + 100; the
// readout panel's children are placed relative to the panel's left edge.
namespace diagram {

inline constexpr int kPanelLeft = 120;
inline constexpr int kNoSelection = 14;

// The tone number (1..13) that the mark of a column and row stands for: the root, the major
// third above it (4 semitones) or the fifth (7), folded back into the octave.
constexpr int shapeTone(int column, int row) {
    const int tone = column + (row == 0 ? 0 : row == 1 ? 4 : 7);
    return tone > 13 ? tone - 12 : tone;
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
