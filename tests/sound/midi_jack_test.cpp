// MIDI through the program's own JACK port, against a JACK server of the test's own (skipped
// where jackd cannot run): senders in processes of their own write events into
// klangora:midi_in, and
// every way a sender or the server can go away must leave no note sounding; a system-exclusive
// message that never ends must not make the port deaf.
#include "sound/midi/midi_input.h"
#include "support/child_process.h"
#include "support/counting_sink.h"
#include "support/private_pulse_server.h"

#include <jack/jack.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <map>
#include <set>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

class MidiThroughJackPort : public testing::Test {
protected:
    void SetUp() override {
        // One name for every run: JACK keeps a server's name in a registry of a few slots, and
        // frees the slot of a server that died (as one test makes it) only when a server of the
        // same name starts again. The tests hold a lock, so only one runs at a time.
        m_serverName = "klangora-midi-test-" + std::to_string(getuid());
        m_environment.emplace("JACK_DEFAULT_SERVER", m_serverName);
        if (!startServer()) {
            GTEST_SKIP() << "a JACK server cannot run here";
        }
        m_input = std::make_unique<MidiInput>(m_sink);
        ASSERT_TRUE(until([this] { return m_input->jackOpen(); }, 5s)) << "no port opened";
    }

    void TearDown() override {
        m_sequencer.end(SIGTERM, 2000ms);
        m_input.reset();
        m_server.end(SIGTERM, 3000ms);
    }

    // The sender program, sending these events (hexadecimal bytes, one JACK event each) into
    // klangora:midi_in and then holding.
    void startSender(const std::vector<std::string>& events) {
        std::string error;
        std::vector<std::string> argv = {KLANGORA_JACK_MIDI_SENDER};
        argv.insert(argv.end(), events.begin(), events.end());
        const auto log = std::filesystem::temp_directory_path() / (m_serverName + ".send.log");
        ASSERT_TRUE(m_sequencer.start(argv, {{"JACK_DEFAULT_SERVER", m_serverName}}, log, error))
            << error;
    }

    // A sender in a process of its own: jack_midiseq holding note 60 for all but half a
    // millisecond of every two seconds.
    void startSequencer() {
        std::string error;
        const auto log = std::filesystem::temp_directory_path() / (m_serverName + ".seq.log");
        ASSERT_TRUE(m_sequencer.start({"jack_midiseq", "seq", "96000", "0", "60", "95970"},
                                      {{"JACK_DEFAULT_SERVER", m_serverName}}, log, error))
            << error;
        ASSERT_TRUE(until(
            [&] {
                return runToEnd({"jack_connect", "seq:out", "klangora:midi_in"},
                                {{"JACK_DEFAULT_SERVER", m_serverName}}, log.string() + ".connect",
                                2s)
                    .has_value();
            },
            5s));
    }

    bool startServer() {
        std::string error;
        const ChildProcess::EnvironmentChanges environment = {
            {"JACK_DEFAULT_SERVER", m_serverName},
            {"JACK_NO_AUDIO_RESERVATION", "1"},
            {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}};
        const auto log = std::filesystem::temp_directory_path() / (m_serverName + ".log");
        if (!m_server.start(
                {"jackd", "-n", m_serverName, "-r", "-d", "dummy", "-r", "48000", "-p", "256"},
                environment, log, error)) {
            return false;
        }
        // Ready when a client of ours can open.
        return until(
            [] {
                jack_status_t status{};
                jack_client_t* probe = jack_client_open("probe", JackNoStartServer, &status);
                if (probe != nullptr) {
                    jack_client_close(probe);
                }
                return probe != nullptr;
            },
            5s);
    }

    // Drains the input, as the window's thread does, until done() or the time is up.
    bool until(const std::function<bool()>& done, std::chrono::milliseconds patience) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (m_input) {
                m_input->drain();
            }
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    bool soundingBecomes(const std::set<int>& notes) {
        return until([&] { return m_sink.sounding() == notes; }, 4s);
    }

    std::string m_serverName;
    std::optional<ScopedEnvironment> m_environment;
    ChildProcess m_server;
    ChildProcess m_sequencer;
    CountingSink m_sink;
    std::unique_ptr<MidiInput> m_input;
};

TEST_F(MidiThroughJackPort, AConnectionGoneReleasesItsNotes) {
    startSender({"90 3C 64"});
    ASSERT_TRUE(soundingBecomes({60}));
    ASSERT_TRUE(runToEnd({"jack_disconnect", "midisender:out", "klangora:midi_in"},
                         {{"JACK_DEFAULT_SERVER", m_serverName}},
                         std::filesystem::temp_directory_path() / (m_serverName + ".disc.log"), 5s)
                    .has_value());
    EXPECT_TRUE(soundingBecomes({}));
}

// A sender that exits in good order (SIGTERM: it closes its client) while its note sounds.
TEST_F(MidiThroughJackPort, ASenderThatExitsReleasesItsNotes) {
    startSequencer();
    ASSERT_TRUE(soundingBecomes({60}));
    m_sequencer.end(SIGTERM, 2000ms);
    EXPECT_TRUE(soundingBecomes({}));
}

TEST_F(MidiThroughJackPort, AKilledSenderReleasesItsNotes) {
    startSequencer();
    ASSERT_TRUE(soundingBecomes({60}));
    m_sequencer.end(SIGKILL, 2000ms);
    EXPECT_TRUE(soundingBecomes({}));
}

// The server killed outright: the notes go, and a server that comes back is found again.
TEST_F(MidiThroughJackPort, AServerGoneReleasesItsNotesAndOneThatReturnsIsFound) {
    startSequencer();
    ASSERT_TRUE(soundingBecomes({60}));
    m_server.end(SIGKILL, 2000ms);
    EXPECT_TRUE(soundingBecomes({}));
    EXPECT_TRUE(until([this] { return !m_input->jackOpen(); }, 3s));
    m_sequencer.end(SIGKILL, 2000ms);
    ASSERT_TRUE(startServer());
    EXPECT_TRUE(until([this] { return m_input->jackOpen(); }, 8s));
}

// F0 7E 7F 09 01 without its F7: the note-on and note-off after it are still heard as such, and
// a later note sounds.
TEST_F(MidiThroughJackPort, AnUnterminatedSysexLeavesThePortListening) {
    startSender({"F0 7E 7F 09 01", "90 3C 64", "80 3C 00", "90 3E 64"});
    EXPECT_TRUE(soundingBecomes({62}));
}

} // namespace
