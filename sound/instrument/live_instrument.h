#pragma once

// The live instrument: tones held as long as the learner holds them, in the current tuning, which
// follow every retuning while they sound. Called from one thread (the window's); it never blocks:
// the notes travel to the audio thread as events.
#include "sound/instrument/live_synth.h"

#include <array>
#include <bitset>
#include <memory>

namespace klangora {

// Where the instrument's samples go: a sound server's stream in the program.
class LiveOutput {
public:
    virtual ~LiveOutput() = default;
    // A tone is about to sound: the output opens, or is tried again after a failure. Never
    // blocks.
    virtual void wake() = 0;
};

class LiveInstrument {
public:
    // An instrument without output: it keeps its state, and its synth can be rendered by hand.
    LiveInstrument();
    ~LiveInstrument();
    LiveInstrument(const LiveInstrument&) = delete;
    LiveInstrument& operator=(const LiveInstrument&) = delete;

    // The instrument on the session's PulseAudio (or PipeWire) server, connected at the first
    // note.
    static std::unique_ptr<LiveInstrument> withPulseAudio();

    // Cents above the fixed c of c, c#, ..., h. Held and fading tones glide to their new pitch.
    void setTuning(const std::array<double, 12>& centsAboveC);

    // MIDI note numbers: 60 is the fixed c at 261.6 Hz, 61..71 the tones above it, 72 its
    // octave; octaves are exactly 2:1. Holds are counted: a note sounds from its first holder's
    // press (and with its velocity, 0..1) to its last holder's release.
    void noteOn(int note, float velocity = 1.0f);
    void noteOff(int note);
    void releaseAll();

    std::bitset<128> heldNotes() const;
    bool isHeld(int note) const;
    double frequencyHz(int note) const;

    LiveSynth& synth() { return *m_synth; }
    LiveOutput* output() { return m_output.get(); }

private:
    void post(const LiveEvent& event);

    std::unique_ptr<LiveSynth> m_synth;
    std::unique_ptr<LiveOutput> m_output; // after the synth: it goes first
    std::array<int, 128> m_holds{};
    std::array<double, 12> m_cents{};
};

} // namespace klangora
