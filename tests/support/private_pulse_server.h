#pragma once

#include "support/child_process.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace klangora::test_support {

// A PulseAudio daemon of the test's own, in a private temporary directory (its HOME and
// XDG_RUNTIME_DIR), reachable only through its own socket and playing into one null sink of
// 8-bit mono at 11025 Hz, the format of the program's chords, so that whatever a client plays
// arrives at the sink's monitor byte for byte. It runs as the test's user, root included.
//
//     PrivatePulseServer server;
//     if (!server.start()) GTEST_SKIP() << server.failure();
//     ScopedEnvironment env("PULSE_SERVER", server.address()); // for clients in this process
//     SinkRecorder recorder(server);
//     recorder.start();
//     ... play ...
//     recorder.waitForRun(samples, 3s);
class PrivatePulseServer {
public:
    static constexpr int kSampleRate = 11025;

    PrivatePulseServer();
    ~PrivatePulseServer(); // ends the daemon and removes the directory
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    // Starts the daemon (again, after stop or crash) and waits until its sink is there. False,
    // with the reason in failure(), when pulseaudio cannot be started.
    bool start();
    // Ends the daemon the hard way, as a crash would (SIGKILL), and reaps it.
    void crash();
    // Ends the daemon politely (SIGTERM) and reaps it.
    void stop();
    bool running();
    pid_t pid() const { return m_daemon ? m_daemon->pid() : -1; }

    const std::string& failure() const { return m_failure; }
    // The value for PULSE_SERVER: "unix:" and the private socket.
    std::string address() const;
    std::string sinkName() const { return "klangora_test_sink"; }
    std::string monitorName() const { return sinkName() + ".monitor"; }
    const std::filesystem::path& directory() const { return m_directory; }

    // The playback streams on the sink, one line each as pactl lists them (empty when there
    // are none); nothing when pactl fails.
    std::optional<std::string> sinkInputs();

    // Environment for client programs (pactl, parec) of this server only.
    ChildProcess::EnvironmentChanges clientEnvironment() const;

private:
    bool waitUntilReady(std::chrono::milliseconds patience);
    std::string logTail() const;

    std::filesystem::path m_directory;
    std::unique_ptr<ChildProcess> m_daemon;
    std::string m_failure;
};

// Stops the server (SIGSTOP) for the object's lifetime, so that it stands still as a hung one
// does, and always lets it go on again (SIGCONT).
class FrozenServer {
public:
    explicit FrozenServer(const PrivatePulseServer& server);
    ~FrozenServer();
    FrozenServer(const FrozenServer&) = delete;
    FrozenServer& operator=(const FrozenServer&) = delete;

private:
    pid_t m_pid;
};

// Records the server's sink monitor with parec, raw u8 mono at 11025 Hz, into a file of the
// server's directory. The monitor gives silence (128) while nothing plays.
class SinkRecorder {
public:
    explicit SinkRecorder(PrivatePulseServer& server);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Starts parec and waits until the first bytes have arrived.
    bool start();
    void stop();
    std::vector<std::uint8_t> recording() const;
    // Waits until samples appear in the recording, perhaps across breaks.
    bool waitForRun(std::span<const std::uint8_t> samples,
                    std::chrono::milliseconds patience) const;

private:
    PrivatePulseServer& m_server;
    std::filesystem::path m_file;
    ChildProcess m_parec;
    static inline int s_recordings = 0;
};

// A chord reaches the sink through the sound engine's float mix and is rounded to 8 bits again
// there: its samples arrive within this many steps of its image's.
inline constexpr int kRunTolerance = 2;
// Where samples stand in recording, at or after from, each within kRunTolerance, in order; the
// stream running dry under load may have put stretches of silence between them (breaks), which
// delay what follows but lose nothing.
struct FoundRun {
    std::size_t start;
    std::size_t end; // one past the last sample
    std::size_t breaks;
};
std::optional<FoundRun> findRunAcrossBreaks(std::span<const std::uint8_t> recording,
                                            std::span<const std::uint8_t> samples,
                                            std::size_t from = 0);

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

} // namespace klangora::test_support
