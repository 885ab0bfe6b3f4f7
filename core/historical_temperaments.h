#pragma once

// Historical temperaments as their makers defined them: by the sizes of the twelve fifths around
// the circle C-G-D-A-E-H-F#-C#-G#-Eb-Bb-F-C, each pure or tempered by a fraction of a comma.
#include "core/presets.h"
#include "core/tone_table.h"

#include <array>
#include <string_view>

namespace klangora {

enum class Comma {
    none,        // a pure fifth, 3:2
    pythagorean, // 531441:524288, what twelve pure fifths overshoot seven octaves by
    syntonic,    // 81:80, what four pure fifths overshoot a pure third and two octaves by
    schisma,     // the Pythagorean comma less the syntonic
    rest,        // whatever the other eleven fifths leave of seven octaves
};

// A fifth 3:2 made smaller (or, with a negative numerator, larger) by a fraction of a comma.
struct Fifth {
    Comma comma = Comma::none;
    int numerator = 0;
    int denominator = 1;
};

// The fifths in the order of the circle: C-G first, F-C last.
using CircleOfFifths = std::array<Fifth, 12>;

struct HistoricalTemperament {
    std::string_view id;          // "vallotti", ...
    std::string_view caption;     // its name, in Danish where it has one (UTF-8)
    std::string_view description; // what it does with its fifths, in one Danish line (UTF-8)
    CircleOfFifths fifths;
};

extern const std::array<HistoricalTemperament, 9> kHistoricalTemperaments;

// The cents above C of tone index 0..11 that the fifths give, C at 0.
std::array<long double, 12> centsFromFifths(const CircleOfFifths& fifths);

// The slider positions of the tones the fifths give (each rounded to 1/20 cent, halves to
// even, as the presets are).
SliderPositions temperamentPositions(const CircleOfFifths& fifths);

// What each of the seven buttons' temperaments does with its fifths, in one Danish line.
std::string_view presetFifthsDescription(PresetId id);

} // namespace klangora
