#pragma once

// MIDI from the ALSA sequencer through its own interface, as one long-lived client "Klangora"
// with one input port. The same client listens to the sequencer's announcements, so it connects
// each source port once, when it appears (or at the start); a connection the user removes stays
// removed while the port exists, and a device plugged in again (a new port) is connected again.
// Every event names its sender, so a source that goes away (its port ends, or is disconnected)
// takes exactly its own notes with it.
//
// The same client has the output port "Klangora MIDI ud", which no source is connected to
// automatically; whoever connects it to an instrument (aconnect, a patchbay) hears what the
// program sends.
//
// A thread of its own waits on the sequencer and copies what arrives into a lock-free queue; the
// owner's thread drains it.
#include "sound/instrument/event_queue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct _snd_seq;
struct snd_midi_event;
struct snd_seq_event;

namespace klangora {

class AlsaSequencerInput {
public:
    // A sender: client << 8 | port.
    using Source = std::uint16_t;
    // Bytes handed to receive() come from this source.
    static constexpr Source kOwnSource = 0xFFFF;

    // What a sender sent, or that it went away, handed over on the input's own thread.
    using OnThread =
        std::function<void(Source source, bool gone, std::span<const std::uint8_t> bytes)>;

    // wake is called from the input's thread whenever something waits; it must not block.
    // With onThread, the senders' bytes go to it instead, on the input's thread (or the caller's
    // of receive()), and nothing waits for drain() but the news of senders.
    explicit AlsaSequencerInput(std::function<void()> wake, OnThread onThread = {});
    ~AlsaSequencerInput();
    AlsaSequencerInput(const AlsaSequencerInput&) = delete;
    AlsaSequencerInput& operator=(const AlsaSequencerInput&) = delete;

    bool open() const { return m_seq != nullptr; }
    // The output port "Klangora MIDI ud", as the sequencer addresses it (client, port).
    std::pair<int, int> outAddress() const { return {m_client, m_outPort}; }

    // The owner's thread: MIDI bytes of each sender, and senders gone, in order. Returns true
    // when events were lost (the queue overflowed): every sender's notes are to be let go.
    template <typename OnBytes, typename OnGone> bool drain(OnBytes&& onBytes, OnGone&& onGone) {
        while (const auto item = m_queue.pop()) {
            if (item->gone) {
                onGone(item->source);
            } else {
                onBytes(item->source,
                        std::span<const std::uint8_t>(item->bytes.data(), item->size));
            }
        }
        return m_overflowed.exchange(false);
    }

    // The owner's thread: one whole MIDI message to the output port's subscribers, never waiting
    // (a full sequencer drops it). True once after a receiver subscribed to the output port.
    void send(std::span<const std::uint8_t> message);
    bool takeNewListener() { return m_newListener.exchange(false); }

    // The connected senders by name, as the sequencer names them.
    std::vector<std::string> names() const;
    // True once after the connected senders changed.
    bool takeChange() { return m_changed.exchange(false); }

    // Bytes of a source of the caller's own, through the same queue (tests, benchmarks).
    void receive(std::span<const std::uint8_t> bytes);
    // An event as the sequencer delivers it to the input's thread, for tests where no sequencer
    // runs; never while one does.
    void deliver(const snd_seq_event& event) { handle(event); }

private:
    struct Item {
        Source source = 0;
        bool gone = false;
        std::uint8_t size = 0;
        std::array<std::uint8_t, 12> bytes{};
    };

    void run();
    void handle(const snd_seq_event& event);
    void connectExisting();
    void connect(int client, int port);
    std::string sourceName(int client, int port) const;
    void remember(Source source, const std::string& name);
    void forget(Source source);
    void push(const Item& item);

    std::function<void()> m_wake;
    OnThread m_onThread;
    _snd_seq* m_seq = nullptr;
    int m_client = -1;
    int m_port = -1;
    int m_outPort = -1;
    snd_midi_event* m_encoder = nullptr; // the owner's thread's
    std::atomic<bool> m_newListener{false};
    int m_stopFd = -1;
    EventQueue<Item, 8192> m_queue;
    std::atomic<bool> m_overflowed{false};
    std::atomic<bool> m_changed{false};
    mutable std::mutex m_namesLock;
    std::vector<std::pair<Source, std::string>> m_connected;
    std::mutex m_pushLock; // receive() and the thread both push
    std::thread m_thread;  // last: it starts when everything else exists
};

} // namespace klangora
