#pragma once

#include "core/tone_table.h"
#include "sound/sound_player.h"

#include <cstdint>

namespace klangora {

// Tone number t (1 = the fixed c, t + 12 an octave up) sounds at freqTable slot freqSlot(t);
// the tone numbers -23..36 cover the five octaves. Only the chorales in the key of H reach -24,
// whose slot 0 nothing fills: that bass sounds the h one octave below the table's lowest h,
// not the silence of the empty slot.
double toneFrequencyHz(const ToneTable& table, int toneNumber);

// Three or four tones of the table sounded together for durationMs: the chord is synthesised at
// the table's sample rate and handed to the player, and the call returns when the player does,
// that is when the chord has been heard. The order of the voices makes no difference.
void playThreeVoices(SoundPlayer& player, const ToneTable& table, int t1, int t2, int t3,
                     int durationMs, std::uint8_t amplitude);
void playFourVoices(SoundPlayer& player, const ToneTable& table, int t1, int t2, int t3, int t4,
                    int durationMs, std::uint8_t amplitude);

} // namespace klangora
