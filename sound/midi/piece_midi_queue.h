#pragma once

// A playing piece's channel events on their way from the audio thread to the MIDI output: the
// audio thread pushes each as a MIDI message (notes, the pedal and programs on the piece's own
// channels; the percussion channel never), the owner's thread takes them out and sends them.
// Neither side waits or allocates.
//
// The queue between them is fixed; when the owner's thread lags so far that it is full, the
// audio thread keeps what does not fit in a backlog of its own, in order, and offers it again
// at its next callback. Should even that overflow, the receiver is given the piece's whole
// state instead once there is room: every channel's notes off, its pedal, its program and the
// notes it holds. A lag delays the piece's notes outside; it never leaves one hanging or
// missing for good.
#include "core/music/piece.h"
#include "sound/instrument/event_queue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>

namespace klangora {

class PieceMidiQueue {
public:
    struct Message {
        std::array<std::uint8_t, 3> bytes{};
        std::uint8_t size = 0;
        std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
    };
    static constexpr std::size_t kCapacity = 4096;
    static constexpr int kPercussionChannel = 9; // channel 10, drums rather than pitches

    // Owner's thread: whether the audio thread is to push anything at all.
    void setEnabled(bool on) { m_enabled.store(on, std::memory_order_release); }
    bool enabled() const { return m_enabled.load(std::memory_order_acquire); }
    // Owner's thread: the next message, in the order the piece played them.
    std::optional<Message> pop() { return m_queue.pop(); }

    // Audio thread: what waits in the backlog first, then the piece's whole state if it is due.
    void retry();
    // Audio thread: one of the piece's channel events.
    void push(const PieceEvent& event);

private:
    struct Channel {
        std::array<std::uint8_t, 128> velocity{}; // 0: not held
        std::uint8_t program = 0;
        bool pedal = false;
    };

    void remember(const PieceEvent& event);
    void offer(const Message& message);
    bool pushState();
    std::size_t stateSize() const;

    EventQueue<Message, kCapacity> m_queue;
    std::atomic<bool> m_enabled{false};
    // The audio thread's own.
    std::array<Message, kCapacity> m_backlog{};
    std::size_t m_backlogHead = 0;
    std::size_t m_backlogSize = 0;
    bool m_statePending = false;
    std::array<Channel, 16> m_channels{};
};

} // namespace klangora
