#pragma once

// The live instrument's voices: harmonic tones that start, glide and fade as events arrive, mixed
// into float samples. Only the audio thread renders; the GUI thread only posts events.
#include "sound/instrument/event_queue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

namespace klangora {

// The fixed c, MIDI note 60, sounds at the readout panel's reference pitch, so that the beats the
// window counts are the beats one hears.
inline constexpr double kLiveReferenceHz = 261.6;
inline constexpr int kFixedCNote = 60;

// The pitch of a MIDI note in a tuning given as the cents of c .. h above the fixed c: octaves
// exactly 2:1, nothing rounded.
double liveNoteHz(int note, const std::array<double, 12>& centsAboveC);

struct LiveEvent {
    enum class Kind : std::uint8_t { noteOn, noteOff, tune, releaseAll };
    Kind kind = Kind::noteOn;
    std::uint8_t note = 0; // noteOn, noteOff; the pitch class for tune
    float velocity = 0;    // noteOn: 0..1
    double cents = 0;      // tune: the pitch class's cents above the fixed c
};

class LiveSynth {
public:
    static constexpr int kVoices = 24;
    static constexpr int kPartials = 8;

    LiveSynth();

    // GUI thread. False when the queue is full (it holds thousands of events, and the audio side
    // drains it even while nothing is played).
    bool post(const LiveEvent& event) { return m_events.push(event); }

    // Audio thread: applies the waiting events, then writes samples (mono, -1..1).
    void render(std::span<float> out, int sampleRate);
    // Audio thread, while no output runs: applies the waiting events and lets every tone end, so
    // that nothing waits in the queue and nothing sounds stale when the output comes back.
    void applyEventsSilently();
    // Whether any voice sounds (audio thread's view).
    bool silent() const;

    // When the audio thread last rendered the first sample of a tone, in steady-clock
    // nanoseconds: for measuring how long a note takes to sound.
    std::int64_t lastToneStartNs() const {
        return m_lastToneStartNs.load(std::memory_order_relaxed);
    }

private:
    struct Voice {
        int note = -1;
        bool held = false;
        bool started = false; // has rendered its first sample
        double level = 0;     // envelope, 0..1
        double gain = 0;      // from the velocity
        double hz = 0;        // now
        double targetHz = 0;  // gliding towards
        double glideFromHz = 0;
        double glide = 1;                // how far the glide has come, 0..1
        double phaseRe = 1, phaseIm = 0; // e^{i phase} of the fundamental
        std::uint64_t age = 0;
    };

    void apply(const LiveEvent& event);
    void noteOn(int note, float velocity);
    Voice& freeVoice();
    double noteHz(int note) const;
    void renderVoice(Voice& voice, std::span<float> out, int sampleRate);

    EventQueue<LiveEvent, 8192> m_events;
    std::array<Voice, kVoices> m_voices{};
    std::array<double, 12> m_cents{};
    std::uint64_t m_clock = 0;
    double m_busGain = 1;
    std::atomic<std::int64_t> m_lastToneStartNs{0};
};

} // namespace klangora
