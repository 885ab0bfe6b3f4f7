#pragma once

// A JACK client of a test's own, in the test's process: it sends planned MIDI events at absolute
// frames, or records an audio port from an absolute frame on, both from the frame `start` once
// armed. Two of them, a sender before the program in JACK's graph and a recorder after it, see
// the same frame clock as the program.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace klangora::test_support {

struct ProbeClient {
    struct Event {
        std::uint32_t frame;
        std::array<std::uint8_t, 3> bytes;
    };
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    std::vector<Event> plan;
    std::vector<float> recording;
    std::atomic<std::uint32_t> start{0};
    std::atomic<bool> armed{false};
    std::atomic<std::size_t> recorded{0};

    ProbeClient(const char* name, const char* portType, unsigned long flags) {
        jack_status_t status{};
        client = jack_client_open(name, JackNoStartServer, &status);
        if (client != nullptr) {
            port = jack_port_register(client, "port", portType, flags, 0);
            jack_set_process_callback(client, &ProbeClient::process, this);
        }
    }
    ~ProbeClient() {
        if (client != nullptr) {
            jack_client_close(client);
        }
    }
    static int process(jack_nframes_t frames, void* self) {
        auto& probe = *static_cast<ProbeClient*>(self);
        const jack_nframes_t first = jack_last_frame_time(probe.client);
        void* buffer = jack_port_get_buffer(probe.port, frames);
        if (jack_port_flags(probe.port) & JackPortIsOutput) {
            jack_midi_clear_buffer(buffer);
        }
        if (!probe.armed) {
            return 0;
        }
        for (const Event& event : probe.plan) {
            const std::uint32_t at = probe.start + event.frame;
            if (at >= first && at < first + frames) {
                jack_midi_event_write(buffer, at - first, event.bytes.data(), 3);
            }
        }
        const auto* in = static_cast<const float*>(buffer);
        for (jack_nframes_t i = 0; i < frames && !probe.recording.empty(); ++i) {
            const std::int64_t index = std::int64_t(first) + i - probe.start;
            if (index >= 0 && std::size_t(index) < probe.recording.size()) {
                probe.recording[std::size_t(index)] = in[i];
                probe.recorded = std::size_t(index) + 1;
            }
        }
        return 0;
    }
};

} // namespace klangora::test_support
