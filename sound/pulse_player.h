#pragma once

#include "sound/sound_player.h"

#include <cstdint>
#include <memory>
#include <vector>

struct pa_simple;

// Plays a chord's image through the PulseAudio (or PipeWire) server of the session, the way
// PULSE_SERVER and the client configuration find it. The stream is kept open from chord to
// chord, so the next chord of a chorale follows without the pause of a new connection; when the
// kept stream turns out to be broken (the server went away and came back between two chords) the
// chord is played once more on a fresh connection. A missing or failing server is not reported:
// play returns at once and the chord is not heard.
class PulseAudioPlayer : public SoundPlayer {
public:
    PulseAudioPlayer();
    ~PulseAudioPlayer() override;
    PulseAudioPlayer(const PulseAudioPlayer&) = delete;
    PulseAudioPlayer& operator=(const PulseAudioPlayer&) = delete;

    // Plays the samples of an image as newWavImage lays it out and returns when the last of
    // them has left the server's output; any other image is ignored.
    void play(const std::vector<std::uint8_t>& wavImage) override;

private:
    struct StreamDeleter {
        void operator()(pa_simple* stream) const;
    };
    std::unique_ptr<pa_simple, StreamDeleter> m_stream;
    std::uint32_t m_streamRate = 0;
};
