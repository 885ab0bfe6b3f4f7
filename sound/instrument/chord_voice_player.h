#pragma once

// The sound buttons' chords played by the program's one sound engine: each image, handed over
// byte for byte, becomes a ChordVoice at the output's rate, and play() returns when the engine
// has played its last sample and the output's latency has passed, that is when it has been
// heard.
//
// Nothing waits without a limit: an output that does not open within a connection's time, or a
// chord the engine has not played within its own length and a margin, ends the sequence's sound
// (the rest of it is skipped at once) until the next beginSequence() tries the output again.
#include "sound/instrument/chord_voice.h"
#include "sound/output/audio_output.h"
#include "sound/sound_player.h"

#include <atomic>
#include <chrono>

namespace klangora {

class ChordVoicePlayer : public SoundPlayer {
public:
    // Without an output every chord is skipped, as without a sound server.
    ChordVoicePlayer(ChordVoice& voice, AudioOutput* output);

    // Any image but an 8-bit mono one as newWavImage lays it out is ignored.
    void play(const std::vector<std::uint8_t>& wavImage) override;
    void beginSequence() override;
    // Also what Esc does to a sequence: the chord fades out at once.
    void cutShort() override;

private:
    using Clock = std::chrono::steady_clock;
    template <class Done> bool waitUntil(Done done, Clock::time_point deadline) const;
    bool outputPlays();
    void playSamples(std::vector<float> samples, Clock::duration length);

    ChordVoice& m_voice;
    AudioOutput* m_output;
    std::atomic<bool> m_gaveUp{false}; // the output failed in this sequence
    std::atomic<bool> m_cut{false};
};

} // namespace klangora
