#pragma once

// The live instrument: tones held as long as a source holds them, in the current tuning, which
// follow every retuning while they sound. Called from one thread (the window's); it never
// blocks: the notes travel to the audio thread as events.
//
// This side keeps the whole wanted state (which notes each source holds and how hard, the fixed
// tones, the pedal, the tuning). When the audio side's queue is full, no event is sent until the
// whole state has been handed over, which happens as soon as there is room again (at the next
// call, or at settle()): a full queue delays a change, it never loses one.
#include "sound/instrument/live_synth.h"
#include "sound/instrument/voice_source.h"
#include "sound/instrument/wanted_state.h"
#include "sound/output/audio_output.h"

#include <array>
#include <bitset>
#include <functional>
#include <memory>

namespace klangora {

class LiveInstrument {
public:
    // An instrument without output: the calling thread plays the audio side's part too,
    // applying every event at once (silently), so what sounds is known at once.
    LiveInstrument();
    // An instrument whose synth is rendered by the output the factory makes.
    explicit LiveInstrument(const AudioOutputFactory& makeOutput);
    ~LiveInstrument();
    LiveInstrument(const LiveInstrument&) = delete;
    LiveInstrument& operator=(const LiveInstrument&) = delete;

    // Held and fading tones glide to their new pitch.
    void setTuning(const Tuning& tuning) { setTuning(tuning.centsAboveC()); }
    // The same from the cents above the fixed c of c, c#, ..., h (c among them).
    void setTuning(const std::array<double, 12>& centsAboveC);

    // MIDI note numbers: 60 is the fixed c at 261.6 Hz, 61..71 the tones above it, 72 its
    // octave; octaves are exactly 2:1. A source's holds are counted: its note sounds from the
    // first press (with its velocity, 0..1) to the last release. Sources are independent.
    void noteOn(VoiceSource source, int note, float velocity = 1.0f);
    void noteOff(VoiceSource source, int note);
    // A tone at a frequency of its own that no retuning moves (an exercise's pure or mistuned
    // interval), known by the caller's id within its source; on again with another frequency,
    // it glides there.
    void fixedOn(VoiceSource source, int id, double frequencyHz, float velocity = 1.0f);
    void fixedOff(VoiceSource source, int id);
    // A note already played on the audio side (the MIDI input there): only the window's record
    // of what sounds follows, nothing is sent.
    void recordPlayed(VoiceSource source, int note, float velocity, bool on);
    // While a source's pedal is down, its released notes sound on until the pedal goes up.
    void sustain(VoiceSource source, bool down);
    // Everything a source holds, its pedal too.
    void releaseSource(VoiceSource source);
    // Every source: the panic.
    void releaseAll();

    // What the window wants to sound (held or sustained): of every source, or of one.
    std::bitset<128> heldNotes() const;
    std::bitset<128> heldNotes(VoiceSource source) const;
    bool isHeld(int note) const;
    // What the audio side last reported sounding, read without a lock: what the window shows.
    std::bitset<128> soundingNotes() const { return m_synth->soundingNotes(); }
    std::bitset<128> soundingNotes(VoiceSource source) const {
        return m_synth->soundingNotes(source);
    }
    double frequencyHz(int note) const;

    // Whether a whole state waits to be handed over; settle() tries, true when none waits.
    bool handOverPending() const { return m_handOverPending; }
    bool settle();

    // Every event the window sends, seen before the audio side gets it (the MIDI output).
    void setEventTap(std::function<void(const LiveEvent&)> tap) { m_tap = std::move(tap); }

    LiveSynth& synth() { return *m_synth; }
    AudioOutput* output() { return m_output.get(); }

private:
    struct Holds {
        std::array<std::uint8_t, 128> count{};
        std::bitset<128> sustained; // released while the pedal was down
        bool pedal = false;
    };

    void send(const LiveEvent& event);
    WantedState::Source& wanted(VoiceSource source) {
        return m_wanted.sources[sourceIndex(source)];
    }
    void endNote(VoiceSource source, int note);

    std::unique_ptr<LiveSynth> m_synth;
    std::unique_ptr<AudioOutput> m_output; // after the synth: it goes first
    WantedState m_wanted;
    std::array<Holds, kVoiceSourceCount> m_holds{};
    bool m_handOverPending = false;
    std::function<void(const LiveEvent&)> m_tap;
};

} // namespace klangora
