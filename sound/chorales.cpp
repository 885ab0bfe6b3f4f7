#include "sound/chorales.h"

#include "sound/chord_player.h"

namespace klangora {

std::array<double, 4> choraleChordHz(const ToneTable& table, int root, const ChoraleChord& chord) {
    std::array<double, 4> hz{};
    for (std::size_t v = 0; v < hz.size(); ++v) {
        hz[v] = toneFrequencyHz(table, root + chord.voices[v]);
    }
    return hz;
}

} // namespace klangora
