// The program's PulseAudio stream, run by a plain pa_mainloop on a thread of its own. Other
// threads only set an atomic flag and call pa_mainloop_wakeup, which writes to the loop's wake-up
// pipe: they take no lock the audio side holds.
#include "sound/output/pulse_audio_output.h"

#include "sound/realtime_priority.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <algorithm>
#include <chrono>

namespace klangora {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A server on the same machine answers within milliseconds; one that has not connected in this
// time is frozen, or the socket does not belong to a sound server at all.
constexpr auto kPulseConnectLimit = 1000ms;

void closePulseContext(pa_context*& context);

// A context on its way to the session's server (as PULSE_SERVER and the client configuration
// find it), telling onState of every change; nullptr when it cannot even set out, as when no
// server listens.
pa_context* connectPulseContext(pa_mainloop_api* api, pa_context_notify_cb_t onState,
                                void* userdata) {
    pa_context* context = pa_context_new(api, "Klangora");
    if (context == nullptr) {
        return nullptr;
    }
    pa_context_set_state_callback(context, onState, userdata);
    // Fails at once when no server is listening. Starting a server of its own is left to the
    // session (systemd's socket, the desktop): libpulse would wait for a spawned daemon without
    // any limit.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        closePulseContext(context);
    }
    return context;
}

// Let go at once, the callbacks cleared first: the socket is simply closed, and the server drops
// the stream with what it still held. The pointer is null afterwards.
void closePulseStream(pa_stream*& stream) {
    if (stream == nullptr) {
        return;
    }
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

void closePulseContext(pa_context*& context) {
    if (context == nullptr) {
        return;
    }
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    context = nullptr;
}

// The latency asked for at first, unless the caller knows better: the output holds only this
// much beyond what the server has taken. Eight milliseconds ran dry several times a minute on a
// busy two-core machine even with real-time scheduling (the server's protocol thread is not a
// real-time one); sixteen kept a held chord whole. A machine too busy to keep up even so (the
// server ran dry) is given more, step by step, up to the longest; what it needed is kept for
// later streams. The program itself starts where this machine held before (heldLatencyMs()),
// and at the shortest when it knows nothing yet.
constexpr std::uint32_t kTargetLatencyMs = 16;
constexpr std::uint32_t kShortestLatencyMs = 6;
constexpr std::uint32_t kLatencyStepMs = 4;
constexpr std::uint32_t kLongestLatencyMs = 48;
// A stream that played this long without running dry held its latency.
constexpr auto kHeldAfter = 5000ms;
// A server that stops asking for samples for this long is frozen and given up.
constexpr auto kStallLimit = 1000ms;
// The stream is let go this long after the last tone has faded.
constexpr auto kIdleRelease = 3000ms;
// While tones are held and no server answers, one is looked for this often: tones held while
// the server was gone sound again when it returns.
constexpr auto kRetryWhileHeld = 2000ms;
// The loop looks at its deadlines at least this often.
constexpr int kPollTimeoutUs = 20'000;

} // namespace

// One connection to the server, from the context's start to the stream's end; only the audio
// thread touches it.
class PulseAudioOutput::Connection {
public:
    enum class State { idle, connecting, streaming, failed };

    Connection(PulseAudioOutput& owner, std::uint32_t startLatencyMs)
        : m_owner(owner), m_loop(pa_mainloop_new()),
          m_latencyMs(startLatencyMs == 0
                          ? kTargetLatencyMs
                          : std::clamp(startLatencyMs, kShortestLatencyMs, kLongestLatencyMs)) {}
    ~Connection() {
        close(State::idle);
        pa_mainloop_free(m_loop);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    pa_mainloop* loop() const { return m_loop; }
    State state() const { return m_state; }

    void open() {
        close(State::idle);
        m_context = connectPulseContext(pa_mainloop_get_api(m_loop), &Connection::onContext, this);
        if (m_context == nullptr) {
            m_state = State::failed;
            return;
        }
        m_deadline = Clock::now() + kPulseConnectLimit;
        m_state = State::connecting;
    }

    void close(State then) {
        if (then == State::failed) {
            ++m_owner.m_losses;
        }
        m_owner.m_streaming = false;
        closePulseStream(m_stream);
        closePulseContext(m_context);
        m_state = then;
    }

    // Deadlines and the release after the last tone.
    void check(Clock::time_point now) {
        if (m_state == State::connecting && now > m_deadline) {
            close(State::failed);
        } else if (m_state == State::streaming) {
            if (now - m_lastWrite > kStallLimit) {
                close(State::failed);
            } else if (now - m_lastUnderrun > kHeldAfter && !m_owner.m_renderer.silent()) {
                m_owner.m_heldLatencyMs = static_cast<int>(m_latencyMs);
                m_lastSound = now;
            } else if (!m_owner.m_renderer.silent()) {
                m_lastSound = now;
            } else if (now - m_lastSound > kIdleRelease) {
                close(State::idle);
            }
        }
    }

private:
    static void onContext(pa_context* context, void* self) {
        auto& connection = *static_cast<Connection*>(self);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            pa_operation_unref(
                pa_context_get_server_info(context, &Connection::onServerInfo, self));
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            connection.m_failedEarly = true;
            break;
        default:
            break;
        }
    }

    static void onServerInfo(pa_context*, const pa_server_info* info, void* self) {
        auto& connection = *static_cast<Connection*>(self);
        if (info != nullptr) {
            connection.startStream(info->sample_spec.rate);
        }
    }

    void startStream(std::uint32_t rate) {
        const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, rate, 1};
        m_rate = static_cast<int>(rate);
        m_owner.m_rate = m_rate;
        m_stream = pa_stream_new(m_context, "Klangora: spil selv", &format, nullptr);
        if (m_stream == nullptr) {
            m_failedEarly = true;
            return;
        }
        const pa_buffer_attr buffer = bufferFor(format);
        pa_stream_set_write_callback(m_stream, &Connection::onWrite, this);
        pa_stream_set_underflow_callback(m_stream, &Connection::onUnderflow, this);
        const auto flags = static_cast<pa_stream_flags_t>(
            PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
        if (pa_stream_connect_playback(m_stream, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
            m_failedEarly = true;
            return;
        }
        m_state = State::streaming;
        m_lastWrite = m_lastSound = m_lastUnderrun = Clock::now();
        m_owner.m_streaming = true;
    }

    // The audio callback: render straight into the server's buffer. No allocation of ours, no
    // lock, no wait.
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self) {
        auto& connection = *static_cast<Connection*>(self);
        void* data = nullptr;
        if (pa_stream_begin_write(stream, &data, &bytes) < 0 || data == nullptr) {
            return;
        }
        const std::span<float> samples(static_cast<float*>(data), bytes / sizeof(float));
        connection.m_owner.m_renderer.render(samples, connection.m_rate);
        pa_stream_write(stream, data, samples.size() * sizeof(float), nullptr, 0, PA_SEEK_RELATIVE);
        connection.m_lastWrite = Clock::now();
        connection.m_owner.m_periodFrames = static_cast<int>(samples.size());
        pa_usec_t latency = 0;
        int negative = 0;
        if (pa_stream_get_latency(stream, &latency, &negative) == 0) {
            connection.m_owner.m_latencyUs = negative ? 0 : static_cast<std::int64_t>(latency);
        }
    }

    pa_buffer_attr bufferFor(const pa_sample_spec& format) const {
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(m_latencyMs * 1000, &format));
        buffer.prebuf = static_cast<std::uint32_t>(-1);
        buffer.minreq = buffer.tlength / 4;
        buffer.fragsize = static_cast<std::uint32_t>(-1);
        return buffer;
    }

    static void onUnderflow(pa_stream* stream, void* self) {
        auto& connection = *static_cast<Connection*>(self);
        ++connection.m_owner.m_underruns;
        connection.m_lastUnderrun = Clock::now();
        if (connection.m_latencyMs >= kLongestLatencyMs) {
            return;
        }
        connection.m_latencyMs =
            std::min(kLongestLatencyMs, connection.m_latencyMs + kLatencyStepMs);
        const pa_buffer_attr buffer = connection.bufferFor(*pa_stream_get_sample_spec(stream));
        if (pa_operation* operation =
                pa_stream_set_buffer_attr(stream, &buffer, nullptr, nullptr)) {
            pa_operation_unref(operation);
        }
    }

public:
    // A failure the callbacks saw, acted on by the loop (callbacks never tear down what called
    // them).
    bool m_failedEarly = false;

private:
    PulseAudioOutput& m_owner;
    pa_mainloop* m_loop;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    State m_state = State::idle;
    int m_rate = 48000;
    std::uint32_t m_latencyMs;
    Clock::time_point m_deadline;
    Clock::time_point m_lastUnderrun;
    Clock::time_point m_lastWrite;
    Clock::time_point m_lastSound;
};

PulseAudioOutput::PulseAudioOutput(AudioRenderer& renderer, Scheduling scheduling,
                                   std::uint32_t startLatencyMs)
    : m_renderer(renderer), m_connection(std::make_unique<Connection>(*this, startLatencyMs)),
      m_scheduling(scheduling), m_thread([this] { run(); }) {}

PulseAudioOutput::~PulseAudioOutput() {
    m_quit = true;
    pa_mainloop_wakeup(m_connection->loop());
    m_thread.join();
}

void PulseAudioOutput::open() {
    m_wanted = true;
    pa_mainloop_wakeup(m_connection->loop());
}

void PulseAudioOutput::run() {
    Connection& connection = *m_connection;
    using State = Connection::State;
    if (m_scheduling == Scheduling::realtimeWherePossible) {
        requestRealtimeForThisThread();
    }
    auto lastOpened = Clock::now();
    while (!m_quit) {
        // RealtimeKit answers in the background, so the policy is looked at again each round.
        m_realtime = thisThreadRunsRealtime();
        const bool closed =
            connection.state() == State::idle || connection.state() == State::failed;
        const bool heldWithoutServer =
            closed && m_renderer.anyHeld() && Clock::now() - lastOpened > kRetryWhileHeld;
        if ((m_wanted.exchange(false) || heldWithoutServer) && closed) {
            connection.open();
            lastOpened = Clock::now();
        }
        if (connection.m_failedEarly) {
            connection.m_failedEarly = false;
            connection.close(State::failed);
        }
        if (connection.state() != State::streaming) {
            m_renderer.applyEventsSilently();
        }
        connection.check(Clock::now());
        if (pa_mainloop_prepare(connection.loop(), kPollTimeoutUs) < 0 ||
            pa_mainloop_poll(connection.loop()) < 0 ||
            pa_mainloop_dispatch(connection.loop()) < 0) {
            break;
        }
    }
}

std::unique_ptr<AudioOutput> makePulseAudioOutput(AudioRenderer& renderer) {
    return std::make_unique<PulseAudioOutput>(renderer);
}

std::unique_ptr<AudioOutput> makePulseAudioOutputStartingAt(AudioRenderer& renderer,
                                                            std::uint32_t startLatencyMs) {
    return std::make_unique<PulseAudioOutput>(
        renderer, PulseAudioOutput::Scheduling::realtimeWherePossible,
        startLatencyMs == 0 ? kShortestLatencyMs : startLatencyMs);
}

} // namespace klangora
