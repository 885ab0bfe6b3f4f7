#include "sound/instrument/chord_voice.h"

#include <algorithm>

namespace klangora {

void ChordVoice::start(std::vector<float> samples) {
    if (!finished()) {
        return;
    }
    m_samples = std::move(samples);
    m_playedToEnd.store(false, std::memory_order_relaxed);
    m_stopWanted.store(false, std::memory_order_relaxed);
    m_state.store(State::posted, std::memory_order_release);
}

void ChordVoice::finish(bool toEnd) {
    m_playedToEnd.store(toEnd, std::memory_order_relaxed);
    m_state.store(State::idle, std::memory_order_release);
}

void ChordVoice::renderAdd(std::span<float> out, int sampleRate) {
    State state = m_state.load(std::memory_order_acquire);
    if (state == State::posted) {
        m_position = 0;
        m_fade = GainRamp(1.0);
        m_fading = false;
        state = State::playing;
        m_state.store(state, std::memory_order_relaxed);
    }
    if (state != State::playing) {
        return;
    }
    if (m_stopWanted.load(std::memory_order_acquire) && !m_fading) {
        m_fading = true;
        m_fade.rampTo(0, kGainRampSeconds, sampleRate);
    }
    const std::size_t count = std::min(out.size(), m_samples.size() - m_position);
    for (std::size_t i = 0; i < count; ++i) {
        out[i] += static_cast<float>(m_samples[m_position + i] * (m_fading ? m_fade.next() : 1.0));
    }
    m_position += count;
    if (m_position == m_samples.size()) {
        finish(true);
    } else if (m_fading && !m_fade.moving()) {
        finish(false);
    }
}

void ChordVoice::drop() {
    if (m_state.load(std::memory_order_acquire) != State::idle) {
        finish(false);
    }
}

} // namespace klangora
