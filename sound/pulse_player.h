#pragma once

#include "sound/sound_player.h"

#include <cstdint>
#include <vector>

// Plays a chord's image through the PulseAudio (or PipeWire) server of the session, the way
// PULSE_SERVER and the client configuration find it. Each image gets its own connection, so a
// server that went away and came back between two chords is simply found again. A missing or
// failing server is not reported: play returns at once and the chord is not heard.
class PulseAudioPlayer : public SoundPlayer {
public:
    // Plays the samples of an image as newWavImage lays it out and returns when the last of
    // them has left the server's output; any other image is ignored.
    void play(const std::vector<std::uint8_t>& wavImage) override;
};
