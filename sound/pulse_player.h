#pragma once

#include "sound/sound_player.h"

#include <cstdint>
#include <memory>
#include <vector>

// Plays a chord's image through the PulseAudio (or PipeWire) server of the session, the way
// PULSE_SERVER and the client configuration find it.
//
// A server can fail in ways that would otherwise hold the window for good: it may freeze, or a
// socket may accept the connection and never answer. So nothing here waits without a limit:
// connecting gets a short time of its own, and a chord that the server has not taken within its
// own length plus a margin is abandoned. After such a failure the rest of the sequence is
// silent, as without a server, and the server is tried again only at the next beginSequence().
//
// The stream is kept open from chord to chord, so that the chords of a chorale follow one
// another without the pause of a new connection, and is closed when no chord has started for
// a couple of seconds, so that the device may suspend and no mixer shows the program playing.
class PulseAudioPlayer : public SoundPlayer {
public:
    PulseAudioPlayer();
    ~PulseAudioPlayer() override;
    PulseAudioPlayer(const PulseAudioPlayer&) = delete;
    PulseAudioPlayer& operator=(const PulseAudioPlayer&) = delete;

    // Plays the samples of an image as newWavImage lays it out and returns when the last of
    // them has left the server's output; any other image is ignored.
    void play(const std::vector<std::uint8_t>& wavImage) override;
    void beginSequence() override;
    void cutShort() override;

private:
    class Connection;
    std::unique_ptr<Connection> m_connection;
};
