#pragma once

// Where everything the program sounds goes: one output to the system's sound, fed by one
// renderer on the output's own thread. The live voices, a piece, FluidSynth's instruments and the
// sound buttons' chords are all mixed by that renderer, so one connection carries them all and
// the volume and the limiter act on every sound alike.
//
// A backend is one class behind AudioOutput: it runs its thread, calls the renderer, and says
// what it knows of the stream (its rate, how many frames a callback asks for, how long a
// rendered frame takes to be heard, and whether it plays at all).
#include "sound/instrument/live_event.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace klangora {

class AudioRenderer;
class JackMidiHost;

// Events that fall at frames of the callback being rendered (MIDI that arrived with the period),
// offered in the order of their frames.
class FramedEvents {
public:
    virtual ~FramedEvents() = default;
    // The frame of the next event within the callback, or -1 when none is left.
    virtual int nextFrame() = 0;
    // Every event at that frame, applied to the renderer's voices.
    virtual void applyNext(AudioRenderer& renderer) = 0;
};

// What an output calls on its thread. None of it may allocate, lock or wait.
class AudioRenderer {
public:
    virtual ~AudioRenderer() = default;
    // The render callback: out filled with mono samples (-1..1) at the output's rate.
    virtual void render(std::span<float> out, int sampleRate) = 0;
    // The same with events at their own frames: whatever starts at frame f has its first sample
    // at out[f]. A renderer that cannot split a callback applies them all before it.
    virtual void render(std::span<float> out, int sampleRate, FramedEvents& events) {
        while (events.nextFrame() >= 0) {
            events.applyNext(*this);
        }
        render(out, sampleRate);
    }
    // One event for the voices, from within render(out, rate, events) only.
    virtual void applyAtFrame(const LiveEvent&) {}
    // While true, the MIDI input's notes are played on the audio side itself (see
    // AudioSideMidi): the window's record of them may lag and never overrides them.
    virtual void setMidiOnAudioSide(bool) {}
    // Called instead while the output does not play (closed, connecting or lost): whatever waits
    // is taken up without sounding, so that nothing sounds stale when the output comes back.
    virtual void applyEventsSilently() = 0;
    // Whether nothing sounds (the output may let go of the device), and whether anything is held
    // (an output that was lost is looked for again).
    virtual bool silent() const = 0;
    virtual bool anyHeld() const = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // A sound is about to begin: the output opens, or is tried again after a failure. Never
    // blocks; any thread.
    virtual void open() = 0;

    // What the stream reports, from any thread. Whether it plays now: false before it opened,
    // after it let go and while it is lost; true again once it is back.
    virtual bool streaming() const { return false; }
    // How often a stream that played was lost (the server gone or frozen): a caller waiting for
    // its sound to be heard knows from a change that it never will be.
    virtual int losses() const { return 0; }
    // The stream's rate, and the frames the last callback asked for.
    virtual int rate() const { return 0; }
    virtual int periodFrames() const { return 0; }
    // How long a frame rendered now takes to be heard, as the stream last reported it.
    virtual std::int64_t latencyUs() const { return 0; }
    // The shortest target latency the stream held a while without running dry, in ms (0: none
    // yet, or not a stream that has one): where the next run may begin.
    virtual int heldLatencyMs() const { return 0; }
    // The sound system that carries the stream now, named for the learner.
    virtual const char* systemName() const { return "PulseAudio"; }
    // How often the sound moved to another system (a JACK server gone, PulseAudio taking over).
    virtual int moves() const { return 0; }
    // The JACK client that plays MIDI in its own callback, while the output has one.
    virtual JackMidiHost* midiHost() { return nullptr; }
};

// A backend for a renderer, chosen by the program.
using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>(AudioRenderer&)>;

} // namespace klangora
