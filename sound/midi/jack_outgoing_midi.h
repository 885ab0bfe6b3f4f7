#pragma once

// MIDI messages on their way to a JACK output port: the window's thread puts whole messages in,
// the process callback writes as many as the period's buffer takes and leaves the rest for the
// next period. One lock-free ring between them, each message behind its length, so the callback
// sees a message whole or not at all.
#include <jack/ringbuffer.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace klangora {

class JackOutgoingMidi {
public:
    JackOutgoingMidi();
    ~JackOutgoingMidi();
    JackOutgoingMidi(const JackOutgoingMidi&) = delete;
    JackOutgoingMidi& operator=(const JackOutgoingMidi&) = delete;

    // The window's thread: false where the message is empty, longer than a quarter of the ring
    // (a tuning of all 128 keys fits many times over) or the ring has no room for it now.
    bool send(std::span<const std::uint8_t> message);

    // The process callback: the port's buffer cleared and filled from the ring. No allocation,
    // lock or wait.
    void writeInto(void* portBuffer);

private:
    using Size = std::uint16_t;
    static constexpr std::size_t kRingBytes = 1 << 16;

    jack_ringbuffer_t* m_ring;
};

} // namespace klangora
