#include "sound/midi/live_event_midi.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kController = 0xB0;

std::uint8_t velocityByte(float velocity) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(velocity * 127.0f), 1L, 127L));
}

bool isNote(int note) {
    return note >= 0 && note < 128;
}

} // namespace

bool LiveEventMidi::heldByAny(int note) const {
    return std::any_of(m_held.begin(), m_held.end(), [note](const std::bitset<128>& held) {
        return held.test(static_cast<std::size_t>(note));
    });
}

void LiveEventMidi::noteOff(VoiceSource source, int note, std::vector<std::uint8_t>& bytes) {
    auto& held = m_held[sourceIndex(source)];
    if (!held.test(static_cast<std::size_t>(note))) {
        return;
    }
    held.reset(static_cast<std::size_t>(note));
    if (!heldByAny(note)) {
        bytes.insert(bytes.end(), {kNoteOff | kChannel, static_cast<std::uint8_t>(note), 0});
    }
}

std::vector<std::uint8_t> LiveEventMidi::translate(const LiveEvent& event) {
    std::vector<std::uint8_t> bytes;
    if (event.source == VoiceSource::midi && event.kind != LiveEvent::Kind::releaseAll) {
        return bytes;
    }
    switch (event.kind) {
    case LiveEvent::Kind::noteOn:
        if (isNote(event.key)) {
            if (!heldByAny(event.key)) {
                bytes.insert(bytes.end(), {kNoteOn | kChannel, static_cast<std::uint8_t>(event.key),
                                           velocityByte(event.velocity)});
            }
            m_held[sourceIndex(event.source)].set(static_cast<std::size_t>(event.key));
        }
        break;
    case LiveEvent::Kind::noteOff:
        if (isNote(event.key)) {
            noteOff(event.source, event.key, bytes);
        }
        break;
    case LiveEvent::Kind::releaseSource:
        for (int note = 0; note < 128; ++note) {
            noteOff(event.source, note, bytes);
        }
        break;
    case LiveEvent::Kind::releaseAll:
        return silenceAll();
    default:
        break;
    }
    return bytes;
}

std::vector<std::uint8_t> LiveEventMidi::silenceAll() {
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto status = static_cast<std::uint8_t>(kController | channel);
        bytes.insert(bytes.end(), {status, kSustainPedal, 0, status, kAllNotesOff, 0});
    }
    for (auto& held : m_held) {
        held.reset();
    }
    return bytes;
}

} // namespace klangora
