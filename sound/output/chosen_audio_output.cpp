#include "sound/output/chosen_audio_output.h"

#include "sound/output/pulse_audio_output.h"

namespace klangora {

std::optional<AudioSystem> audioSystemFromCommandName(std::string_view name) {
    if (name == "auto") {
        return AudioSystem::automatic;
    }
    if (name == "jack") {
        return AudioSystem::jack;
    }
    if (name == "pulse") {
        return AudioSystem::pulse;
    }
    return std::nullopt;
}

AudioOutputFactory chosenAudioOutput(AudioSystem system, std::uint32_t pulseStartMs) {
    return [system, pulseStartMs](AudioRenderer& renderer) -> std::unique_ptr<AudioOutput> {
        if (system == AudioSystem::pulse) {
            return makePulseAudioOutputStartingAt(renderer, pulseStartMs);
        }
        auto output = std::make_unique<JackThenPulseOutput>(renderer, pulseStartMs);
        if (!output->startedOnJack()) {
            if (system == AudioSystem::automatic) {
                output.reset(); // no JACK here: the desktop's sound, without a word
                return makePulseAudioOutputStartingAt(renderer, pulseStartMs);
            }
            output->moveToPulse(); // JACK asked for, and none answered: said so
        }
        return output;
    };
}

JackThenPulseOutput::JackThenPulseOutput(AudioRenderer& renderer, std::uint32_t pulseStartMs)
    : m_renderer(renderer), m_pulseStartMs(pulseStartMs) {
    m_jack = JackAudioOutput::connect(renderer, [this] {
        {
            const std::lock_guard lock(m_lock);
            m_jackGone = true;
        }
        m_wake.notify_one();
    });
    if (m_jack) {
        m_current = m_jack.get();
        m_watcher = std::thread([this] { watch(); });
    }
}

JackThenPulseOutput::~JackThenPulseOutput() {
    {
        const std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_watcher.joinable()) {
        m_watcher.join();
    }
    // JACK's callback goes before anything it renders into.
    m_jack.reset();
}

int JackThenPulseOutput::losses() const {
    const AudioOutput& now = current();
    return (m_jack ? m_jack->losses() : 0) + (&now != m_jack.get() ? now.losses() : 0);
}

// Waits for the server to go away; the sound then moves. Closing the client first makes sure
// JACK's callback has returned for good before PulseAudio's thread renders.
void JackThenPulseOutput::watch() {
    std::unique_lock lock(m_lock);
    m_wake.wait(lock, [this] { return m_jackGone || m_stopping; });
    if (m_stopping) {
        return;
    }
    lock.unlock();
    m_jack->close();
    moveToPulse();
}

void JackThenPulseOutput::moveToPulse() {
    m_pulse = makePulseAudioOutputStartingAt(m_renderer, m_pulseStartMs);
    m_current.store(m_pulse.get(), std::memory_order_release);
    m_moves.fetch_add(1);
    // Tones held when the server went sound on.
    m_pulse->open();
}

} // namespace klangora
