// A MIDI sender for the end-to-end tests: connects itself to klangora:midi_in, sends the events
// given on its command line (hexadecimal bytes, one JACK event per argument) in successive
// process cycles, and then stays, holding whatever it started, until it is killed.
//
//     jack_midi_sender "F0 7E 7F 09 01" "90 3C 64"
#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Event = std::vector<unsigned char>;

struct Sender {
    jack_port_t* port = nullptr;
    std::vector<Event> events;
    std::atomic<bool> connected{false};
    std::size_t next = 0; // the process thread's
};

int process(jack_nframes_t frames, void* self) {
    auto& sender = *static_cast<Sender*>(self);
    void* buffer = jack_port_get_buffer(sender.port, frames);
    jack_midi_clear_buffer(buffer);
    if (sender.connected && sender.next < sender.events.size()) {
        const Event& event = sender.events[sender.next++];
        jack_midi_event_write(buffer, 0, event.data(), event.size());
    }
    return 0;
}

Event parse(const char* text) {
    Event event;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) {
        event.push_back(static_cast<unsigned char>(value));
    }
    return event;
}

} // namespace

int main(int argc, char** argv) {
    Sender sender;
    for (int i = 1; i < argc; ++i) {
        sender.events.push_back(parse(argv[i]));
    }
    jack_status_t status{};
    jack_client_t* client = jack_client_open("midisender", JackNoStartServer, &status);
    if (client == nullptr) {
        std::fputs("no JACK server\n", stderr);
        return 1;
    }
    sender.port = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client, &process, &sender);
    if (sender.port == nullptr || jack_activate(client) != 0) {
        return 1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (jack_connect(client, "midisender:out", "klangora:midi_in") == 0) {
            sender.connected = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::puts(sender.connected ? "connected" : "not connected");
    std::fflush(stdout);
    while (true) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}
