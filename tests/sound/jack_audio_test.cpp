// The sound on a JACK server of the test's own (dummy driver, 48 kHz, 256 frames; skipped where
// jackd cannot run): notes sent into klangora:midi_in at chosen frames are recorded from
// klangora:out_1 on the same frame clock (see ProbeClient). A server that goes away moves the
// sound to PulseAudio.
#include "sound/instrument/live_synth.h"
#include "sound/output/chosen_audio_output.h"
#include "sound/output/jack_audio_output.h"
#include "support/child_process.h"
#include "support/jack_probe.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"

#include <jack/jack.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 256;
constexpr int kNotes = 20;
constexpr int kNoteFrames = 4800;   // each note held 100 ms
constexpr int kNoteSpacing = 14400; // and the next 300 ms after its start: silence between

bool until(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class JackAudio : public testing::Test {
protected:
    void SetUp() override {
        m_serverName = "klangora-audio-test-" + std::to_string(getuid());
        m_environment.emplace("JACK_DEFAULT_SERVER", m_serverName);
        std::string error;
        const auto log = std::filesystem::temp_directory_path() / (m_serverName + ".log");
        if (!m_server.start({"jackd", "-n", m_serverName, "-r", "-d", "dummy", "-r",
                             std::to_string(kRate), "-p", std::to_string(kPeriod)},
                            {{"JACK_DEFAULT_SERVER", m_serverName},
                             {"JACK_NO_AUDIO_RESERVATION", "1"},
                             {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}},
                            log, error) ||
            !until(serverAnswers, 5s)) {
            GTEST_SKIP() << "a JACK server cannot run here";
        }
    }
    void TearDown() override { m_server.end(SIGTERM, 3000ms); }

    static bool serverAnswers() {
        jack_status_t status{};
        jack_client_t* probe = jack_client_open("probe", JackNoStartServer, &status);
        return probe != nullptr && jack_client_close(probe) == 0;
    }

    std::string m_serverName;
    std::optional<ScopedEnvironment> m_environment;
    ChildProcess m_server;
};

TEST_F(JackAudio, NotesStartAtTheirOwnFrameAndSoundTheirPitch) {
    LiveSynth synth;
    const auto output = JackAudioOutput::connect(synth, [] {});
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->rate(), kRate);
    EXPECT_EQ(output->periodFrames(), kPeriod);
    ProbeClient sender("sender", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
    ProbeClient recorder("recorder", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    planNotes(sender, kNotes, kPeriod, kNoteSpacing, kNoteFrames);
    ASSERT_TRUE(playAndRecord(sender, recorder, std::size_t(kNotes + 2) * kNoteSpacing));
    const std::vector<double> delaysMs = onsetDelaysMs(sender, recorder.recording, kPeriod, kRate);
    ASSERT_EQ(delaysMs.size(), std::size_t(kNotes)) << "a note never sounded";
    const OnsetSpread onsets = spreadOf(delaysMs);
    EXPECT_GE(onsets.earliest, 0.0) << "a note sounded before its event";
    EXPECT_LE(onsets.median, 1.0);
    EXPECT_LE(onsets.spread, 0.5);

    // Note 60, from its 10th to its 90th millisecond: the fixed c.
    const auto c = recorder.recording.begin() + sender.plan[0].frame;
    const std::vector<double> held(c + kRate / 100, c + kRate * 9 / 100);
    EXPECT_NEAR(strongestHz(held, kRate, 240, 285), 261.63, 0.5);
}

// The server killed: the sound goes to PulseAudio (heard there in the end-to-end test), and the
// JACK client no longer plays the MIDI input.
TEST_F(JackAudio, AServerGoneMovesTheSoundToPulseAudio) {
    LiveSynth synth;
    const auto output = chosenAudioOutput(AudioSystem::automatic)(synth);
    EXPECT_STREQ(output->systemName(), "JACK");
    ASSERT_NE(output->midiHost(), nullptr);
    EXPECT_TRUE(output->midiHost()->hostsMidi());
    EXPECT_EQ(output->moves(), 0);
    m_server.end(SIGKILL, 2000ms);
    ASSERT_TRUE(until([&] { return output->moves() == 1; }, 3s));
    EXPECT_STREQ(output->systemName(), "PulseAudio");
    EXPECT_FALSE(output->midiHost()->hostsMidi());
}

} // namespace
