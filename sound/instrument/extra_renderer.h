#pragma once

#include "core/music/piece.h"
#include "sound/instrument/live_event.h"

#include <span>

namespace klangora {

// Another sound beside (or instead of) the own voices, rendered on the audio thread in the same
// callback: a SoundFont synthesizer, say. It receives every event the voices receive, in the
// same order and on the audio thread, while it is set; it must neither allocate, lock nor wait.
class ExtraRenderer {
public:
    virtual ~ExtraRenderer() = default;
    virtual void apply(const LiveEvent& event) = 0;
    // Adds its samples to the mono mix (before the mix's limiter).
    virtual void renderAdd(std::span<float> mono, int sampleRate) = 0;
    // Whether it plays the tuned notes now, in place of the own voices: a note struck then
    // still takes its own voice (so that what sounds is known), but at velocity 0, unheard.
    virtual bool replacesOwnVoices() { return false; }
    // A playing piece's own events, channel by channel, at their sample: for a renderer that
    // plays every channel of the piece in the instrument its file chose. The own voices play the
    // piece from the notes alone.
    virtual void applyPieceEvent(const PieceEvent& /*event*/) {}
};

} // namespace klangora
