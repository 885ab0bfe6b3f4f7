#pragma once

// How often a tuning may go out: at most fifty times a second, and never faster than a DIN MIDI
// cable carries (31,250 baud, ten bits a byte: 3,125 bytes a second), so that an instrument on
// a cable never falls behind while a slider is dragged. A state that must wait is kept, a newer
// one replacing it, and the last state always goes out once its time comes.
#include <chrono>
#include <cstddef>
#include <optional>

namespace klangora::mts {

class TuningRateLimit {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr auto kShortestInterval = std::chrono::milliseconds(20);
    static constexpr double kCableBytesPerSecond = 3125.0;

    // A new state of byteCount bytes wants to go out; offer the newest only.
    void offer(std::size_t byteCount);
    // Whether the state waiting may go out now; if so it counts as sent.
    bool takeDue(Clock::time_point now);
    // When the state waiting may go out, if one waits.
    std::optional<Clock::time_point> dueAt() const;
    bool waiting() const { return m_waitingBytes.has_value(); }

private:
    std::optional<std::size_t> m_waitingBytes;
    std::optional<Clock::time_point> m_nextAllowed;
};

} // namespace klangora::mts
