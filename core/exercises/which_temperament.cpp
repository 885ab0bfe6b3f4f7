#include "core/exercises/which_temperament.h"

#include "core/historical_temperaments.h"
#include "core/readings.h"

#include <algorithm>
#include <cmath>

namespace klangora {

std::vector<TemperamentRef> allTemperaments() {
    std::vector<TemperamentRef> all;
    for (int n = 0; n < static_cast<int>(kAllPresets.size()); ++n) {
        all.push_back({TemperamentRef::Source::button, n});
    }
    for (int n = 0; n < static_cast<int>(kHistoricalTemperaments.size()); ++n) {
        all.push_back({TemperamentRef::Source::library, n});
    }
    return all;
}

std::string_view temperamentCaption(const TemperamentRef& temperament) {
    const auto n = static_cast<std::size_t>(temperament.index);
    if (temperament.source == TemperamentRef::Source::button) {
        return presetInfo(kAllPresets[n]).caption;
    }
    return kHistoricalTemperaments[n].caption;
}

SliderPositions temperamentSliderPositions(const TemperamentRef& temperament) {
    const auto n = static_cast<std::size_t>(temperament.index);
    if (temperament.source == TemperamentRef::Source::button) {
        return presetPositions(kAllPresets[n]);
    }
    return temperamentPositions(kHistoricalTemperaments[n].fifths);
}

namespace {

ToneTable tableOf(const SliderPositions& positions) {
    ToneTable table;
    scrolTILcent(table, positions);
    deriveThirdsAndFifths(table);
    return table;
}

double pitchHz(const ToneTable& table, int toneIndex) {
    return static_cast<double>(
        displayFrequencyHz(table.toneCents[static_cast<std::size_t>(toneIndex)]));
}

void addChord(ToneSchedule& passage, const ToneTable& table, int root, int startMs) {
    const int endMs = startMs + kChordMs;
    int id = static_cast<int>(passage.size());
    passage.push_back({id++, pitchHz(table, root) / 2.0, startMs, endMs});
    for (const int step : {0, 4, 7}) {
        passage.push_back({id++, pitchHz(table, root + step), startMs, endMs});
    }
}

} // namespace

ToneSchedule cadencePassage(const SliderPositions& tuning) {
    const ToneTable table = tableOf(tuning);
    ToneSchedule passage;
    int startMs = 0;
    const auto chord = [&](int root) {
        addChord(passage, table, root % 12, startMs);
        startMs += kChordMs + kBetweenChordsMs;
    };
    for (const int key : kCadenceKeys) {
        chord(key);
        chord(key + 5);
        chord(key + 7);
        chord(key);
    }
    chord(0);
    return passage;
}

std::vector<int> mostDifferentTriads(const std::vector<SliderPositions>& tunings, int count) {
    std::vector<ToneTable> tables;
    for (const SliderPositions& tuning : tunings) {
        tables.push_back(tableOf(tuning));
    }
    // A triad's difference: the largest, over two tunings, of how much its third and its fifth
    // differ between them together.
    std::array<double, 12> difference{};
    for (std::size_t root = 0; root < 12; ++root) {
        for (const ToneTable& a : tables) {
            for (const ToneTable& b : tables) {
                const double apart = std::fabs(a.thirdCents[root] - b.thirdCents[root]) +
                                     std::fabs(a.fifthCents[root] - b.fifthCents[root]);
                difference[root] = std::max(difference[root], apart);
            }
        }
    }
    std::vector<int> roots(12);
    for (int root = 0; root < 12; ++root) {
        roots[static_cast<std::size_t>(root)] = root;
    }
    std::stable_sort(roots.begin(), roots.end(), [&](int x, int y) {
        return difference[static_cast<std::size_t>(x)] > difference[static_cast<std::size_t>(y)];
    });
    roots.resize(static_cast<std::size_t>(std::clamp(count, 0, 12)));
    return roots;
}

WhichTemperamentQuestion makeWhichTemperamentQuestion(std::vector<TemperamentRef> choices,
                                                      std::mt19937& random) {
    WhichTemperamentQuestion question;
    question.choices = std::move(choices);
    if (question.choices.empty()) {
        return question;
    }
    const int last = static_cast<int>(question.choices.size()) - 1;
    question.rightChoice = std::uniform_int_distribution<int>(0, last)(random);
    return question;
}

} // namespace klangora
