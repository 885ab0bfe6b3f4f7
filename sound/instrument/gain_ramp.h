#pragma once

// A gain that never jumps. Every change of a level the listener hears (a voice starting, ending,
// struck again or stolen, the mix's limiter, a volume) moves in a straight line from wherever
// the gain is to its new value over a given time, one sample at a time: a step in the gain
// would be a click, a line of a few milliseconds is not heard as anything but the change.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace klangora {

// The time of a change of level that is no attack or release of its own: a re-struck voice's
// new velocity, a stolen voice's fade, a volume. Five milliseconds are a few periods of the
// lowest tones and far below what the ear takes for a fade.
inline constexpr double kGainRampSeconds = 0.005;

class GainRamp {
public:
    GainRamp() = default;
    explicit GainRamp(double value) : m_value(value), m_target(value) {}

    // From the present value to target, in this many seconds at this rate (at least a sample).
    void rampTo(double target, double seconds, int sampleRate) {
        rampOver(target, seconds * sampleRate);
    }
    void rampOver(double target, double samples) {
        m_target = target;
        m_remaining = std::max<std::int64_t>(1, std::llround(samples));
        m_step = (m_target - m_value) / static_cast<double>(m_remaining);
    }

    // The gain for the next sample.
    double next() {
        if (m_remaining > 0) {
            m_value = --m_remaining == 0 ? m_target : m_value + m_step;
        }
        return m_value;
    }

    double value() const { return m_value; }
    double target() const { return m_target; }
    bool moving() const { return m_remaining > 0; }

private:
    double m_value = 0;
    double m_target = 0;
    double m_step = 0;
    std::int64_t m_remaining = 0;
};

} // namespace klangora
