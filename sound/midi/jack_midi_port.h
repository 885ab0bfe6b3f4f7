#pragma once

// The program's own JACK MIDI input port, klangora:midi_in, through libjack as JACK's own
// example clients do it: the process callback copies each raw event into a lock-free ring
// buffer and wakes the owner, whose thread parses them. JACK merges every sender into the one
// port, so when any connection of it goes away (a disconnection, a client that exits or is
// killed) or the server shuts down, the owner is told to let go of every note that came
// through JACK. While no server runs, a worker thread looks for one every few seconds (opening
// a client can block on a hung server, so never on the window's thread).
//
// The same client offers klangora:midi_out: the owner's thread puts whole messages into a second
// ring buffer, which the process callback empties into the port each period.
//
// Where the sound itself goes to JACK, its client carries both ports (a JackMidiHost): while it
// runs, this opens no client of its own and sends through the host.
#include "sound/midi/jack_midi_host.h"
#include "sound/midi/jack_outgoing_midi.h"

#include <jack/ringbuffer.h>
#include <jack/types.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace klangora {

class JackMidiPort {
public:
    // wake is called, from JACK's threads, whenever events or news wait; it must not block.
    explicit JackMidiPort(std::function<void()> wake, JackMidiHost* host = nullptr);
    ~JackMidiPort();
    JackMidiPort(const JackMidiPort&) = delete;
    JackMidiPort& operator=(const JackMidiPort&) = delete;

    // The owner's thread: every waiting event, whole, in order.
    template <typename OnEvent> void readEvents(OnEvent&& onEvent) {
        std::array<std::uint8_t, kLongestEvent> bytes{};
        while (const std::size_t size = nextEvent(bytes)) {
            onEvent(std::span<const std::uint8_t>(bytes.data(), size));
        }
    }
    // True once after a connection went away, the server shut down or events were lost: every
    // note that came through JACK is to be let go.
    bool takeLoss() { return m_lost.exchange(false); }
    bool open() const { return m_open.load() || hosted(); }
    // Whether the sound's JACK client carries the ports now.
    bool hosted() const { return m_host != nullptr && m_host->hostsMidi(); }
    JackMidiHost* host() const { return m_host; }
    // The owner's thread: one whole MIDI message out (dropped while no server runs or the ring
    // is full). True once after a receiver was connected to the output port.
    void send(std::span<const std::uint8_t> message);
    bool takeNewListener() {
        const bool hostHeard = m_host != nullptr && m_host->takeNewListener();
        return m_newListener.exchange(false) || hostHeard;
    }

    // The port's name while it exists.
    std::vector<std::string> names() const;

    // An event as the process callback would deliver it, for tests and benchmarks where no
    // server runs (never together with one: the ring buffer has one writer).
    void deliver(std::span<const std::uint8_t> event) { write(event); }

    // Longer events (a system-exclusive dump) are kept by their first bytes and their last,
    // which is all the parser needs of them.
    static constexpr std::size_t kLongestEvent = 256;

private:
    void run();
    bool openClient();
    void closeClient();
    void write(std::span<const std::uint8_t> event);
    std::size_t nextEvent(std::array<std::uint8_t, kLongestEvent>& bytes);
    static int onProcess(std::uint32_t frames, void* self);
    static void onConnect(std::uint32_t a, std::uint32_t b, int connect, void* self);
    static void onShutdown(void* self);

    std::function<void()> m_wake;
    JackMidiHost* m_host;
    jack_ringbuffer_t* m_ring;
    jack_client_t* m_client = nullptr; // the worker's
    jack_port_t* m_port = nullptr;
    jack_port_t* m_outPort = nullptr;
    JackOutgoingMidi m_outgoing;
    std::atomic<bool> m_newListener{false};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_serverGone{false};

    std::mutex m_lock; // the worker's wait
    std::condition_variable m_stop;
    bool m_stopping = false;
    std::thread m_worker; // last: it starts when everything else exists
};

} // namespace klangora
