// RtMidi on the ALSA sequencer and on JACK, and the sequencer's own interface for connecting
// every source to Klangora's port, as aconnect would.
#include "sound/midi/midi_input.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace klangora {

namespace {

constexpr const char* kAlsaClientName = "Klangora";
constexpr const char* kJackClientName = "klangora";
constexpr const char* kJackPortName = "midi_in";
// New keyboards are looked for this often.
constexpr auto kSourcePoll = std::chrono::milliseconds(1000);

// RtMidi reports what it cannot do through this, instead of printing or throwing.
void ignoreError(RtMidiError::Type, const std::string&, void*) {}
void quietJack(const char*) {}
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// The sequencer's device; without it RtMidi would only fail loudly.
constexpr const char* kSequencerDevice = "/dev/snd/seq";

struct SeqAddress {
    int client;
    int port;
    bool operator==(const SeqAddress&) const = default;
};

// Klangora's own input port: the first port of the client of this process named "Klangora".
std::optional<SeqAddress> ownPort(snd_seq_t* seq) {
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        if (snd_seq_client_info_get_pid(client) != getpid() ||
            std::string(snd_seq_client_info_get_name(client)) != kAlsaClientName) {
            continue;
        }
        snd_seq_port_info_set_client(port, snd_seq_client_info_get_client(client));
        snd_seq_port_info_set_port(port, -1);
        if (snd_seq_query_next_port(seq, port) >= 0) {
            return SeqAddress{snd_seq_port_info_get_client(port), snd_seq_port_info_get_port(port)};
        }
    }
    return std::nullopt;
}

struct Source {
    SeqAddress address;
    std::string name;
};

// Every port that sends MIDI and takes subscribers, but the system's own, the loop-back "Midi
// Through" and Klangora itself.
std::vector<Source> midiSources(snd_seq_t* seq, int ownClient) {
    std::vector<Source> sources;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    constexpr unsigned kSends = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        const std::string clientName = snd_seq_client_info_get_name(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == ownClient || clientName == "Midi Through") {
            continue;
        }
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            if ((snd_seq_port_info_get_capability(port) & kSends) != kSends ||
                (snd_seq_port_info_get_type(port) & SND_SEQ_PORT_TYPE_MIDI_GENERIC) == 0) {
                continue;
            }
            sources.push_back({{id, snd_seq_port_info_get_port(port)},
                               clientName + ": " + snd_seq_port_info_get_name(port)});
        }
    }
    return sources;
}

bool subscribed(snd_seq_t* seq, SeqAddress from, SeqAddress to) {
    snd_seq_port_subscribe_t* subscription = nullptr;
    snd_seq_port_subscribe_alloca(&subscription);
    const snd_seq_addr_t sender{static_cast<unsigned char>(from.client),
                                static_cast<unsigned char>(from.port)};
    const snd_seq_addr_t dest{static_cast<unsigned char>(to.client),
                              static_cast<unsigned char>(to.port)};
    snd_seq_port_subscribe_set_sender(subscription, &sender);
    snd_seq_port_subscribe_set_dest(subscription, &dest);
    return snd_seq_get_port_subscription(seq, subscription) == 0 ||
           snd_seq_subscribe_port(seq, subscription) == 0;
}

template <int Source> void onMessage(double, std::vector<unsigned char>* message, void* self) {
    if (message != nullptr && !message->empty()) {
        static_cast<MidiInput*>(self)->receive(Source, message->data(), message->size());
    }
}

} // namespace

MidiInput::MidiInput(NoteSink& sink)
    : m_notes(sink), m_queues{std::make_unique<Queue>(), std::make_unique<Queue>()},
      m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    openAlsa();
    openJack();
    if (m_alsa) {
        m_watcher = std::thread([this] { watchAlsaSources(); });
    }
}

MidiInput::~MidiInput() {
    {
        const std::lock_guard lock(m_watchLock);
        m_stopping = true;
    }
    m_watchStop.notify_all();
    if (m_watcher.joinable()) {
        m_watcher.join();
    }
    m_alsa.reset();
    m_jack.reset();
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

void MidiInput::openAlsa() {
    if (access(kSequencerDevice, R_OK | W_OK) != 0) {
        return; // no sequencer: the keyboard of the computer still plays
    }
    // alsa-lib would print what it cannot do; that is no news to the learner.
    snd_lib_error_set_handler(&quietAlsa);
    try {
        auto in = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kAlsaClientName);
        in->setErrorCallback(&ignoreError, nullptr);
        in->setCallback(&onMessage<kAlsaSource>, this);
        in->openVirtualPort(kAlsaClientName);
        m_alsa = std::move(in);
    } catch (const RtMidiError&) {
        // A sequencer that will not take a client is no sequencer for us.
    }
}

void MidiInput::openJack() {
    // libjack would print its failure to find a server; that is no news to the learner.
    jack_set_error_function(&quietJack);
    jack_set_info_function(&quietJack);
    jack_status_t status{};
    // Only where a server already runs: RtMidi must not start one.
    jack_client_t* probe = jack_client_open("klangora-probe", JackNoStartServer, &status);
    if (probe == nullptr) {
        return;
    }
    jack_client_close(probe);
    try {
        auto in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, kJackClientName);
        in->setErrorCallback(&ignoreError, nullptr);
        in->setCallback(&onMessage<kJackSource>, this);
        in->openVirtualPort(kJackPortName);
        m_jack = std::move(in);
        const std::lock_guard lock(m_sourcesLock);
        m_jackSources = {std::string("JACK: ") + kJackClientName + ":" + kJackPortName};
        m_sourcesChanged = true;
    } catch (const RtMidiError&) {
    }
}

void MidiInput::receive(int source, const std::uint8_t* bytes, std::size_t size) {
    Queue& queue = *m_queues[static_cast<std::size_t>(source)];
    for (std::size_t done = 0; done < size;) {
        Chunk chunk;
        chunk.size = static_cast<std::uint8_t>(std::min(size - done, chunk.bytes.size()));
        std::copy_n(bytes + done, chunk.size, chunk.bytes.begin());
        if (!queue.push(chunk)) {
            // Flooded: what is lost may be a note-off, so everything is let go once drained.
            m_overflowed[static_cast<std::size_t>(source)] = true;
            break;
        }
        done += chunk.size;
    }
    wake();
}

void MidiInput::wake() {
    if (!m_wakePending.exchange(true) && m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_wakeFd, &one, sizeof one);
    }
}

bool MidiInput::drain() {
    std::uint64_t count = 0;
    if (m_wakeFd >= 0) {
        [[maybe_unused]] const auto read_ = read(m_wakeFd, &count, sizeof count);
    }
    m_wakePending = false;
    for (std::size_t source = 0; source < m_queues.size(); ++source) {
        while (const auto chunk = m_queues[source]->pop()) {
            m_parsers[source].feed(std::span(chunk->bytes.data(), chunk->size),
                                   [this](const MidiMessage& message) { m_notes.handle(message); });
        }
        if (m_overflowed[source].exchange(false)) {
            m_parsers[source].reset();
            m_notes.releaseAll();
        }
    }
    if (m_sourceGone.exchange(false)) {
        m_notes.releaseAll();
    }
    return m_sourcesChanged.exchange(false);
}

std::vector<std::string> MidiInput::connectedInputs() const {
    const std::lock_guard lock(m_sourcesLock);
    std::vector<std::string> names = m_alsaSources;
    names.insert(names.end(), m_jackSources.begin(), m_jackSources.end());
    return names;
}

void MidiInput::watchAlsaSources() {
    std::unique_lock lock(m_watchLock);
    while (!m_stopping) {
        lock.unlock();
        connectAlsaSources();
        lock.lock();
        m_watchStop.wait_for(lock, kSourcePoll, [this] { return m_stopping; });
    }
}

// A short-lived client of the sequencer's own makes the subscriptions, which outlive it.
void MidiInput::connectAlsaSources() {
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
        return;
    }
    std::vector<std::string> connected;
    if (const auto own = ownPort(seq)) {
        for (const Source& source : midiSources(seq, own->client)) {
            if (subscribed(seq, source.address, *own)) {
                connected.push_back(source.name);
            }
        }
    }
    snd_seq_close(seq);
    const std::lock_guard lock(m_sourcesLock);
    if (connected != m_alsaSources) {
        const bool lost = std::any_of(
            m_alsaSources.begin(), m_alsaSources.end(), [&connected](const std::string& name) {
                return std::find(connected.begin(), connected.end(), name) == connected.end();
            });
        m_alsaSources = std::move(connected);
        m_sourceGone = m_sourceGone || lost;
        m_sourcesChanged = true;
        wake();
    }
}

} // namespace klangora
