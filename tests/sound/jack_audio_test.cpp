// The sound on a JACK server of the test's own (dummy driver, 48 kHz, 256 frames; skipped where
// jackd cannot run): notes sent into klangora:midi_in at chosen frames are recorded from
// klangora:out_1 on the same frame clock, by two clients of the test's own (a sender before the
// program in JACK's graph, a recorder after it). A server that goes away moves the sound to
// PulseAudio.
#include "sound/instrument/live_synth.h"
#include "sound/output/chosen_audio_output.h"
#include "sound/output/jack_audio_output.h"
#include "support/child_process.h"
#include "support/jack_probe.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
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
            !until([] { return serverAnswers(); }, 5s)) {
            GTEST_SKIP() << "a JACK server cannot run here";
        }
    }
    void TearDown() override { m_server.end(SIGTERM, 3000ms); }

    static bool serverAnswers() {
        jack_status_t status{};
        jack_client_t* probe = jack_client_open("probe", JackNoStartServer, &status);
        if (probe != nullptr) {
            jack_client_close(probe);
        }
        return probe != nullptr;
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
    ASSERT_TRUE(sender.client != nullptr && recorder.client != nullptr);
    // Offsets all over the period, the first and last frames among them; note 60 first.
    for (int i = 0; i < kNotes; ++i) {
        const auto offset = static_cast<std::uint32_t>((i * 97) % kPeriod);
        const auto frame = static_cast<std::uint32_t>((i + 1) * kNoteSpacing) + offset;
        const auto note = static_cast<std::uint8_t>(60 + (i * 5) % 12);
        sender.plan.push_back({frame, {0x90, note, 100}});
        sender.plan.push_back({frame + kNoteFrames, {0x80, note, 0}});
    }
    recorder.recording.assign(std::size_t(kNotes + 2) * kNoteSpacing, std::nanf(""));
    ASSERT_EQ(jack_activate(sender.client), 0);
    ASSERT_EQ(jack_activate(recorder.client), 0);
    ASSERT_EQ(jack_connect(sender.client, "sender:port", "klangora:midi_in"), 0);
    ASSERT_EQ(jack_connect(recorder.client, "klangora:out_1", "recorder:port"), 0);
    const std::uint32_t start = jack_frame_time(sender.client) + kRate / 2;
    sender.start = recorder.start = start;
    sender.armed = recorder.armed = true;
    // Freewheeling, the server runs period after period as fast as the clients go, none lost.
    jack_set_freewheel(sender.client, 1);
    ASSERT_TRUE(until([&] { return recorder.recorded == recorder.recording.size(); }, 20s));
    jack_set_freewheel(sender.client, 0);

    // The first sample that sounds after the note was sent, counted from the event's frame;
    // looked for from a period before it, so that a note too early shows as well.
    std::vector<double> delaysMs;

    const std::vector<float>& heard = recorder.recording;
    for (int i = 0; i < kNotes; ++i) {
        const auto event = static_cast<std::int64_t>(sender.plan[std::size_t(2 * i)].frame);
        auto first = std::find_if(heard.begin() + event - kPeriod, heard.end(),
                                  [](float sample) { return !(std::abs(sample) <= 1e-6f); });
        ASSERT_NE(first, heard.end()) << "note " << i << " never sounded";
        delaysMs.push_back(double(first - heard.begin() - event) * 1000.0 / kRate);
    }
    std::vector<double> sorted = delaysMs;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_GE(sorted.front(), 0.0) << "a note sounded before its event";
    EXPECT_LE(sorted[sorted.size() / 2], 1.0);
    EXPECT_LE(sorted.back() - sorted.front(), 0.5);

    // Note 60, from its 10th to its 90th millisecond: the fixed c.
    const auto c = heard.begin() + sender.plan[0].frame;
    const std::vector<double> held(c + kRate / 100, c + kRate * 9 / 100);
    EXPECT_NEAR(strongestHz(held, kRate, 240, 285), 261.63, 0.5);
}

// The server killed: within a second the sound goes to PulseAudio, and says so.
TEST_F(JackAudio, AServerGoneMovesTheSoundToPulseAudio) {
    PrivatePulseServer pulse;
    const bool pulseRuns = pulse.start();
    std::optional<ScopedEnvironment> pulseAddress;
    if (pulseRuns) {
        pulseAddress.emplace("PULSE_SERVER", pulse.address());
    }
    LiveSynth synth;
    const auto output = chosenAudioOutput(AudioSystem::automatic)(synth);
    EXPECT_STREQ(output->systemName(), "JACK");
    ASSERT_NE(output->midiHost(), nullptr);
    EXPECT_TRUE(output->midiHost()->hostsMidi());
    EXPECT_EQ(output->moves(), 0);
    m_server.end(SIGKILL, 2000ms);
    const auto gone = std::chrono::steady_clock::now();
    ASSERT_TRUE(until([&] { return output->moves() == 1; }, 3s));
    EXPECT_LT(std::chrono::steady_clock::now() - gone, 1s);
    EXPECT_STREQ(output->systemName(), "PulseAudio");
    EXPECT_FALSE(output->midiHost()->hostsMidi());
    if (pulseRuns) {
        synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, 60, 1.0f));
        output->open();
        EXPECT_TRUE(until([&] { return output->streaming(); }, 5s));
    }
}

} // namespace
