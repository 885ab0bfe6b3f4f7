#pragma once

#include "core/presets.h"
#include "core/tone_table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klangora {

// One chord the program can play: its frequencies as the synthesis receives them.
struct RepertoireChord {
    std::string label;
    std::vector<double> frequenciesHz;
    int durationMs = 0;
    std::uint8_t amplitude = 20;
};

// Everything the sound buttons play for key button selectedKey (1..13) from that table: the
// pure and the tempered triad, then the seven chorale and the seven jazz chorale chords.
std::vector<RepertoireChord> chordsForKey(const ToneTable& table, int selectedKey,
                                          const std::string& tuningName);

// The chords for all thirteen key buttons under all seven presets.
std::vector<RepertoireChord> wholeRepertoire();

} // namespace klangora
