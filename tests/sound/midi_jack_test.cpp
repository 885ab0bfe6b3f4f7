// MIDI through the program's own JACK port, against a JACK server of the test's own (skipped
// where jackd cannot run): a sender inside the test writes events into klangora:midi_in, and
// every way a sender or the server can go away must leave no note sounding; a system-exclusive
// message that never ends must not make the port deaf.
#include "sound/midi/midi_input.h"
#include "support/child_process.h"
#include "support/private_pulse_server.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

class CountingSink : public NoteSink {
public:
    void noteOn(int note, float) override { ++holds[note]; }
    void noteOff(int note) override { --holds[note]; }
    std::set<int> sounding() const {
        std::set<int> notes;
        for (const auto& [note, count] : holds) {
            if (count > 0) {
                notes.insert(note);
            }
        }
        return notes;
    }
    std::map<int, int> holds;
};

// A JACK client of the test's own with one MIDI output; events handed to send() go out in its
// next process cycle, one JACK event each.
class Sender {
public:
    bool open(const std::string& name) {
        jack_status_t status{};
        m_client = jack_client_open(name.c_str(), JackNoStartServer, &status);
        if (m_client == nullptr) {
            return false;
        }
        m_port = jack_port_register(m_client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(m_client, &Sender::process, this);
        return m_port != nullptr && jack_activate(m_client) == 0;
    }
    ~Sender() { close(); }
    void close() {
        if (m_client != nullptr) {
            jack_client_close(m_client);
            m_client = nullptr;
        }
    }
    void send(const Bytes& event) {
        const std::lock_guard lock(m_lock);
        m_waiting.push_back(event);
    }
    jack_client_t* client() const { return m_client; }

private:
    // A test's sender may lock: it is no instrument.
    static int process(jack_nframes_t frames, void* self) {
        auto& sender = *static_cast<Sender*>(self);
        void* buffer = jack_port_get_buffer(sender.m_port, frames);
        jack_midi_clear_buffer(buffer);
        const std::lock_guard lock(sender.m_lock);
        for (const Bytes& event : sender.m_waiting) {
            jack_midi_event_write(buffer, 0, event.data(), event.size());
        }
        sender.m_waiting.clear();
        return 0;
    }

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    std::mutex m_lock;
    std::vector<Bytes> m_waiting;
};

class MidiThroughJackPort : public testing::Test {
protected:
    void SetUp() override {
        m_serverName = "klangora-midi-test-" + std::to_string(getpid());
        m_environment.emplace("JACK_DEFAULT_SERVER", m_serverName);
        if (!startServer()) {
            GTEST_SKIP() << "a JACK server cannot run here";
        }
        m_input = std::make_unique<MidiInput>(m_sink);
        ASSERT_TRUE(until([this] { return m_input->jackOpen(); }, 5s)) << "no port opened";
    }

    void TearDown() override {
        m_sender.close();
        m_sequencer.end(SIGTERM, 2000ms);
        m_input.reset();
        m_server.end(SIGTERM, 3000ms);
    }

    void openSender() {
        ASSERT_TRUE(m_sender.open("sender"));
        ASSERT_EQ(jack_connect(m_sender.client(), "sender:out", "klangora:midi_in"), 0);
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
        return until([&] { return m_sink.sounding() == notes; }, 3s);
    }

    std::string m_serverName;
    std::optional<ScopedEnvironment> m_environment;
    ChildProcess m_server;
    ChildProcess m_sequencer;
    CountingSink m_sink;
    std::unique_ptr<MidiInput> m_input;
    Sender m_sender;
};

TEST_F(MidiThroughJackPort, AConnectionGoneReleasesItsNotes) {
    openSender();
    m_sender.send({0x90, 60, 100});
    ASSERT_TRUE(soundingBecomes({60}));
    jack_disconnect(m_sender.client(), "sender:out", "klangora:midi_in");
    EXPECT_TRUE(soundingBecomes({}));
}

TEST_F(MidiThroughJackPort, ASenderThatClosesReleasesItsNotes) {
    openSender();
    m_sender.send({0x90, 60, 100});
    m_sender.send({0x91, 67, 100});
    ASSERT_TRUE(soundingBecomes({60, 67}));
    m_sender.close();
    EXPECT_TRUE(soundingBecomes({}));
}

TEST_F(MidiThroughJackPort, AKilledSenderReleasesItsNotes) {
    startSequencer();
    ASSERT_TRUE(soundingBecomes({60}));
    m_sequencer.end(SIGKILL, 2000ms);
    EXPECT_TRUE(soundingBecomes({}));
}

// The server killed outright: the notes go, and a server that comes back is found again. (The
// sender is another process: libjack cannot close two clients of a dead server in one.)
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
    openSender();
    m_sender.send({0xF0, 0x7E, 0x7F, 0x09, 0x01});
    m_sender.send({0x90, 60, 100});
    ASSERT_TRUE(soundingBecomes({60}));
    m_sender.send({0x80, 60, 0});
    ASSERT_TRUE(soundingBecomes({}));
    m_sender.send({0x90, 62, 100});
    EXPECT_TRUE(soundingBecomes({62}));
}

} // namespace
