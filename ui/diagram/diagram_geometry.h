#pragma once

// Where things stand in the triad diagram, in window pixels. Column c (1..13) is centred on
// x = kColumnSpacing * c + kColumnOffset. The musical facts (which tone a mark stands for) are in
// ui/model/musical_facts.h; here are only pixels.
namespace diagram {

inline constexpr int kColumnSpacing = 40;
inline constexpr int kColumnOffset = 100;

constexpr int columnLine(int column) {
    return kColumnSpacing * column + kColumnOffset;
}
// The marks (25 pixels wide) stand 2 pixels right of their column's centre, over the bars.
inline constexpr int kMarkShift = 2;
// The selected mark's outline, and every other's.
inline constexpr int kSelectedPenWidth = 5;
inline constexpr int kNormalPenWidth = 3;

// The readout panel, and the message panel of the same width above it.
inline constexpr int kPanelLeft = 120;
inline constexpr int kPanelWidth = 545;

// Tops: the third and fifth bars, and the sliders hidden behind the readout panel.
inline constexpr int kThirdBarTop = 128;
inline constexpr int kFifthBarTop = 16;
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

} // namespace diagram
