// The live instrument on a private PulseAudio server: a held note is heard at its pitch and the
// stream goes a few seconds after it; without a server, or with a frozen one, nothing waits,
// and a later note is heard once the server answers again.
#include "sound/instrument/live_instrument.h"
#include "sound/output/pulse_audio_output.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

class LiveStream : public testing::Test {
protected:
    void SetUp() override {
        if (!server.start()) {
            GTEST_SKIP() << "PulseAudio cannot run here: " << server.failure();
        }
        ASSERT_TRUE(recorder.start());
    }

    // Holds a note for a while and returns the pitch heard, 0 when nothing was.
    double heardHz(LiveInstrument& instrument, int note, double lowHz, double highHz) {
        const std::size_t before = recorder.recording().size();
        instrument.noteOn(VoiceSource::computerKeys, note);
        std::this_thread::sleep_for(1500ms);
        instrument.noteOff(VoiceSource::computerKeys, note);
        std::this_thread::sleep_for(300ms);
        const auto recording = recorder.recording();
        const auto sounding =
            soundingPart(std::span(recording).subspan(std::min(before, recording.size())));
        if (sounding.size() < PrivatePulseServer::kSampleRate / 2) {
            return 0;
        }
        const auto samples = centredSamples(sounding);
        return strongestHz(samples, PrivatePulseServer::kSampleRate, lowHz, highHz, 0.1);
    }

    PrivatePulseServer server;
    ScopedEnvironment pulseServer{"PULSE_SERVER", std::nullopt};
    SinkRecorder recorder{server};
};

} // namespace

TEST_F(LiveStream, AHeldNoteIsHeardAndTheStreamGoesAfterIt) {
    const ScopedEnvironment address("PULSE_SERVER", server.address());
    const auto instrument = std::make_unique<LiveInstrument>(makePulseAudioOutput);
    EXPECT_NEAR(heardHz(*instrument, 69, 430, 450), 261.6 * std::exp2(9.0 / 12), 0.5);
    std::this_thread::sleep_for(4000ms);
    EXPECT_EQ(server.sinkInputs(), std::optional<std::string>(""));
}

TEST_F(LiveStream, AFrozenServerIsGivenUpAndTriedAgainAtALaterNote) {
    const ScopedEnvironment address("PULSE_SERVER", server.address());
    const auto instrument = std::make_unique<LiveInstrument>(makePulseAudioOutput);
    {
        const FrozenServer frozen(server);
        instrument->noteOn(VoiceSource::computerKeys,
                           60); // returns at once: only the audio thread meets the server
        instrument->noteOff(VoiceSource::computerKeys, 60);
        std::this_thread::sleep_for(1500ms);
    }
    EXPECT_NEAR(heardHz(*instrument, 64, 325, 335), 261.6 * std::exp2(4.0 / 12), 0.5);
}

// A chord held while the server freezes (and is given up) sounds again when it answers, without
// a new key.
TEST_F(LiveStream, AToneHeldThroughAFrozenServerSoundsAgainWhenItAnswers) {
    const ScopedEnvironment address("PULSE_SERVER", server.address());
    const auto instrument = std::make_unique<LiveInstrument>(makePulseAudioOutput);
    instrument->noteOn(VoiceSource::midi, 67);
    std::this_thread::sleep_for(1000ms);
    {
        const FrozenServer frozen(server);
        std::this_thread::sleep_for(2500ms); // longer than the stream waits for a stalled server
    }
    std::this_thread::sleep_for(4500ms);
    // Half a second unbroken within the last two is enough on a busy machine, where the server
    // may now and then run dry.
    const auto recording = recorder.recording();
    const std::size_t seconds = 2 * PrivatePulseServer::kSampleRate;
    ASSERT_GT(recording.size(), seconds);
    const auto sounding = soundingPart(std::span(recording).last(seconds));
    ASSERT_GT(sounding.size(), seconds / 4) << "the held tone did not come back";
    EXPECT_NEAR(
        strongestHz(centredSamples(sounding), PrivatePulseServer::kSampleRate, 385, 400, 0.1),
        261.6 * std::exp2(7.0 / 12), 0.5);
    instrument->releaseAll();
}

TEST(LiveStreamWithoutServer, PlaysSilently) {
    const ScopedEnvironment address("PULSE_SERVER", "unix:/nonexistent/klangora-test");
    const auto instrument = std::make_unique<LiveInstrument>(makePulseAudioOutput);
    for (int note = 60; note < 73; ++note) {
        instrument->noteOn(VoiceSource::computerKeys, note);
    }
    instrument->releaseAll();
    EXPECT_FALSE(instrument->heldNotes().any());
}
