#include "sound/pulse_player.h"

#include "sound/pulse_connection.h"
#include "sound/wav_reader.h"

#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/operation.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <span>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The latency the stream asks the server for: the output holds only this much beyond the
// samples the server has taken, so that the chord is heard soon after the last of them and the
// next chord follows without a long gap.
constexpr std::uint32_t kQueuedMs = 50;

// A chord that the server has not played within its own length and this much more is given
// up: the server has stalled.
constexpr auto kChordMargin = 1000ms;

// When no chord has started for this long the sequence is over and the stream is closed, so
// that the device can suspend.
constexpr auto kIdleRelease = 2000ms;

// How often a wait looks whether cutShort() was called. Its flag is set without the loop's
// lock, so that the caller never waits for a thread that may be held up inside libpulse.
constexpr auto kCutPoll = 20ms;

// The longest output latency worth waiting out after the last sample, whatever the server
// reports.
constexpr auto kLongestTail = 1000ms;

std::chrono::microseconds soundLength(const klangora::PcmSound& sound) {
    return std::chrono::microseconds(static_cast<std::int64_t>(sound.samples.size()) * 1'000'000 /
                                     sound.sampleRate);
}

pa_buffer_attr playbackBuffer(std::uint32_t sampleRate) {
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = sampleRate * kQueuedMs / 1000; // one byte per sample
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    return buffer;
}

class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : m_loop(loop) {
        pa_threaded_mainloop_lock(m_loop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

// Every callback only wakes the thread that waits in play(); that thread looks at the states.
void wakeOnContext(pa_context*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void wakeOnStream(pa_stream*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void wakeOnRequest(pa_stream*, std::size_t, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void wakeOnSuccess(pa_stream*, int, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void wakeOnTime(pa_mainloop_api*, pa_time_event*, const timeval*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

} // namespace

// The asynchronous PulseAudio interface on a thread of its own: unlike the simple interface it
// lets every wait end at a deadline, and closing a connection never waits for the server. All
// members but the two flags are used under the loop's lock.
class PulseAudioPlayer::Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void play(const klangora::PcmSound& sound);
    void beginSequence() {
        m_gaveUp = false;
        m_cut = false;
    }
    void cutShort() { m_cut = true; }

private:
    bool usableStream(std::uint32_t rate);
    bool connect(Clock::time_point deadline);
    bool openStream(std::uint32_t rate, Clock::time_point deadline);
    bool write(std::span<const std::uint8_t> samples);
    bool finish(pa_operation* operation, Clock::time_point deadline);
    bool waitForOutput(Clock::time_point soundEnds, Clock::time_point deadline);
    template <class Done> bool waitUntil(Done done, Clock::time_point deadline);
    void arm(pa_time_event* event, Clock::duration in);
    bool contextReady() const;
    bool streamReady() const;
    void close();
    static void closeWhenIdle(pa_mainloop_api*, pa_time_event*, const timeval*, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_mainloop_api* m_api = nullptr;
    pa_time_event* m_wakeup = nullptr;
    pa_time_event* m_idle = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    std::uint32_t m_streamRate = 0;
    std::atomic<bool> m_gaveUp{false}; // the sound output failed in this sequence
    std::atomic<bool> m_cut{false};
};

PulseAudioPlayer::Connection::Connection() : m_loop(pa_threaded_mainloop_new()) {
    if (m_loop == nullptr) {
        return;
    }
    m_api = pa_threaded_mainloop_get_api(m_loop);
    // Created disarmed, before the loop's thread runs.
    m_wakeup = m_api->time_new(m_api, nullptr, wakeOnTime, m_loop);
    m_idle = m_api->time_new(m_api, nullptr, closeWhenIdle, this);
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        m_api->time_free(m_wakeup);
        m_api->time_free(m_idle);
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

PulseAudioPlayer::Connection::~Connection() {
    if (m_loop == nullptr) {
        return;
    }
    {
        const LoopLock lock(m_loop);
        close();
        m_api->time_free(m_wakeup);
        m_api->time_free(m_idle);
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void PulseAudioPlayer::Connection::play(const klangora::PcmSound& sound) {
    if (m_loop == nullptr || m_gaveUp || m_cut) {
        return;
    }
    const LoopLock lock(m_loop);
    m_api->time_restart(m_idle, nullptr);
    const auto rate = static_cast<std::uint32_t>(sound.sampleRate);
    if (!usableStream(rate)) {
        close();
        const auto deadline = Clock::now() + klangora::kPulseConnectLimit;
        if (!connect(deadline) || !openStream(rate, deadline)) {
            close();
            m_gaveUp = true;
            return;
        }
    }
    const auto start = Clock::now();
    const auto deadline = start + soundLength(sound) + kChordMargin;
    if (write(sound.samples) &&
        finish(pa_stream_drain(m_stream, wakeOnSuccess, m_loop), deadline) &&
        waitForOutput(start + soundLength(sound), deadline)) {
        arm(m_idle, kIdleRelease);
        return;
    }
    // Stalled, gone or cut short: the chord is dropped with its stream.
    close();
    m_gaveUp = true;
}

// The kept stream, if it still works: the server may have gone away since the last chord.
bool PulseAudioPlayer::Connection::usableStream(std::uint32_t rate) {
    return m_stream != nullptr && contextReady() && streamReady() && m_streamRate == rate;
}

bool PulseAudioPlayer::Connection::connect(Clock::time_point deadline) {
    m_context = klangora::connectPulseContext(m_api, wakeOnContext, m_loop);
    if (m_context == nullptr) {
        return false;
    }
    const auto settled = [this] {
        const pa_context_state_t state = pa_context_get_state(m_context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    return waitUntil(settled, deadline) && contextReady();
}

bool PulseAudioPlayer::Connection::openStream(std::uint32_t rate, Clock::time_point deadline) {
    const pa_sample_spec format{PA_SAMPLE_U8, rate, 1};
    m_stream = pa_stream_new(m_context, "Akkord", &format, nullptr);
    if (m_stream == nullptr) {
        return false;
    }
    m_streamRate = rate;
    pa_stream_set_state_callback(m_stream, wakeOnStream, m_loop);
    pa_stream_set_write_callback(m_stream, wakeOnRequest, m_loop);
    const pa_buffer_attr buffer = playbackBuffer(rate);
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
        return false;
    }
    const auto settled = [this] {
        const pa_stream_state_t state = pa_stream_get_state(m_stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    };
    return waitUntil(settled, deadline) && streamReady();
}

// The whole chord is handed over at once, more than the server asked for: it keeps what it has
// not yet played in its own queue, so that a busy machine that is late to wake this thread
// never lets the sound run dry in the middle of a chord.
bool PulseAudioPlayer::Connection::write(std::span<const std::uint8_t> samples) {
    return pa_stream_write(m_stream, samples.data(), samples.size(), nullptr, 0,
                           PA_SEEK_RELATIVE) == 0;
}

// Waits for an operation on the stream to be carried out, dropping it at the deadline.
bool PulseAudioPlayer::Connection::finish(pa_operation* operation, Clock::time_point deadline) {
    if (operation == nullptr) {
        return false;
    }
    const auto over = [&] {
        return pa_operation_get_state(operation) != PA_OPERATION_RUNNING || !streamReady();
    };
    waitUntil(over, deadline);
    const pa_operation_state_t state = pa_operation_get_state(operation);
    if (state == PA_OPERATION_RUNNING) {
        pa_operation_cancel(operation);
    }
    pa_operation_unref(operation);
    return state == PA_OPERATION_DONE && streamReady();
}

// Draining ends when the server has taken the last sample from the stream; the output still
// holds the latency it reports, and the chord has been heard only when that has passed too,
// and never before the chord's own length since its first sample was handed over.
bool PulseAudioPlayer::Connection::waitForOutput(Clock::time_point soundEnds,
                                                 Clock::time_point deadline) {
    if (!finish(pa_stream_update_timing_info(m_stream, wakeOnSuccess, m_loop), deadline)) {
        return false;
    }
    pa_usec_t inFlight = 0;
    int negative = 0;
    if (pa_stream_get_latency(m_stream, &inFlight, &negative) < 0 || negative != 0) {
        inFlight = 0;
    }
    const auto tail = std::min<Clock::duration>(std::chrono::microseconds(inFlight), kLongestTail);
    const auto heard = std::min(std::max(Clock::now() + tail, soundEnds), deadline);
    waitUntil([this] { return !streamReady(); }, heard);
    return !m_cut && streamReady();
}

// Waits, the lock given up meanwhile, until done() holds (true) or the deadline has come or
// the sound was cut short (false). Any callback of the connection wakes the wait, and so does
// the alarm clock set for the nearer of the deadline and the next look at the cut flag.
template <class Done>
bool PulseAudioPlayer::Connection::waitUntil(Done done, Clock::time_point deadline) {
    while (!done()) {
        const auto now = Clock::now();
        if (m_cut || now >= deadline) {
            return false;
        }
        arm(m_wakeup, std::min<Clock::duration>(deadline - now, kCutPoll));
        pa_threaded_mainloop_wait(m_loop);
    }
    return true;
}

void PulseAudioPlayer::Connection::arm(pa_time_event* event, Clock::duration in) {
    timeval at{};
    pa_gettimeofday(&at);
    pa_timeval_add(&at, static_cast<pa_usec_t>(
                            std::chrono::duration_cast<std::chrono::microseconds>(in).count()));
    m_api->time_restart(event, &at);
}

bool PulseAudioPlayer::Connection::contextReady() const {
    return m_context != nullptr && pa_context_get_state(m_context) == PA_CONTEXT_READY;
}

bool PulseAudioPlayer::Connection::streamReady() const {
    return m_stream != nullptr && pa_stream_get_state(m_stream) == PA_STREAM_READY;
}

// Neither waits for the server, which may never answer again.
void PulseAudioPlayer::Connection::close() {
    klangora::closePulseStream(m_stream);
    klangora::closePulseContext(m_context);
}

// Runs on the loop's thread, which holds the lock; play() disarms it before it begins.
void PulseAudioPlayer::Connection::closeWhenIdle(pa_mainloop_api*, pa_time_event*, const timeval*,
                                                 void* self) {
    static_cast<Connection*>(self)->close();
}

PulseAudioPlayer::PulseAudioPlayer() : m_connection(std::make_unique<Connection>()) {}
PulseAudioPlayer::~PulseAudioPlayer() = default;

void PulseAudioPlayer::play(const std::vector<std::uint8_t>& wavImage) {
    const auto sound = klangora::readPcmSound(wavImage);
    if (sound && !sound->samples.empty()) {
        m_connection->play(*sound);
    }
}

void PulseAudioPlayer::beginSequence() {
    m_connection->beginSequence();
}

void PulseAudioPlayer::cutShort() {
    m_connection->cutShort();
}
