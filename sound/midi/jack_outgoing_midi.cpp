#include "sound/midi/jack_outgoing_midi.h"

#include <jack/midiport.h>

#include <cstring>
#include <vector>

namespace klangora {

JackOutgoingMidi::JackOutgoingMidi() : m_ring(jack_ringbuffer_create(kRingBytes)) {}

JackOutgoingMidi::~JackOutgoingMidi() {
    jack_ringbuffer_free(m_ring);
}

bool JackOutgoingMidi::send(std::span<const std::uint8_t> message) {
    const auto size = static_cast<Size>(message.size());
    if (message.empty() || message.size() > kRingBytes / 4 ||
        jack_ringbuffer_write_space(m_ring) < sizeof size + size) {
        return false;
    }
    // The length and the bytes in one write.
    std::vector<char> record(sizeof size + size);
    std::memcpy(record.data(), &size, sizeof size);
    std::memcpy(record.data() + sizeof size, message.data(), size);
    jack_ringbuffer_write(m_ring, record.data(), record.size());
    return true;
}

void JackOutgoingMidi::writeInto(void* portBuffer) {
    jack_midi_clear_buffer(portBuffer);
    Size size = 0;
    while (jack_ringbuffer_peek(m_ring, reinterpret_cast<char*>(&size), sizeof size) ==
               sizeof size &&
           jack_ringbuffer_read_space(m_ring) >= sizeof size + size) {
        jack_midi_data_t* event = jack_midi_event_reserve(portBuffer, 0, size);
        if (event == nullptr) {
            return; // the period's buffer is full: the rest goes out in the next one
        }
        jack_ringbuffer_read_advance(m_ring, sizeof size);
        jack_ringbuffer_read(m_ring, reinterpret_cast<char*>(event), size);
    }
}

} // namespace klangora
