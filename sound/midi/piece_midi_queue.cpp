#include "sound/midi/piece_midi_queue.h"

#include "sound/midi/midi_bytes.h"

namespace klangora {

namespace {

using namespace midi;
constexpr std::uint8_t kController = kControlChange;
constexpr std::uint8_t kProgram = kProgramChange;

PieceMidiQueue::Message message(std::uint8_t status, std::uint8_t data1) {
    return {{status, data1, 0}, 2};
}

PieceMidiQueue::Message message(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    return {{status, data1, data2}, 3};
}

PieceMidiQueue::Message messageOf(const PieceEvent& event) {
    const auto channel = static_cast<std::uint8_t>(event.channel & 0x0F);
    const auto key = static_cast<std::uint8_t>(event.key & 0x7F);
    switch (event.kind) {
    case PieceEvent::Kind::noteOn:
        return message(kNoteOn | channel, key, static_cast<std::uint8_t>(event.value & 0x7F));
    case PieceEvent::Kind::noteOff:
        return message(kNoteOff | channel, key, 0);
    case PieceEvent::Kind::sustain:
        return message(kController | channel, kSustainPedal, event.value >= 64 ? 127 : 0);
    case PieceEvent::Kind::program:
        return message(kProgram | channel, key);
    }
    return {};
}

} // namespace

void PieceMidiQueue::push(const PieceEvent& event) {
    if ((event.channel & 0x0F) == kPercussionChannel || !enabled()) {
        return;
    }
    remember(event);
    if (!m_statePending) {
        offer(messageOf(event));
    }
}

// What a receiver that heard every message holds now, channel by channel.
void PieceMidiQueue::remember(const PieceEvent& event) {
    Channel& channel = m_channels[event.channel & 0x0F];
    switch (event.kind) {
    case PieceEvent::Kind::noteOn:
        channel.velocity[event.key & 0x7F] = static_cast<std::uint8_t>(event.value & 0x7F);
        break;
    case PieceEvent::Kind::noteOff:
        channel.velocity[event.key & 0x7F] = 0;
        break;
    case PieceEvent::Kind::sustain:
        channel.pedal = event.value >= 64;
        break;
    case PieceEvent::Kind::program:
        channel.program = static_cast<std::uint8_t>(event.key & 0x7F);
        break;
    }
}

// Straight into the queue only while nothing older waits behind it.
void PieceMidiQueue::offer(const Message& message) {
    if (m_backlogSize == 0 && m_queue.push(message)) {
        return;
    }
    if (m_backlogSize == m_backlog.size()) {
        // Too far behind to keep every message: the whole state goes instead, once it fits.
        m_backlogSize = 0;
        m_statePending = true;
        return;
    }
    m_backlog[(m_backlogHead + m_backlogSize) % m_backlog.size()] = message;
    ++m_backlogSize;
}

void PieceMidiQueue::retry() {
    while (m_backlogSize > 0 && m_queue.push(m_backlog[m_backlogHead])) {
        m_backlogHead = (m_backlogHead + 1) % m_backlog.size();
        --m_backlogSize;
    }
    if (m_statePending && m_backlogSize == 0 && m_queue.room() >= stateSize()) {
        m_statePending = !pushState();
    }
}

std::size_t PieceMidiQueue::stateSize() const {
    std::size_t size = 0;
    for (const Channel& channel : m_channels) {
        size += 3; // notes off, the pedal, the program
        for (const std::uint8_t velocity : channel.velocity) {
            size += velocity > 0 ? 1 : 0;
        }
    }
    return size;
}

// Only called with room for all of it: the consumer only ever makes more.
bool PieceMidiQueue::pushState() {
    bool all = true;
    const auto put = [&](const Message& message) { all = m_queue.push(message) && all; };
    for (std::size_t index = 0; index < m_channels.size(); ++index) {
        const auto number = static_cast<std::uint8_t>(index);
        if (number == kPercussionChannel) {
            continue;
        }
        const Channel& channel = m_channels[index];
        put(message(kController | number, kAllNotesOff, 0));
        put(message(kController | number, kSustainPedal, channel.pedal ? 127 : 0));
        put(message(kProgram | number, channel.program));
        for (std::size_t key = 0; key < channel.velocity.size(); ++key) {
            if (channel.velocity[key] > 0) {
                put(message(kNoteOn | number, static_cast<std::uint8_t>(key),
                            channel.velocity[key]));
            }
        }
    }
    return all;
}

} // namespace klangora
