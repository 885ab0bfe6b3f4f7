#pragma once

// Channel messages into the two calls every way of playing ends in: a note starts, a note
// stops. All sixteen channels play; the sustain pedal holds released notes until it goes up.
// As MIDI defines the channel mode messages: all-sound-off ends every note of the channel, the
// pedal's too; all-notes-off releases the keys, so that the notes the pedal holds sound on;
// reset-all-controllers lifts the pedal. A source that goes away (or is silenced) takes its
// notes and its pedal with it: a pedal left down would hold every later note past its release.
// A note is never stopped that was not started, so no tone can stick.
#include "sound/midi/midi_stream.h"

#include <array>
#include <bitset>

namespace klangora {

class NoteSink {
public:
    virtual ~NoteSink() = default;
    // MIDI note numbers; velocity 0..1.
    virtual void noteOn(int note, float velocity) = 0;
    virtual void noteOff(int note) = 0;
};

class MidiNotes {
public:
    explicit MidiNotes(NoteSink& sink) : m_sink(sink) {}

    void handle(const MidiMessage& message);
    // Every note of every channel, and every pedal up.
    void releaseAll();
    // Whether a note sounds on a channel, held by its key or by the pedal.
    bool sounding(int channel, int note) const;

private:
    void noteOn(int channel, int note, int velocity);
    void noteOff(int channel, int note);
    void control(int channel, int controller, int value);
    void pedal(int channel, bool down);
    void releaseKeys(int channel);
    void silenceChannel(int channel);

    NoteSink& m_sink;
    std::array<std::bitset<128>, 16> m_keys;      // key down
    std::array<std::bitset<128>, 16> m_sustained; // key up, held by the pedal
    std::bitset<16> m_pedalDown;
};

} // namespace klangora
