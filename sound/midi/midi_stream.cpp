#include "sound/midi/midi_stream.h"

namespace klangora {

namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kFirstRealTime = 0xF8;

// Program change and channel pressure carry one data byte; the other channel messages two.
int dataBytesOf(std::uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

} // namespace

bool MidiStreamParser::take(std::uint8_t byte) {
    if (byte >= kFirstRealTime) {
        return false; // clock, start, stop, active sensing: they may fall anywhere, and mean
                      // nothing here
    }
    if (byte & 0x80) {
        // Any status byte, the end-of-exclusive 0xF7 among them, ends a system-exclusive message; a
        // system common message also ends running status, so that its data bytes are not taken for
        // notes.
        m_inSysex = byte == kSysexStart;
        m_running = byte < kSysexStart ? byte : 0;
        m_dataBytes = 0;
        return false;
    }
    if (m_inSysex || m_running == 0) {
        return false;
    }
    if (m_dataBytes == 0) {
        m_message = {m_running, byte, 0};
        m_dataBytes = 1;
    } else {
        m_message.data2 = byte;
        m_dataBytes = 2;
    }
    if (m_dataBytes == dataBytesOf(m_running)) {
        m_dataBytes = 0; // running status: the next data byte starts the next message
        return true;
    }
    return false;
}

} // namespace klangora
