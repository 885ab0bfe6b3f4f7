#pragma once

// A JACK client of the sound's own that carries the MIDI ports klangora:midi_in and
// klangora:midi_out in the same process callback as the audio: its input's notes are played at
// their own frames there (see AudioSideMidi). While one runs, the MIDI input opens no JACK client
// of its own.
#include "sound/midi/audio_side_midi.h"

#include <cstdint>
#include <span>

namespace klangora {

class JackMidiHost {
public:
    virtual ~JackMidiHost() = default;
    // Whether the client runs with its MIDI ports now.
    virtual bool hostsMidi() const = 0;
    // One whole message out of klangora:midi_out (dropped while none runs or the ring is full).
    virtual void sendMidi(std::span<const std::uint8_t> message) = 0;
    // True once after a receiver was connected to klangora:midi_out.
    virtual bool takeNewListener() = 0;
    // The notes of klangora:midi_in as the audio side played them.
    virtual AudioSideMidi& midi() = 0;
};

} // namespace klangora
