#include "sound/chord_player.h"

#include "sound/chord_synthesis.h"

#include <array>

namespace klangora {

namespace {
constexpr int kBelowTheTable = -24;
constexpr int kOctave = 12;
} // namespace

double toneFrequencyHz(const ToneTable& table, int toneNumber) {
    if (toneNumber == kBelowTheTable) {
        return toneFrequencyHz(table, toneNumber + kOctave) * 0.5;
    }
    const int slot = freqSlot(toneNumber);
    if (slot < 0 || slot >= static_cast<int>(table.freqTable.size())) {
        return 0.0; // the callers keep to -24..36; anything else is silence, never a stray read
    }
    return table.freqTable[static_cast<std::size_t>(slot)];
}

void playThreeVoices(SoundPlayer& player, const ToneTable& table, int t1, int t2, int t3,
                     int durationMs, std::uint8_t amplitude) {
    const std::array<double, 3> hz = {toneFrequencyHz(table, t1), toneFrequencyHz(table, t2),
                                      toneFrequencyHz(table, t3)};
    player.play(chordImage(hz, durationMs, amplitude, table.sampleRate));
}

void playFourVoices(SoundPlayer& player, const ToneTable& table, int t1, int t2, int t3, int t4,
                    int durationMs, std::uint8_t amplitude) {
    const std::array<double, 4> hz = {toneFrequencyHz(table, t1), toneFrequencyHz(table, t2),
                                      toneFrequencyHz(table, t3), toneFrequencyHz(table, t4)};
    player.play(chordImage(hz, durationMs, amplitude, table.sampleRate));
}

} // namespace klangora
