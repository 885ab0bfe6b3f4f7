#include "sound/midi/jack_midi_port.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace klangora {

namespace {

constexpr const char* kClientName = "klangora";
constexpr const char* kPortName = "midi_in";
constexpr const char* kOutPortName = "midi_out";
// Room for thousands of events between two turns of the owner's loop.
constexpr std::size_t kRingBytes = 1 << 16;
// How often a server is looked for while none runs, and how soon a shut-down one is noticed.
constexpr auto kLookForServer = std::chrono::seconds(3);
constexpr auto kWatchServer = std::chrono::milliseconds(200);

using Size = std::uint16_t; // before each event in the ring buffer

void quiet(const char*) {}

} // namespace

JackMidiPort::JackMidiPort(std::function<void()> wake, JackMidiHost* host)
    : m_wake(std::move(wake)), m_host(host), m_ring(jack_ringbuffer_create(kRingBytes)),
      m_worker([this] { run(); }) {}

JackMidiPort::~JackMidiPort() {
    {
        const std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_stop.notify_all();
    m_worker.join();
    jack_ringbuffer_free(m_ring);
}

void JackMidiPort::run() {
    // libjack would print its failure to find a server; that is no news to the learner.
    jack_set_error_function(&quiet);
    jack_set_info_function(&quiet);
    std::unique_lock lock(m_lock);
    while (!m_stopping) {
        lock.unlock();
        if (m_client != nullptr && m_serverGone.exchange(false)) {
            closeClient();
        }
        if (m_client == nullptr && !hosted()) {
            openClient();
        }
        lock.lock();
        m_stop.wait_for(lock, m_client != nullptr ? kWatchServer : kLookForServer,
                        [this] { return m_stopping || m_serverGone; });
    }
    lock.unlock();
    closeClient();
}

// Only where a server already runs: the program never starts one.
bool JackMidiPort::openClient() {
    jack_status_t status{};
    m_client = jack_client_open(kClientName, JackNoStartServer, &status);
    if (m_client == nullptr) {
        return false;
    }
    m_port = jack_port_register(m_client, kPortName, JACK_DEFAULT_MIDI_TYPE,
                                JackPortIsInput | JackPortIsTerminal, 0);
    m_outPort = jack_port_register(m_client, kOutPortName, JACK_DEFAULT_MIDI_TYPE,
                                   JackPortIsOutput | JackPortIsTerminal, 0);
    if (m_port == nullptr || m_outPort == nullptr ||
        jack_set_process_callback(m_client, &onProcess, this) != 0 ||
        jack_set_port_connect_callback(m_client, &onConnect, this) != 0) {
        closeClient();
        return false;
    }
    jack_on_shutdown(m_client, &onShutdown, this);
    if (jack_activate(m_client) != 0) {
        closeClient();
        return false;
    }
    m_open = true;
    m_wake();
    return true;
}

void JackMidiPort::closeClient() {
    if (m_client == nullptr) {
        return;
    }
    // After a shutdown the client is a husk that only needs its memory back.
    jack_client_close(m_client);
    m_client = nullptr;
    m_port = nullptr;
    m_outPort = nullptr;
    if (m_open.exchange(false)) {
        m_lost = true;
        m_wake();
    }
}

std::vector<std::string> JackMidiPort::names() const {
    if (!open()) {
        return {};
    }
    return {std::string("JACK: ") + kClientName + ":" + kPortName};
}

// ---- The process callback: no lock, no allocation, no wait ----

int JackMidiPort::onProcess(std::uint32_t frames, void* self) {
    auto& port = *static_cast<JackMidiPort*>(self);
    void* buffer = jack_port_get_buffer(port.m_port, frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event{};
        if (jack_midi_event_get(&event, buffer, i) == 0 && event.size > 0) {
            port.write(std::span<const std::uint8_t>(event.buffer, event.size));
        }
    }
    if (count > 0) {
        port.m_wake();
    }
    port.m_outgoing.writeInto(jack_port_get_buffer(port.m_outPort, frames));
    return 0;
}

void JackMidiPort::send(std::span<const std::uint8_t> message) {
    if (hosted()) {
        m_host->sendMidi(message);
        return;
    }
    if (m_open) {
        m_outgoing.send(message);
    }
}

void JackMidiPort::write(std::span<const std::uint8_t> event) {
    const auto size = static_cast<Size>(std::min(event.size(), kLongestEvent));
    // The size and the bytes go in with one write, so the reader sees the whole event or none.
    std::array<char, sizeof(Size) + kLongestEvent> record{};
    std::memcpy(record.data(), &size, sizeof size);
    // A long event keeps its first bytes and its last: where it began and how it ended.
    std::memcpy(record.data() + sizeof size, event.data(), size - 1U);
    record[sizeof size + size - 1U] = static_cast<char>(event.back());
    if (jack_ringbuffer_write_space(m_ring) < sizeof size + size) {
        m_lost = true; // an event lost may be a note-off
        return;
    }
    jack_ringbuffer_write(m_ring, record.data(), sizeof size + size);
}

std::size_t JackMidiPort::nextEvent(std::array<std::uint8_t, kLongestEvent>& bytes) {
    Size size = 0;
    if (jack_ringbuffer_read_space(m_ring) < sizeof size) {
        return 0;
    }
    jack_ringbuffer_read(m_ring, reinterpret_cast<char*>(&size), sizeof size);
    jack_ringbuffer_read(m_ring, reinterpret_cast<char*>(bytes.data()), size);
    return size;
}

// ---- JACK's notification thread ----

// Any connection of the port going away (the notification names both ends; a sender that exits
// or is killed has its connections taken away with the same notification) lets go of JACK's
// notes. Looking the ports up reads the graph that libjack keeps in shared memory; a callback
// must not ask the server anything, which would wait for this very callback.
void JackMidiPort::onConnect(std::uint32_t a, std::uint32_t b, int connect, void* self) {
    auto& port = *static_cast<JackMidiPort*>(self);
    if (connect != 0 && (jack_port_by_id(port.m_client, a) == port.m_outPort ||
                         jack_port_by_id(port.m_client, b) == port.m_outPort)) {
        port.m_newListener = true;
        port.m_wake();
    }
    if (connect == 0 && (jack_port_by_id(port.m_client, a) == port.m_port ||
                         jack_port_by_id(port.m_client, b) == port.m_port)) {
        port.m_lost = true;
        port.m_wake();
    }
}

void JackMidiPort::onShutdown(void* self) {
    auto& port = *static_cast<JackMidiPort*>(self);
    port.m_serverGone = true;
    port.m_lost = true;
    port.m_wake();
    port.m_stop.notify_all();
}

} // namespace klangora
