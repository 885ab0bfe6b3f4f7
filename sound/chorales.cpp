#include "sound/chorales.h"

#include "sound/chord_player.h"

namespace klangora {

namespace {
constexpr int kBelowTheTable = -24;
constexpr std::size_t kLowestH = 12; // tone number -12 of the base octave's H, two octaves down
} // namespace

double choraleVoiceHz(const ToneTable& table, int toneNumber) {
    if (toneNumber == kBelowTheTable) {
        return table.freqTable[kLowestH] * 0.5;
    }
    return toneFrequencyHz(table, toneNumber);
}

std::array<double, 4> choraleChordHz(const ToneTable& table, int root, const ChoraleChord& chord) {
    std::array<double, 4> hz{};
    for (std::size_t v = 0; v < hz.size(); ++v) {
        hz[v] = choraleVoiceHz(table, root + chord.voices[v]);
    }
    return hz;
}

} // namespace klangora
