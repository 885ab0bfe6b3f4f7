#pragma once

#include "sound/sound_player.h"

#include <cstdint>
#include <vector>

// A player that keeps every image it is handed instead of sounding it.
class RecordingPlayer : public SoundPlayer {
public:
    void play(const std::vector<std::uint8_t>& wavImage) override { images.push_back(wavImage); }

    std::vector<std::vector<std::uint8_t>> images;
};
