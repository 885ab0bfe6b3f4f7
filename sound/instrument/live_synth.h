#pragma once

// The live instrument's voices: harmonic tones that start, glide and fade as events arrive, mixed
// into float samples. Only the audio thread renders; the window's thread posts events and hands
// over whole wanted states, and reads back which notes sound.
#include "core/tuning.h"
#include "sound/instrument/chord_voice.h"
#include "sound/instrument/event_queue.h"
#include "sound/instrument/extra_renderer.h"
#include "sound/instrument/gain_ramp.h"
#include "sound/instrument/live_event.h"
#include "sound/instrument/mix_limiter.h"
#include "sound/instrument/wanted_state.h"
#include "sound/output/audio_output.h"

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <span>

namespace klangora {

// The pitch of a MIDI note in a tuning given as the cents of c .. h above the fixed c.
inline double liveNoteHz(int note, const std::array<double, 12>& centsAboveC) {
    return noteFrequencyHz(note, centsAboveC);
}

class LiveSynth;

// Something on the audio thread that plays events at exact frames, such as a piece: while set,
// it is called for every callback (or every part of one between MIDI events at their frames) in
// place of a plain render, and must cover all of out with renderSpan() calls in order, applying
// its events between them with applyOnAudioThread(); its clock advances by out's length.
class AudioScheduler {
public:
    virtual ~AudioScheduler() = default;
    virtual void renderCallback(LiveSynth& synth, std::span<float> out, int sampleRate) = 0;
    // While true the output stays open through silence: a piece's rest is not the end of it.
    virtual bool keepsOutputOpen() const { return false; }
};

class LiveSynth : public AudioRenderer {
public:
    // Notes that may sound at once; a further note steals one of them.
    static constexpr int kVoices = 64;
    // Voices in which stolen notes fade out while their successors start at once.
    static constexpr int kSpareVoices = 16;
    static constexpr int kPartials = 8;

    LiveSynth();

    // ---- The window's thread ----

    // False when the queue is full; the caller then hands over its whole state (see
    // LiveInstrument).
    bool post(const LiveEvent& event) { return m_events.push(event); }
    bool hasRoom() const { return m_events.hasRoom(); }

    // ---- One MIDI thread (the ALSA sequencer's) ----

    // Notes straight from a MIDI thread, taken up at the next callback; false when the queue is
    // full. Never waits.
    bool postFromMidiThread(const LiveEvent& event) { return m_midiThreadEvents.push(event); }
    // Where whole wanted states go: fill back(), publish(), then post a handOver event with the
    // state's number.
    StateHandOver& handOver() { return m_handOver; }

    // The notes the audio side last reported sounding (held by a source, not fading), of every
    // source or of one. Read without a lock, from any thread.
    std::bitset<128> soundingNotes() const;
    std::bitset<128> soundingNotes(VoiceSource source) const;

    // Any thread; the audio thread takes them up at its next callback. The renderer and the
    // scheduler must outlive their being set.
    void setExtraRenderer(ExtraRenderer* renderer) {
        m_wantedExtra.store(renderer, std::memory_order_release);
    }
    void setScheduler(AudioScheduler* scheduler) {
        m_wantedScheduler.store(scheduler, std::memory_order_release);
    }

    // The sound buttons' chords, mixed with everything else (see ChordVoice).
    ChordVoice& chordVoice() { return m_chord; }

    // ---- The audio thread ----

    // One whole callback: the waiting events, then the samples (mono, -1..1), then what sounds
    // is published. The same as beginCallback(rate); renderSpan(out, rate); endCallback() when no
    // scheduler is set.
    void render(std::span<float> out, int sampleRate) override;
    // The same with MIDI events at their own frames: the voices are rendered up to an event's
    // frame, the event applied, and rendering goes on. A scheduler renders the parts between
    // them, each as a callback of its own.
    void render(std::span<float> out, int sampleRate, FramedEvents& events) override;
    void applyAtFrame(const LiveEvent& event) override { applyOnAudioThread(event); }
    // Counted: the JACK client and the sequencer's thread each say so while they play MIDI.
    void setMidiOnAudioSide(bool onAudioSide) override {
        m_midiOnAudioSide.fetch_add(onAudioSide ? 1 : -1, std::memory_order_relaxed);
    }

    // A callback split at events' frames, for an AudioScheduler or a caller of its own:
    //     synth.beginCallback(rate);
    //     synth.renderSpan(out.first(frame), rate);
    //     synth.applyOnAudioThread(event);              // sounds from `frame` on
    //     synth.renderSpan(out.subspan(frame), rate);
    //     synth.endCallback();
    void beginCallback(int sampleRate);
    void renderSpan(std::span<float> out, int sampleRate);
    void applyOnAudioThread(const LiveEvent& event);
    // A piece's channel event, for the extra renderer alone (see ExtraRenderer).
    void applyPieceEvent(const PieceEvent& event) {
        if (m_extra != nullptr) {
            m_extra->applyPieceEvent(event);
        }
    }
    void endCallback();

    // While no output runs: applies the waiting events and lets every released tone end at
    // once, so that nothing waits in the queue and nothing sounds stale when the output comes
    // back. Held tones stay, to sound again then.
    void applyEventsSilently() override;
    // Whether any voice sounds, and whether any is held (audio thread's view).
    bool silent() const override;
    bool anyHeld() const override;

    // When the audio thread last rendered the first sample of a tone, in steady-clock
    // nanoseconds: for measuring how long a note takes to sound.
    std::int64_t lastToneStartNs() const {
        return m_lastToneStartNs.load(std::memory_order_relaxed);
    }
    // What the mix's limiter does now (1: nothing), for tests and measurements.
    double limiterGain() const { return m_limiter.gain(); }

private:
    struct Voice {
        enum class State : std::uint8_t { free, sounding, stolen };
        State state = State::free;
        bool fixed = false;   // a fixed frequency that no retuning moves
        std::int32_t key = 0; // the MIDI note, or a fixed tone's id
        VoiceSource fixedSource = VoiceSource::computerKeys;
        std::uint8_t holders = 0; // one bit for each source holding the note
        float velocity = 0;
        bool started = false; // has rendered its first sample
        GainRamp amplitude;
        double hz = 0;       // now
        double targetHz = 0; // gliding towards
        double glideFromHz = 0;
        double glide = 1;                // how far the glide has come, 0..1
        double phaseRe = 1, phaseIm = 0; // e^{i phase} of the fundamental
        std::uint64_t age = 0;
    };

    void apply(const LiveEvent& event);
    void applyOwn(const LiveEvent& event);
    void noteOn(VoiceSource source, int note, float velocity);
    void noteOff(VoiceSource source, int note);
    void fixedOn(VoiceSource source, int id, double frequencyHz, float velocity);
    void fixedOff(VoiceSource source, int id);
    void tune(int pitchClass, double cents);
    void letGo(Voice& voice, std::uint8_t holders);
    void strike(Voice& voice, VoiceSource source, float velocity);
    Voice* tunedVoice(int note);
    Voice* fixedVoice(VoiceSource source, int id);
    Voice& newVoice();
    Voice& victim();
    void takeOver(std::uint64_t number);
    void adopt(const WantedState& wanted);
    std::bitset<128> soundingNotesNow(VoiceSource source) const;
    void publish();
    void renderVoice(Voice& voice, std::span<float> out, int sampleRate);

    EventQueue<LiveEvent, 8192> m_events;
    StateHandOver m_handOver;
    std::array<Voice, kVoices + kSpareVoices> m_voices{};
    std::array<double, 12> m_cents{};
    std::uint64_t m_clock = 0;
    int m_sampleRate = 48000; // the last callback's, for the ramps events start
    MixLimiter m_limiter;
    ChordVoice m_chord;
    ExtraRenderer* m_extra = nullptr;
    AudioScheduler* m_scheduler = nullptr;
    std::atomic<ExtraRenderer*> m_wantedExtra{nullptr};
    std::atomic<AudioScheduler*> m_wantedScheduler{nullptr};
    // The sounding notes of each source, two 64-bit halves each.
    std::array<std::array<std::atomic<std::uint64_t>, 2>, kVoiceSourceCount> m_published{};
    std::atomic<std::int64_t> m_lastToneStartNs{0};
    std::atomic<int> m_midiOnAudioSide{0};
    EventQueue<LiveEvent, 1024> m_midiThreadEvents;
};

} // namespace klangora
