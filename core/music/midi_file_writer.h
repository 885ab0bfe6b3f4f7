#pragma once

// A small writer of Standard MIDI Files, for making pieces in code: the example pieces and the
// files the tests read back. Events are given per track at absolute ticks, in order.
#include <cstdint>
#include <vector>

namespace klangora {

class MidiTrackWriter {
public:
    // With running status, a channel message repeating the previous status leaves it out.
    explicit MidiTrackWriter(bool runningStatus = true) : m_runningStatus(runningStatus) {}

    void noteOn(std::uint32_t tick, int channel, int note, int velocity = 100);
    void noteOff(std::uint32_t tick, int channel, int note);
    void controller(std::uint32_t tick, int channel, int controller, int value);
    void program(std::uint32_t tick, int channel, int program);
    void tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
    void tempoBpm(std::uint32_t tick, double quarterNotesPerMinute);
    void meta(std::uint32_t tick, int type, const std::vector<std::uint8_t>& data);
    void sysex(std::uint32_t tick, const std::vector<std::uint8_t>& data); // without the F0
    // The track's bytes with its end-of-track event, at endTick or the last event's tick.
    std::vector<std::uint8_t> body(std::uint32_t endTick = 0) const;

private:
    void delta(std::uint32_t tick);
    void channelMessage(std::uint32_t tick, std::uint8_t status,
                        std::initializer_list<std::uint8_t> data);

    std::vector<std::uint8_t> m_bytes;
    std::uint32_t m_tick = 0;
    std::uint8_t m_status = 0;
    bool m_runningStatus = true;
};

struct MidiFileLayout {
    int format = 1;
    // Ticks per quarter note; or, with the top bit set, SMPTE time as the file stores it.
    std::uint16_t division = 480;
};

std::vector<std::uint8_t> writeMidiFile(const MidiFileLayout& layout,
                                        const std::vector<MidiTrackWriter>& tracks);

// A variable-length quantity, as delta times and lengths are stored: seven bits a byte, the
// most significant first, every byte but the last with its top bit set.
void appendVariableLength(std::vector<std::uint8_t>& bytes, std::uint32_t value);

} // namespace klangora
