#pragma once

// MIDI bytes as they arrive, split anywhere, into channel messages: running status, system-
// exclusive messages of any length (skipped, never buffered), real-time bytes between the bytes
// of a message, and anything undefined are all taken in stride.
#include <cstdint>
#include <span>

namespace klangora {

struct MidiMessage {
    std::uint8_t status = 0; // 0x80..0xEF: kind in the high nibble, channel in the low
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    int kind() const { return status & 0xF0; }
    int channel() const { return status & 0x0F; }
};

class MidiStreamParser {
public:
    // Calls onMessage(const MidiMessage&) for every complete channel message in the bytes.
    template <typename OnMessage>
    void feed(std::span<const std::uint8_t> bytes, OnMessage&& onMessage) {
        for (std::uint8_t byte : bytes) {
            if (take(byte)) {
                onMessage(m_message);
            }
        }
    }

    // A new event of a transport that never carries running status from one event to the next
    // (JACK): data bytes at its start belong to no earlier status, but a system-exclusive
    // message split over several events goes on.
    void startEvent() {
        if (!m_inSysex) {
            m_running = 0;
            m_dataBytes = 0;
        }
    }

    // Forgets a message begun, as when its source goes away.
    void reset() { *this = MidiStreamParser{}; }

private:
    // True when the byte completes a message.
    bool take(std::uint8_t byte);

    MidiMessage m_message;
    std::uint8_t m_running = 0; // the status that data bytes belong to, 0 when none
    int m_dataBytes = 0;
    bool m_inSysex = false;
};

} // namespace klangora
