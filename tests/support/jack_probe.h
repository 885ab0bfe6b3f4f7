#pragma once

// A JACK client of a test's own, in the test's process: it sends planned MIDI events at absolute
// frames, or records an audio port from an absolute frame on, both from the frame `start` once
// armed. Two of them, a sender before the program in JACK's graph and a recorder after it, see
// the same frame clock as the program.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>
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

// Notes for the sender every `spacing` frames, at offsets all over the period (its first and last
// frames among them), each held `held` frames; note 60 first.
inline void planNotes(ProbeClient& sender, int notes, int period, int spacing, int held) {
    for (int i = 0; i < notes; ++i) {
        const auto offset = static_cast<std::uint32_t>((i * 97) % period);
        const auto frame = static_cast<std::uint32_t>((i + 1) * spacing) + offset;
        const auto note = static_cast<std::uint8_t>(60 + (i * 5) % 12);
        sender.plan.push_back({frame, {0x90, note, 100}});
        sender.plan.push_back({frame + static_cast<std::uint32_t>(held), {0x80, note, 0}});
    }
}

// For each note-on, the time from its event to the first sample not silent, looked for from a
// period before it (NaN, a period never recorded, counts as sound); empty if one never sounded.
inline std::vector<double> onsetDelaysMs(const ProbeClient& sender, const std::vector<float>& heard,
                                         int period, int rate) {
    std::vector<double> delays;
    for (std::size_t i = 0; i < sender.plan.size(); i += 2) {
        const auto event = static_cast<std::ptrdiff_t>(sender.plan[i].frame);
        const auto first = std::find_if(heard.begin() + event - period, heard.end(),
                                        [](float sample) { return !(std::abs(sample) <= 1e-6f); });
        if (first == heard.end()) {
            return {};
        }
        delays.push_back(double(first - heard.begin() - event) * 1000.0 / rate);
    }
    return delays;
}

// The plan played into klangora:midi_in and `frames` of klangora:out_1 recorded, the server
// freewheeling (periods as fast as the clients go, none lost); false if that failed.
inline bool playAndRecord(ProbeClient& sender, ProbeClient& recorder, std::size_t frames) {
    recorder.recording.assign(frames, std::nanf(""));
    if (sender.client == nullptr || recorder.client == nullptr ||
        jack_activate(sender.client) != 0 || jack_activate(recorder.client) != 0 ||
        jack_connect(sender.client, "sender:port", "klangora:midi_in") != 0 ||
        jack_connect(recorder.client, "klangora:out_1", "recorder:port") != 0) {
        return false;
    }
    const std::uint32_t start = jack_frame_time(sender.client) + 24000;
    sender.start = recorder.start = start;
    sender.armed = recorder.armed = true;
    jack_set_freewheel(sender.client, 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (recorder.recorded < frames && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    jack_set_freewheel(sender.client, 0);
    return recorder.recorded == frames;
}

// The earliest, the median and the spread (latest less earliest) of the delays.
struct OnsetSpread {
    double earliest = 0;
    double median = 0;
    double spread = 0;
};
inline OnsetSpread spreadOf(std::vector<double> delays) {
    std::sort(delays.begin(), delays.end());
    return delays.empty() ? OnsetSpread{}
                          : OnsetSpread{delays.front(), delays[delays.size() / 2],
                                        delays.back() - delays.front()};
}

} // namespace klangora::test_support
