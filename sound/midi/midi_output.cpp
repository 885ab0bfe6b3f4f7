#include "sound/midi/midi_output.h"

#include "sound/midi/alsa_sequencer_input.h"
#include "sound/midi/jack_midi_port.h"

namespace klangora {

namespace {

// The bytes of a channel message with this status: program change and channel pressure carry
// one data byte, every other kind two.
std::size_t channelMessageLength(std::uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

} // namespace

void forEachMidiMessage(std::span<const std::uint8_t> bytes,
                        const std::function<void(std::span<const std::uint8_t>)>& onMessage) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t status = bytes[at];
        std::size_t length = 0;
        if (status == 0xF0) {
            std::size_t end = at + 1;
            while (end < bytes.size() && bytes[end] != 0xF7) {
                ++end;
            }
            length = end < bytes.size() ? end - at + 1 : 0;
        } else if (status >= 0x80 && status < 0xF0) {
            length = channelMessageLength(status);
        }
        if (length == 0 || at + length > bytes.size()) {
            ++at;
            continue;
        }
        onMessage(bytes.subspan(at, length));
        at += length;
    }
}

void MidiOutput::send(std::span<const std::uint8_t> bytes) {
    forEachMidiMessage(bytes, [this](std::span<const std::uint8_t> message) {
        m_jack.send(message);
        m_alsa.send(message);
    });
}

bool MidiOutput::takeNewListener() {
    const bool jack = m_jack.takeNewListener();
    const bool alsa = m_alsa.takeNewListener();
    return jack || alsa;
}

} // namespace klangora
