#include "core/music/midi_file_writer.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

std::uint8_t low7(int value) {
    return static_cast<std::uint8_t>(value & 0x7F);
}

void appendBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace

void appendVariableLength(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value > 0);
    while (count > 1) {
        bytes.push_back(groups[--count] | 0x80);
    }
    bytes.push_back(groups[0]);
}

void MidiTrackWriter::delta(std::uint32_t tick) {
    appendVariableLength(m_bytes, tick - std::min(tick, m_tick));
    m_tick = std::max(tick, m_tick);
}

void MidiTrackWriter::channelMessage(std::uint32_t tick, std::uint8_t status,
                                     std::initializer_list<std::uint8_t> data) {
    delta(tick);
    if (!m_runningStatus || status != m_status) {
        m_bytes.push_back(status);
    }
    m_status = status;
    m_bytes.insert(m_bytes.end(), data);
}

void MidiTrackWriter::noteOn(std::uint32_t tick, int channel, int note, int velocity) {
    channelMessage(tick, static_cast<std::uint8_t>(0x90 | (channel & 0x0F)),
                   {low7(note), low7(velocity)});
}

void MidiTrackWriter::noteOff(std::uint32_t tick, int channel, int note) {
    channelMessage(tick, static_cast<std::uint8_t>(0x80 | (channel & 0x0F)), {low7(note), 64});
}

void MidiTrackWriter::controller(std::uint32_t tick, int channel, int controller, int value) {
    channelMessage(tick, static_cast<std::uint8_t>(0xB0 | (channel & 0x0F)),
                   {low7(controller), low7(value)});
}

void MidiTrackWriter::program(std::uint32_t tick, int channel, int program) {
    channelMessage(tick, static_cast<std::uint8_t>(0xC0 | (channel & 0x0F)), {low7(program)});
}

void MidiTrackWriter::meta(std::uint32_t tick, int type, const std::vector<std::uint8_t>& data) {
    delta(tick);
    m_bytes.push_back(0xFF);
    m_bytes.push_back(static_cast<std::uint8_t>(type));
    appendVariableLength(m_bytes, static_cast<std::uint32_t>(data.size()));
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
}

void MidiTrackWriter::tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter) {
    meta(tick, 0x51,
         {static_cast<std::uint8_t>(microsecondsPerQuarter >> 16),
          static_cast<std::uint8_t>(microsecondsPerQuarter >> 8),
          static_cast<std::uint8_t>(microsecondsPerQuarter)});
}

void MidiTrackWriter::tempoBpm(std::uint32_t tick, double quarterNotesPerMinute) {
    tempo(tick, static_cast<std::uint32_t>(std::lround(60e6 / quarterNotesPerMinute)));
}

void MidiTrackWriter::sysex(std::uint32_t tick, const std::vector<std::uint8_t>& data) {
    delta(tick);
    m_bytes.push_back(0xF0);
    appendVariableLength(m_bytes, static_cast<std::uint32_t>(data.size()));
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
}

std::vector<std::uint8_t> MidiTrackWriter::body(std::uint32_t endTick) const {
    std::vector<std::uint8_t> bytes = m_bytes;
    appendVariableLength(bytes, endTick - std::min(endTick, m_tick));
    bytes.insert(bytes.end(), {0xFF, 0x2F, 0x00});
    return bytes;
}

std::vector<std::uint8_t> writeMidiFile(const MidiFileLayout& layout,
                                        const std::vector<MidiTrackWriter>& tracks) {
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd'};
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, static_cast<std::uint32_t>(layout.format), 2);
    appendBigEndian(file, static_cast<std::uint32_t>(tracks.size()), 2);
    appendBigEndian(file, layout.division, 2);
    for (const MidiTrackWriter& track : tracks) {
        const std::vector<std::uint8_t> body = track.body();
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        appendBigEndian(file, static_cast<std::uint32_t>(body.size()), 4);
        file.insert(file.end(), body.begin(), body.end());
    }
    return file;
}

} // namespace klangora
