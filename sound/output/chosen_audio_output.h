#pragma once

// Which sound system the program's sound goes to: JACK, where musicians' sound goes and a MIDI
// keyboard's notes sound at their own frames, or PulseAudio (PipeWire's too), the desktop's.
// Automatically JACK when a server answers at the start, else PulseAudio. When the JACK server
// goes away, the sound moves to PulseAudio within a second; moves() tells the window.
#include "sound/output/audio_output.h"
#include "sound/output/jack_audio_output.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

namespace klangora {

enum class AudioSystem { automatic, jack, pulse };

// "auto", "jack" or "pulse", as --audio takes it.
std::optional<AudioSystem> audioSystemFromCommandName(std::string_view name);

// The output for the choice. Asked for JACK where none runs, the sound goes to PulseAudio at
// once and counts as moved, so that the window says so. PulseAudio's stream begins at
// pulseStartMs, the target this machine held before (0: at the shortest).
AudioOutputFactory chosenAudioOutput(AudioSystem system, std::uint32_t pulseStartMs = 0);

// JACK first, PulseAudio after it: every call goes to the output that carries the sound now.
class JackThenPulseOutput : public AudioOutput {
public:
    JackThenPulseOutput(AudioRenderer& renderer, std::uint32_t pulseStartMs);
    ~JackThenPulseOutput() override;
    JackThenPulseOutput(const JackThenPulseOutput&) = delete;
    JackThenPulseOutput& operator=(const JackThenPulseOutput&) = delete;

    // Whether JACK answered at the start. Where it did not, the owner lets go of the output or
    // moves the sound to PulseAudio before anything else is asked of it.
    bool startedOnJack() const { return m_jack != nullptr; }
    void moveToPulse();

    void open() override { current().open(); }
    bool streaming() const override { return current().streaming(); }
    int losses() const override;
    int rate() const override { return current().rate(); }
    int periodFrames() const override { return current().periodFrames(); }
    std::int64_t latencyUs() const override { return current().latencyUs(); }
    int heldLatencyMs() const override { return current().heldLatencyMs(); }
    const char* systemName() const override { return current().systemName(); }
    int moves() const override { return m_moves.load(); }
    JackMidiHost* midiHost() override { return m_jack.get(); }

    // The JACK side, for measurements; null when none answered.
    JackAudioOutput* jack() { return m_jack.get(); }

private:
    AudioOutput& current() const { return *m_current.load(std::memory_order_acquire); }
    void watch();

    AudioRenderer& m_renderer;
    std::uint32_t m_pulseStartMs;
    std::unique_ptr<JackAudioOutput> m_jack;
    std::unique_ptr<AudioOutput> m_pulse;
    std::atomic<AudioOutput*> m_current{nullptr};
    std::atomic<int> m_moves{0};
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_jackGone = false;
    bool m_stopping = false;
    std::thread m_watcher;
};

} // namespace klangora
