#pragma once

// The program's sound on a PulseAudio (or PipeWire) server: a stream at the server's rate with
// the lowest latency the server grants, fed from a thread of its own.
//
// Nobody waits for it: open() only sets a flag and wakes the thread. The thread connects when a
// sound is wanted, gives up a server that does not answer within a deadline (and tries again at
// a later sound), and lets go of the stream a few seconds after the last one, so the device may
// suspend.
#include "sound/output/audio_output.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace klangora {

class PulseAudioOutput : public AudioOutput {
public:
    // The output's thread asks for real-time scheduling unless told not to (for comparisons).
    enum class Scheduling { realtimeWherePossible, ordinary };
    // startLatencyMs: the target to begin with (0: the cautious default of 16 ms).
    explicit PulseAudioOutput(AudioRenderer& renderer,
                              Scheduling scheduling = Scheduling::realtimeWherePossible,
                              std::uint32_t startLatencyMs = 0);
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    void open() override;
    // Every failure counts as a loss: a server gone or frozen, and one not found at all.
    bool streaming() const override { return m_streaming.load(); }
    int losses() const override { return m_losses.load(); }
    int rate() const override { return m_rate.load(); }
    int periodFrames() const override { return m_periodFrames.load(); }
    std::int64_t latencyUs() const override { return m_latencyUs.load(); }
    int heldLatencyMs() const override { return m_heldLatencyMs.load(); }

    // For measurements: how often the server ran out of samples, and whether the output's
    // thread runs under a real-time policy, as it last looked.
    int underruns() const { return m_underruns.load(); }
    bool realtime() const { return m_realtime.load(); }

private:
    class Connection;
    void run();

    AudioRenderer& m_renderer;
    std::unique_ptr<Connection> m_connection;
    std::atomic<bool> m_wanted{false};
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_streaming{false};
    std::atomic<int> m_losses{0};
    std::atomic<int> m_rate{0};
    std::atomic<int> m_periodFrames{0};
    std::atomic<std::int64_t> m_latencyUs{0};
    std::atomic<int> m_underruns{0};
    std::atomic<bool> m_realtime{false};
    std::atomic<int> m_heldLatencyMs{0};
    const Scheduling m_scheduling;
    std::thread m_thread; // last: it starts when everything else exists
};

// The backend as the program chooses it.
std::unique_ptr<AudioOutput> makePulseAudioOutput(AudioRenderer& renderer);
// The same beginning at the target this machine held before (0: at the shortest, growing only
// where the server runs dry).
std::unique_ptr<AudioOutput> makePulseAudioOutputStartingAt(AudioRenderer& renderer,
                                                            std::uint32_t startLatencyMs);

} // namespace klangora
