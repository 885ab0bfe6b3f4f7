#include "sound/instrument/chord_voice_player.h"

#include "sound/band_limited_resampler.h"
#include "sound/wav_reader.h"

#include <algorithm>
#include <thread>

namespace klangora {

namespace {

using namespace std::chrono_literals;

// An output that has not begun to play within this time after being asked is given up for the
// sequence: a server on the same machine answers within milliseconds.
constexpr auto kOpenLimit = 1500ms;
// A chord the engine has not played within its own length and this much more is given up.
constexpr auto kChordMargin = 1000ms;
// The longest output latency worth waiting out after the last sample, whatever is reported.
constexpr auto kLongestTail = 1000ms;
// How often a wait looks at the engine and at the cut flag.
constexpr auto kPoll = 2ms;

// The images' 8 bits around 127, which is silence (a chord's image starts and ends there), as
// the mix's samples: full scale at the image's extremes.
std::vector<float> mixSamples(std::span<const std::uint8_t> image) {
    std::vector<float> samples(image.size());
    std::transform(image.begin(), image.end(), samples.begin(),
                   [](std::uint8_t s) { return (static_cast<float>(s) - 127.0f) / 128.0f; });
    return samples;
}

} // namespace

ChordVoicePlayer::ChordVoicePlayer(ChordVoice& voice, AudioOutput* output)
    : m_voice(voice), m_output(output) {}

void ChordVoicePlayer::beginSequence() {
    m_gaveUp = false;
    m_cut = false;
}

void ChordVoicePlayer::cutShort() {
    m_cut = true;
    m_voice.stop();
}

void ChordVoicePlayer::play(const std::vector<std::uint8_t>& wavImage) {
    const auto sound = readPcmSound(wavImage);
    if (!sound || sound->samples.empty() || m_output == nullptr || m_gaveUp || m_cut) {
        return;
    }
    // A chord dropped with a lost output may still be let go of by an audio thread that is
    // stuck: its samples are not touched until it has.
    if (!m_voice.finished() || !outputPlays()) {
        m_gaveUp = true;
        return;
    }
    const auto length = std::chrono::microseconds(static_cast<std::int64_t>(sound->samples.size()) *
                                                  1'000'000 / sound->sampleRate);
    playSamples(
        resampleBandLimited(mixSamples(sound->samples), sound->sampleRate, m_output->rate()),
        length);
}

// Opens the output, if it does not play, and waits until it does.
bool ChordVoicePlayer::outputPlays() {
    m_output->open();
    return waitUntil([this] { return m_output->streaming() && m_output->rate() > 0; },
                     Clock::now() + kOpenLimit);
}

void ChordVoicePlayer::playSamples(std::vector<float> samples, Clock::duration length) {
    const int losses = m_output->losses();
    const auto start = Clock::now();
    const auto deadline = start + length + kChordMargin;
    m_voice.start(std::move(samples));
    const bool played = waitUntil([this] { return m_voice.finished(); }, deadline) &&
                        m_voice.playedToEnd() && m_output->losses() == losses;
    if (!played) {
        // Stalled, lost or cut short: the chord goes, and the sequence's sound with it.
        m_voice.stop();
        m_gaveUp = true;
        return;
    }
    // The last sample has been rendered; it is heard when the output's latency has passed, and
    // never before the chord's own length since it began.
    const auto tail =
        std::min<Clock::duration>(std::chrono::microseconds(m_output->latencyUs()), kLongestTail);
    const auto heard = std::max(Clock::now() + tail, start + length);
    waitUntil([] { return false; }, heard);
}

// Waits until done() holds (true), or the deadline has come or the chord was cut short (false).
template <class Done>
bool ChordVoicePlayer::waitUntil(Done done, Clock::time_point deadline) const {
    while (!done()) {
        if (m_cut || Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

} // namespace klangora
