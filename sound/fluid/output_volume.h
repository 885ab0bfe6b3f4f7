#pragma once

// The volume of everything the instrument and the music play, set from the window and applied on
// the audio thread as a ramp: a change never jumps from one sample to the next, so it never
// clicks.
#include <atomic>
#include <span>

namespace klangora {

class OutputVolume {
public:
    // A change reaches its new level in this time, evenly in amplitude.
    static constexpr double kRampSeconds = 0.030;

    // Window thread. 0 is silent, 1 the full level (the level the program always had).
    void set(double amplitude);
    double target() const { return m_target.load(std::memory_order_relaxed); }
    // Window thread: silent while an instrument outside plays instead, whatever the level.
    void setMuted(bool muted) { m_muted.store(muted, std::memory_order_relaxed); }

    // Audio thread: scales the samples, moving towards the target.
    void apply(std::span<float> samples, int sampleRate);

private:
    std::atomic<double> m_target{1.0};
    std::atomic<bool> m_muted{false};
    double m_current = 1.0; // audio thread
};

} // namespace klangora
