#pragma once

// The piece on the audio clock: at every callback of the live synth the player's cursor moves
// over the callback's samples, and the voices are rendered up to each event's sample, the event
// applied there, and so on to the callback's end.
#include "sound/instrument/live_synth.h"
#include "sound/midi/piece_midi_queue.h"
#include "sound/music/piece_player.h"

namespace klangora {

// The voices' event for what the cursor tells them: notes of the piece's own source, so that
// they neither end nor are ended by the keys' notes of the same pitch.
LiveEvent liveEvent(const PieceAction& action);

class PieceScheduler final : public AudioScheduler {
public:
    explicit PieceScheduler(PiecePlayer& player) : m_player(player) {}

    void renderCallback(LiveSynth& synth, std::span<float> out, int sampleRate) override;
    bool keepsOutputOpen() const override { return m_player.isPlaying(); }

    // The piece's channel events for the MIDI output, once it enables them. It lives as long as
    // the scheduler, so an audio callback under way never pushes into a queue that is gone.
    PieceMidiQueue& midiQueue() { return m_midi; }

private:
    PiecePlayer& m_player;
    PieceMidiQueue m_midi;
};

} // namespace klangora
