#include "sound/pulse_player.h"

#include "sound/wav_reader.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <span>
#include <thread>

namespace {

// The server is asked to keep only this much of the chord queued ahead of the output, so that
// play returns promptly after the last sample and the next chord follows without a long gap.
constexpr std::uint32_t kQueuedMs = 50;

// Once everything is queued, waiting out what the server still reports in flight; no answer
// could ever justify waiting longer than this.
constexpr pa_usec_t kLongestTail = 1'000'000;

// Connecting fails at once when no server is listening: as root libpulse never starts one of
// its own, and a user's client configuration decides whether it may.
pa_simple* openPlayback(std::uint32_t sampleRate) {
    const pa_sample_spec format{PA_SAMPLE_U8, sampleRate, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = sampleRate * kQueuedMs / 1000; // one byte per sample
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    return pa_simple_new(nullptr, "Klangora", PA_STREAM_PLAYBACK, nullptr, "Akkord", &format,
                         nullptr, &buffer, &error);
}

// Draining returns when the server has taken the last sample from the stream; the output still
// holds the latency it reports, and the chord has been heard only when that has passed too.
void waitForOutput(pa_simple* stream) {
    int error = 0;
    const pa_usec_t inFlight = pa_simple_get_latency(stream, &error);
    if (inFlight != static_cast<pa_usec_t>(-1) && inFlight > 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(std::min(inFlight, kLongestTail)));
    }
}

// Both calls fail with a connection error as soon as the server goes away, whatever they were
// waiting for.
bool writeAndDrain(pa_simple* stream, std::span<const std::uint8_t> samples) {
    int error = 0;
    return pa_simple_write(stream, samples.data(), samples.size(), &error) >= 0 &&
           pa_simple_drain(stream, &error) >= 0;
}

} // namespace

PulseAudioPlayer::PulseAudioPlayer() = default;
PulseAudioPlayer::~PulseAudioPlayer() = default;

void PulseAudioPlayer::StreamDeleter::operator()(pa_simple* stream) const {
    pa_simple_free(stream);
}

void PulseAudioPlayer::play(const std::vector<std::uint8_t>& wavImage) {
    const auto sound = klangora::readPcmSound(wavImage);
    if (!sound || sound->samples.empty()) {
        return;
    }
    const auto rate = static_cast<std::uint32_t>(sound->sampleRate);
    const bool kept = m_stream != nullptr && m_streamRate == rate;
    if (!kept) {
        m_stream.reset(openPlayback(rate));
        m_streamRate = rate;
    }
    if (m_stream && writeAndDrain(m_stream.get(), sound->samples)) {
        waitForOutput(m_stream.get());
        return;
    }
    m_stream.reset();
    if (!kept) {
        return; // a fresh connection failed: no server, or it went away mid-chord
    }
    // The kept stream had broken since the last chord; the server may be back.
    m_stream.reset(openPlayback(rate));
    if (m_stream && writeAndDrain(m_stream.get(), sound->samples)) {
        waitForOutput(m_stream.get());
    } else {
        m_stream.reset();
    }
}
