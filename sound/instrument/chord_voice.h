#pragma once

// A sound buttons' chord as one more voice of the live mix: samples made beforehand at the
// output's rate, added to the mix as they are, with no envelope of the voice's own (the chord's
// image has its own beginning and end). So the chords pass the same volume and limiter as every
// other sound, on the same connection.
//
// One caller at a time starts a chord and waits for it; the audio thread plays it. The samples
// belong to the voice, and the caller writes them only while the audio thread has let go of
// them (finished()).
#include "sound/instrument/gain_ramp.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

namespace klangora {

class ChordVoice {
public:
    // ---- The caller's thread ----

    // Plays the samples from the next callback on. Ignored unless finished().
    void start(std::vector<float> samples);
    // Any thread: the chord fades out within a few milliseconds and is finished then.
    void stop() { m_stopWanted.store(true, std::memory_order_release); }
    // Whether the audio thread has let go of the chord: played to its end, stopped, or dropped
    // because no output played it. True before the first chord.
    bool finished() const { return m_state.load(std::memory_order_acquire) == State::idle; }
    // Whether the chord was played to its last sample.
    bool playedToEnd() const { return m_playedToEnd.load(std::memory_order_acquire); }

    // ---- The audio thread ----

    void renderAdd(std::span<float> out, int sampleRate);
    // No output plays: a waiting or sounding chord will not be heard, and is let go.
    void drop();
    bool silent() const { return finished(); }

private:
    enum class State : std::uint8_t { idle, posted, playing };
    void finish(bool toEnd);

    std::atomic<State> m_state{State::idle};
    std::atomic<bool> m_stopWanted{false};
    std::atomic<bool> m_playedToEnd{false};
    // Written by the caller while idle, read by the audio thread while posted or playing.
    std::vector<float> m_samples;
    // The audio thread's.
    std::size_t m_position = 0;
    GainRamp m_fade{1.0};
    bool m_fading = false;
};

} // namespace klangora
