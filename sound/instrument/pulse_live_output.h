#pragma once

// The live instrument on a PulseAudio (or PipeWire) server: a stream of its own at the server's
// rate with the lowest latency the server grants, fed from a thread of its own.
//
// The window never waits for it: a note only sets a flag and wakes the thread. The thread
// connects when a tone is wanted, gives up a server that does not answer within a deadline (and
// tries again at a later note), and lets go of the stream a few seconds after the last tone, so
// the device may suspend.
#include "sound/instrument/live_instrument.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace klangora {

class PulseLiveOutput : public LiveOutput {
public:
    // The output's thread asks for real-time scheduling unless told not to (for comparisons).
    enum class Scheduling { realtimeWherePossible, ordinary };
    explicit PulseLiveOutput(LiveSynth& synth,
                             Scheduling scheduling = Scheduling::realtimeWherePossible);
    ~PulseLiveOutput() override;
    PulseLiveOutput(const PulseLiveOutput&) = delete;
    PulseLiveOutput& operator=(const PulseLiveOutput&) = delete;

    void wake() override;

    // What the stream reports, for measurements: whether it plays, its latency as last
    // reported, and how often the server ran out of samples.
    bool streaming() const { return m_streaming.load(); }
    std::int64_t latencyUs() const { return m_latencyUs.load(); }
    int underruns() const { return m_underruns.load(); }
    // Whether the output's thread runs under a real-time policy, as it last looked.
    bool realtime() const { return m_realtime.load(); }

private:
    class Connection;
    void run();

    LiveSynth& m_synth;
    std::unique_ptr<Connection> m_connection;
    std::atomic<bool> m_wanted{false};
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_streaming{false};
    std::atomic<std::int64_t> m_latencyUs{0};
    std::atomic<int> m_underruns{0};
    std::atomic<bool> m_realtime{false};
    const Scheduling m_scheduling;
    std::thread m_thread; // last: it starts when everything else exists
};

} // namespace klangora
