#pragma once

// Klangora's MIDI output: the JACK port klangora:midi_out and the ALSA sequencer port "Klangora
// MIDI ud", both of the clients the input opened, so that the input never hears the program's
// own output. Bytes are split into whole messages (a system-exclusive message whole, as the
// standards carry it) and go to both ports without waiting; where neither exists they go
// nowhere, which is no error.
#include <cstdint>
#include <functional>
#include <span>

namespace klangora {

class AlsaSequencerInput;
class JackMidiPort;

// Calls onMessage for each whole message of bytes that carry a status byte for every message (no
// running status): a system-exclusive message from F0 through F7, a channel message with its
// one or two data bytes. Anything else is skipped.
void forEachMidiMessage(std::span<const std::uint8_t> bytes,
                        const std::function<void(std::span<const std::uint8_t>)>& onMessage);

class MidiOutput {
public:
    MidiOutput(JackMidiPort& jack, AlsaSequencerInput& alsa) : m_jack(jack), m_alsa(alsa) {}

    // The owner's thread.
    void send(std::span<const std::uint8_t> bytes);
    // True once after a receiver was connected to either port: it has heard nothing yet.
    bool takeNewListener();

private:
    JackMidiPort& m_jack;
    AlsaSequencerInput& m_alsa;
};

} // namespace klangora
