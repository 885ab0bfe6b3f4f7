#include "sound/midi/alsa_sequencer_input.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>

namespace klangora {

namespace {

constexpr const char* kClientName = "Klangora";
constexpr const char* kOutPortName = "Klangora MIDI ud";
// Room for the longest message sent: a tuning change of 64 keys is 264 bytes.
constexpr std::size_t kLongestOutgoing = 512;
// The sequencer's device; without it alsa-lib would only fail loudly.
constexpr const char* kSequencerDevice = "/dev/snd/seq";
constexpr unsigned kSends = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

AlsaSequencerInput::Source sourceOf(int client, int port) {
    return static_cast<AlsaSequencerInput::Source>(client << 8 | port);
}

std::uint8_t byte(int value) {
    return static_cast<std::uint8_t>(value & 0x7F);
}

} // namespace

AlsaSequencerInput::AlsaSequencerInput(std::function<void()> wake, OnThread onThread)
    : m_wake(std::move(wake)), m_onThread(std::move(onThread)) {
    if (access(kSequencerDevice, R_OK | W_OK) != 0) {
        return; // no sequencer: the keyboard of the computer still plays
    }
    snd_lib_error_set_handler(&quietAlsa);
    if (snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
        m_seq = nullptr;
        return;
    }
    snd_seq_set_client_name(m_seq, kClientName);
    m_client = snd_seq_client_id(m_seq);
    m_port = snd_seq_create_simple_port(
        m_seq, kClientName, SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    m_outPort = snd_seq_create_simple_port(
        m_seq, kOutPortName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (m_outPort >= 0 && snd_midi_event_new(kLongestOutgoing, &m_encoder) < 0) {
        m_encoder = nullptr;
    }
    m_stopFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_port < 0 || m_stopFd < 0 ||
        snd_seq_connect_from(m_seq, m_port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE) <
            0) {
        snd_seq_close(m_seq);
        m_seq = nullptr;
        return;
    }
    connectExisting();
    m_thread = std::thread([this] { run(); });
}

AlsaSequencerInput::~AlsaSequencerInput() {
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_stopFd, &one, sizeof one);
        m_thread.join();
    }
    if (m_seq != nullptr) {
        snd_seq_close(m_seq);
    }
    if (m_encoder != nullptr) {
        snd_midi_event_free(m_encoder);
    }
    if (m_stopFd >= 0) {
        close(m_stopFd);
    }
}

// Every source there is, connected to Klangora's port.
void AlsaSequencerInput::connectExisting() {
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(m_seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(m_seq, port) >= 0) {
            connect(id, snd_seq_port_info_get_port(port));
        }
    }
}

void AlsaSequencerInput::connect(int client, int port) {
    const std::string name = sourceName(client, port);
    if (!name.empty() && snd_seq_connect_from(m_seq, m_port, client, port) >= 0) {
        remember(sourceOf(client, port), name);
    }
}

// The name of a port that sends MIDI to subscribers, as "client: port"; empty for any other,
// and for the system's own, the loop-back "Midi Through" and Klangora itself.
std::string AlsaSequencerInput::sourceName(int client, int port) const {
    snd_seq_client_info_t* clientInfo = nullptr;
    snd_seq_port_info_t* portInfo = nullptr;
    snd_seq_client_info_alloca(&clientInfo);
    snd_seq_port_info_alloca(&portInfo);
    if (client == SND_SEQ_CLIENT_SYSTEM || client == m_client ||
        snd_seq_get_any_client_info(m_seq, client, clientInfo) < 0 ||
        snd_seq_get_any_port_info(m_seq, client, port, portInfo) < 0) {
        return {};
    }
    const std::string clientName = snd_seq_client_info_get_name(clientInfo);
    if (clientName == "Midi Through" ||
        (snd_seq_port_info_get_capability(portInfo) & kSends) != kSends ||
        (snd_seq_port_info_get_type(portInfo) & SND_SEQ_PORT_TYPE_MIDI_GENERIC) == 0) {
        return {};
    }
    return clientName + ": " + snd_seq_port_info_get_name(portInfo);
}

void AlsaSequencerInput::remember(Source source, const std::string& name) {
    const std::lock_guard lock(m_namesLock);
    if (std::none_of(m_connected.begin(), m_connected.end(),
                     [source](const auto& entry) { return entry.first == source; })) {
        m_connected.emplace_back(source, name);
        m_changed = true;
        m_wake();
    }
}

// The sender's notes are let go, and it is no longer listed.
void AlsaSequencerInput::forget(Source source) {
    {
        const std::lock_guard lock(m_namesLock);
        const auto was = m_connected.size();
        std::erase_if(m_connected, [source](const auto& entry) { return entry.first == source; });
        m_changed = m_changed || m_connected.size() != was;
    }
    Item gone;
    gone.source = source;
    gone.gone = true;
    push(gone);
}

std::vector<std::string> AlsaSequencerInput::names() const {
    const std::lock_guard lock(m_namesLock);
    std::vector<std::string> names;
    for (const auto& [source, name] : m_connected) {
        names.push_back(name);
    }
    return names;
}

void AlsaSequencerInput::push(const Item& item) {
    const std::lock_guard lock(m_pushLock);
    if (m_onThread) {
        m_onThread(item.source, item.gone,
                   std::span<const std::uint8_t>(item.bytes.data(), item.size));
        if (item.gone) {
            m_wake(); // the window lists the senders anew
        }
        return;
    }
    if (!m_queue.push(item)) {
        m_overflowed = true;
    }
    m_wake();
}

void AlsaSequencerInput::receive(std::span<const std::uint8_t> bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        Item item;
        item.source = kOwnSource;
        item.size = static_cast<std::uint8_t>(std::min(bytes.size() - done, item.bytes.size()));
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(done), item.size,
                    item.bytes.begin());
        push(item);
        done += item.size;
    }
}

void AlsaSequencerInput::send(std::span<const std::uint8_t> message) {
    if (m_seq == nullptr || m_encoder == nullptr || message.empty()) {
        return;
    }
    snd_midi_event_reset_encode(m_encoder);
    snd_seq_event_t event{};
    if (snd_midi_event_encode(m_encoder, message.data(), static_cast<long>(message.size()),
                              &event) <= 0 ||
        event.type == SND_SEQ_EVENT_NONE) {
        return;
    }
    snd_seq_ev_set_source(&event, m_outPort);
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    // The client was opened not to block: a sequencer that cannot take more drops the message.
    snd_seq_event_output_direct(m_seq, &event);
}

void AlsaSequencerInput::run() {
    const int count = snd_seq_poll_descriptors_count(m_seq, POLLIN);
    std::vector<pollfd> fds(static_cast<std::size_t>(count) + 1);
    snd_seq_poll_descriptors(m_seq, fds.data(), static_cast<unsigned>(count), POLLIN);
    fds.back() = {m_stopFd, POLLIN, 0};
    while (true) {
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
            return;
        }
        if (fds.back().revents != 0) {
            return;
        }
        snd_seq_event_t* event = nullptr;
        while (snd_seq_event_input(m_seq, &event) >= 0 && event != nullptr) {
            handle(*event);
        }
    }
}

void AlsaSequencerInput::handle(const snd_seq_event& event) {
    const Source sender = sourceOf(event.source.client, event.source.port);
    Item item;
    item.source = sender;
    const auto message = [&](int status, int data1, int data2) {
        item.size = 3;
        item.bytes = {static_cast<std::uint8_t>(status), byte(data1), byte(data2)};
        push(item);
    };
    switch (event.type) {
    case SND_SEQ_EVENT_NOTEON:
        message(0x90 | event.data.note.channel, event.data.note.note, event.data.note.velocity);
        break;
    case SND_SEQ_EVENT_NOTEOFF:
        message(0x80 | event.data.note.channel, event.data.note.note, event.data.note.velocity);
        break;
    case SND_SEQ_EVENT_CONTROLLER:
        message(0xB0 | event.data.control.channel, static_cast<int>(event.data.control.param),
                event.data.control.value);
        break;
    case SND_SEQ_EVENT_PORT_START:
        connect(event.data.addr.client, event.data.addr.port);
        break;
    case SND_SEQ_EVENT_PORT_EXIT:
        forget(sourceOf(event.data.addr.client, event.data.addr.port));
        break;
    case SND_SEQ_EVENT_PORT_SUBSCRIBED: // by the user, say with aconnect
        if (event.data.connect.sender.client == m_client &&
            event.data.connect.sender.port == m_outPort) {
            m_newListener = true;
            m_wake();
        }
        if (event.data.connect.dest.client == m_client && event.data.connect.dest.port == m_port) {
            const auto& sender = event.data.connect.sender;
            const std::string name = sourceName(sender.client, sender.port);
            if (!name.empty()) {
                remember(sourceOf(sender.client, sender.port), name);
            }
        }
        break;
    case SND_SEQ_EVENT_PORT_UNSUBSCRIBED:
        if (event.data.connect.dest.client == m_client && event.data.connect.dest.port == m_port) {
            forget(sourceOf(event.data.connect.sender.client, event.data.connect.sender.port));
        }
        break;
    default:
        break;
    }
}

} // namespace klangora
