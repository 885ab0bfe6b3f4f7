// The JACK client that carries the sound and the MIDI input's notes. The process callback only
// reads the period's MIDI events, renders, copies and writes: no allocation, lock, wait or system
// call (jack_get_time reads the clock through the vDSO).
#include "sound/output/jack_audio_output.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <cstring>

namespace klangora {

namespace {

constexpr const char* kClientName = "klangora";

void quiet(const char*) {}

// The MIDI events of one period, offered to the renderer in the order of their frames (JACK
// delivers them sorted). Events at the same frame are applied together.
class PeriodMidi : public FramedEvents {
public:
    PeriodMidi(void* buffer, AudioSideMidi& midi)
        : m_buffer(buffer), m_count(buffer != nullptr ? jack_midi_get_event_count(buffer) : 0),
          m_midi(midi) {}

    int nextFrame() override {
        jack_midi_event_t event{};
        while (m_index < m_count) {
            if (jack_midi_event_get(&event, m_buffer, m_index) == 0) {
                return static_cast<int>(event.time);
            }
            ++m_index;
        }
        return -1;
    }

    void applyNext(AudioRenderer& renderer) override {
        const int frame = nextFrame();
        jack_midi_event_t event{};
        while (m_index < m_count && jack_midi_event_get(&event, m_buffer, m_index) == 0 &&
               static_cast<int>(event.time) == frame) {
            if (event.size > 0) {
                m_midi.feedEvent(std::span<const std::uint8_t>(event.buffer, event.size), renderer);
            }
            ++m_index;
        }
    }

private:
    void* m_buffer;
    std::uint32_t m_count;
    std::uint32_t m_index = 0;
    AudioSideMidi& m_midi;
};

} // namespace

JackAudioOutput::JackAudioOutput(AudioRenderer& renderer, std::function<void()> onGone)
    : m_renderer(renderer), m_onGone(std::move(onGone)) {}

JackAudioOutput::~JackAudioOutput() {
    close();
}

std::unique_ptr<JackAudioOutput> JackAudioOutput::connect(AudioRenderer& renderer,
                                                          std::function<void()> onGone) {
    std::unique_ptr<JackAudioOutput> output(new JackAudioOutput(renderer, std::move(onGone)));
    if (!output->start()) {
        return nullptr;
    }
    return output;
}

bool JackAudioOutput::start() {
    // libjack would print its failure to find a server; that is no news to the learner.
    jack_set_error_function(&quiet);
    jack_set_info_function(&quiet);
    jack_status_t status{};
    m_client = jack_client_open(kClientName, JackNoStartServer, &status);
    if (m_client == nullptr) {
        return false;
    }
    m_out[0] = jack_port_register(m_client, "out_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    m_out[1] = jack_port_register(m_client, "out_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    m_midiIn = jack_port_register(m_client, "midi_in", JACK_DEFAULT_MIDI_TYPE,
                                  JackPortIsInput | JackPortIsTerminal, 0);
    m_midiOut = jack_port_register(m_client, "midi_out", JACK_DEFAULT_MIDI_TYPE,
                                   JackPortIsOutput | JackPortIsTerminal, 0);
    m_rate = static_cast<int>(jack_get_sample_rate(m_client));
    m_periodFrames = static_cast<int>(jack_get_buffer_size(m_client));
    if (m_out[0] == nullptr || m_out[1] == nullptr || m_midiIn == nullptr || m_midiOut == nullptr ||
        jack_set_process_callback(m_client, &onProcess, this) != 0 ||
        jack_set_buffer_size_callback(m_client, &onBufferSize, this) != 0 ||
        jack_set_port_connect_callback(m_client, &onConnect, this) != 0) {
        close();
        return false;
    }
    jack_on_info_shutdown(m_client, &onShutdown, this);
    if (jack_activate(m_client) != 0) {
        close();
        return false;
    }
    m_renderer.setMidiOnAudioSide(true);
    m_playsMidi = true;
    m_running = true;
    connectPlayback();
    measureLatency();
    return true;
}

// out_1 and out_2 to the first two physical playback ports (both to the one where there is
// only one).
void JackAudioOutput::connectPlayback() {
    const char** playback = jack_get_ports(m_client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                           JackPortIsPhysical | JackPortIsInput);
    if (playback == nullptr) {
        return;
    }
    if (playback[0] != nullptr) {
        jack_connect(m_client, jack_port_name(m_out[0]), playback[0]);
        jack_connect(m_client, jack_port_name(m_out[1]),
                     playback[1] != nullptr ? playback[1] : playback[0]);
    }
    jack_free(static_cast<void*>(playback));
}

// What the server reports from our port to the speakers; at least one period, which a sample
// rendered now waits in any case.
void JackAudioOutput::measureLatency() {
    jack_latency_range_t range{};
    jack_port_get_latency_range(m_out[0], JackPlaybackLatency, &range);
    const auto frames = std::max<std::int64_t>(range.max, m_periodFrames.load());
    m_latencyUs = frames * 1'000'000 / std::max(1, m_rate.load());
}

void JackAudioOutput::close() {
    if (m_client == nullptr) {
        return;
    }
    m_running = false;
    jack_client_close(m_client);
    m_client = nullptr;
    if (m_playsMidi) {
        m_playsMidi = false;
        m_renderer.setMidiOnAudioSide(false);
    }
}

// ---- The process callback ----

int JackAudioOutput::onProcess(std::uint32_t frames, void* self) {
    auto& output = *static_cast<JackAudioOutput*>(self);
    const jack_time_t start = jack_get_time();
    auto* left = static_cast<float*>(jack_port_get_buffer(output.m_out[0], frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(output.m_out[1], frames));
    PeriodMidi midi(jack_port_get_buffer(output.m_midiIn, frames), output.m_midi);
    output.m_midi.beginCallback(output.m_renderer);
    output.m_renderer.render(std::span<float>(left, frames), output.m_rate.load(), midi);
    std::copy(left, left + frames, right);
    output.m_outgoing.writeInto(jack_port_get_buffer(output.m_midiOut, frames));
    output.m_periodFrames.store(static_cast<int>(frames), std::memory_order_relaxed);
    output.m_lastCycleUs.store(static_cast<std::int64_t>(jack_get_time() - start),
                               std::memory_order_relaxed);
    output.m_cycles.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

void JackAudioOutput::sendMidi(std::span<const std::uint8_t> message) {
    if (m_running) {
        m_outgoing.send(message);
    }
}

// ---- JACK's other threads ----

int JackAudioOutput::onBufferSize(std::uint32_t frames, void* self) {
    auto& output = *static_cast<JackAudioOutput*>(self);
    output.m_periodFrames = static_cast<int>(frames);
    output.m_latencyUs =
        static_cast<std::int64_t>(frames) * 1'000'000 / std::max(1, output.m_rate.load());
    return 0;
}

// A sender on midi_in disconnected (or gone) takes the notes that came through JACK with it:
// JACK merges every sender into the port, so all of them end. Looking the ports up reads the
// graph in shared memory; a callback must not ask the server anything.
void JackAudioOutput::onConnect(std::uint32_t a, std::uint32_t b, int connect, void* self) {
    auto& output = *static_cast<JackAudioOutput*>(self);
    const auto touches = [&](jack_port_t* port) {
        return jack_port_by_id(output.m_client, a) == port ||
               jack_port_by_id(output.m_client, b) == port;
    };
    if (connect != 0 && touches(output.m_midiOut)) {
        output.m_newListener = true;
    }
    if (connect == 0 && touches(output.m_midiIn)) {
        output.m_midi.letGo();
    }
}

void JackAudioOutput::onShutdown(jack_status_t, const char*, void* self) {
    auto& output = *static_cast<JackAudioOutput*>(self);
    output.m_running = false;
    if (!output.m_gone.exchange(true) && output.m_onGone) {
        output.m_onGone();
    }
}

} // namespace klangora
