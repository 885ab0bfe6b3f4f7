#pragma once

// "Hvilken stemning?": a passage of cadences sounds in one of two to four temperaments, chosen at
// random, and the learner names it.
#include "core/exercises/scheduled_tone.h"
#include "core/presets.h"
#include "core/tone_table.h"

#include <random>
#include <string_view>
#include <vector>

namespace klangora {

// One of the seven temperaments of the buttons or the nine of the library.
struct TemperamentRef {
    enum class Source { button, library };
    Source source = Source::button;
    int index = 0; // into kAllPresets or kHistoricalTemperaments

    friend bool operator==(const TemperamentRef&, const TemperamentRef&) = default;
};

// All sixteen, the buttons' first.
std::vector<TemperamentRef> allTemperaments();

std::string_view temperamentCaption(const TemperamentRef& temperament);
SliderPositions temperamentSliderPositions(const TemperamentRef& temperament);

// The keys the cadences are played in: three fifths apart round the circle, c, a, f#, eb, so that
// with their subdominants and dominants all twelve major triads sound once.
inline constexpr std::array<int, 4> kCadenceKeys = {0, 9, 6, 3};
inline constexpr int kChordMs = 800;
inline constexpr int kBetweenChordsMs = 100;

// I-IV-V-I in each key of kCadenceKeys and a closing c major, at the exact pitches of the
// tuning (c at 261.6 Hz): the root an octave below, the triad in close position above.
ToneSchedule cadencePassage(const SliderPositions& tuning);

// The roots (tone index 0..11) of the `count` major triads whose thirds and fifths differ most
// among the tunings, the most different first.
std::vector<int> mostDifferentTriads(const std::vector<SliderPositions>& tunings, int count);

inline constexpr int kFewestTemperaments = 2;
inline constexpr int kMostTemperaments = 4;

struct WhichTemperamentQuestion {
    std::vector<TemperamentRef> choices; // in the order of the answer keys 1..4
    int rightChoice = 0;                 // index into choices

    int rightAnswer() const { return rightChoice + 1; }
    const TemperamentRef& played() const { return choices[static_cast<std::size_t>(rightChoice)]; }
};

// One of the chosen temperaments (two to four of them) drawn at random.
WhichTemperamentQuestion makeWhichTemperamentQuestion(std::vector<TemperamentRef> choices,
                                                      std::mt19937& random);

} // namespace klangora
