#pragma once

// The last stage of the live mix. The voices are mixed at a fixed level each, with room for a
// few of them at full velocity; more than fit are brought down by a limiter whose gain falls
// within the block that would pass the limit and rises again slowly, both in ramps, and a soft
// knee at the very top catches what a falling ramp has not yet reached. So a voice that joins or
// leaves never changes the others' level, and no number of voices clips.
#include "sound/instrument/gain_ramp.h"

#include <span>

namespace klangora {

class MixLimiter {
public:
    // The mix may reach this before the limiter lowers it.
    static constexpr double kLimit = 0.8;

    // Scales the block in place; blocks of a few dozen samples, in order.
    void process(std::span<float> block, int sampleRate);
    // The limiter's gain now: 1 while the mix is inside the limit.
    double gain() const { return m_gain.value(); }

private:
    GainRamp m_gain{1.0};
};

} // namespace klangora
