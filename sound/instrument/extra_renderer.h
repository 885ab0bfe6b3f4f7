#pragma once

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
};

} // namespace klangora
