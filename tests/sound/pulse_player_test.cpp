#include "sound/chord_synthesis.h"
#include "sound/pulse_player.h"
#include "sound/wav_image.h"
#include "support/private_pulse_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

std::vector<std::uint8_t> chord(std::vector<double> hz, int durationMs) {
    return chordImage(hz, durationMs, 20, PrivatePulseServer::kSampleRate);
}

std::span<const std::uint8_t> samplesOf(const std::vector<std::uint8_t>& image) {
    return std::span(image).subspan(kWavHeaderBytes);
}

// A server of the test's own, which every PulseAudio client of this process uses; the private
// HOME and runtime directory keep libpulse away from the user's own.
class PulsePlayerTest : public testing::Test {
protected:
    void SetUp() override {
        if (!server.start()) {
            GTEST_SKIP() << "PulseAudio cannot run here, so the real backend is not tested: "
                         << server.failure();
        }
    }

    PrivatePulseServer server;
    ScopedEnvironment pulseServer{"PULSE_SERVER", server.address()};
    ScopedEnvironment home{"HOME", (server.directory() / "home").string()};
    ScopedEnvironment runtime{"XDG_RUNTIME_DIR", (server.directory() / "runtime").string()};
    PulseAudioPlayer player;
};

} // namespace

TEST_F(PulsePlayerTest, PlaysTheSamplesUnchangedAndReturnsWhenTheyHaveBeenHeard) {
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    const auto latency = server.sinkLatency();
    ASSERT_TRUE(latency.has_value());
    for (int durationMs : {1000, 1100}) {
        const auto image = chord({261.0, 329.0, 391.0, 65.25}, durationMs);
        const auto start = Clock::now();
        player.play(image);
        const auto took = msSince(start);
        EXPECT_GE(took.count(), durationMs);
        // What the server still held once everything was queued (50 ms), its sink's latency,
        // and room for a loaded machine.
        const auto allowed = std::chrono::milliseconds(durationMs) + 50ms +
                             std::chrono::duration_cast<std::chrono::milliseconds>(*latency) +
                             250ms;
        EXPECT_LE(took, allowed) << "sink latency " << latency->count() << " us";
        EXPECT_TRUE(recorder.waitForRun(samplesOf(image), 3s)) << durationMs << " ms";
    }
}

TEST_F(PulsePlayerTest, PlaysChordsOneAfterTheOther) {
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    const auto first = chord({329.0, 261.0, 195.5, 65.25}, 1000);
    const auto second = chord({329.0, 246.5, 195.5, 82.25}, 1000);
    player.play(first);
    player.play(second);
    ASSERT_TRUE(recorder.waitForRun(samplesOf(second), 3s));
    const auto recording = recorder.recording();
    const auto at = [&](const std::vector<std::uint8_t>& image) {
        const auto s = samplesOf(image);
        return std::search(recording.begin(), recording.end(), s.begin(), s.end());
    };
    ASSERT_NE(at(first), recording.end());
    EXPECT_LT(at(first), at(second));
}

TEST_F(PulsePlayerTest, ReturnsPromptlyWhenTheServerDiesMidChord) {
    const auto image = chord({261.0, 329.0, 391.0}, 2000);
    Clock::time_point returned;
    const auto start = Clock::now();
    std::thread playing([&] {
        player.play(image);
        returned = Clock::now();
    });
    std::this_thread::sleep_for(500ms);
    const auto killed = Clock::now();
    server.crash();
    playing.join();
    EXPECT_LT(returned - killed, 500ms);
    EXPECT_LT(returned - start, 1500ms);
}

TEST_F(PulsePlayerTest, FindsTheServerAgainAfterARestart) {
    const auto first = chord({261.0, 329.0, 391.0}, 1000);
    const auto second = chord({293.0, 369.0, 439.0}, 1000);
    {
        SinkRecorder recorder(server);
        ASSERT_TRUE(recorder.start());
        player.play(first);
        EXPECT_TRUE(recorder.waitForRun(samplesOf(first), 3s));
    }
    server.crash();
    ASSERT_TRUE(server.start()) << server.failure();
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    player.play(second);
    EXPECT_TRUE(recorder.waitForRun(samplesOf(second), 3s));
}

TEST_F(PulsePlayerTest, StartsPlayingOnceAServerAppears) {
    server.stop();
    const auto image = chord({261.0, 329.0, 391.0}, 1000);
    const auto start = Clock::now();
    player.play(image);
    EXPECT_LT(msSince(start), 500ms);
    ASSERT_TRUE(server.start()) << server.failure();
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    player.play(image);
    EXPECT_TRUE(recorder.waitForRun(samplesOf(image), 3s));
}

TEST_F(PulsePlayerTest, IgnoresImagesItDoesNotKnow) {
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    auto stereo = chord({261.0, 329.0, 391.0}, 1000);
    stereo[22] = 2;
    const auto start = Clock::now();
    player.play({});
    player.play(std::vector<std::uint8_t>(100, 0));
    player.play(stereo);
    player.play(newWavImage(11025, 0));
    EXPECT_LT(msSince(start), 500ms);
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(containsRun(recorder.recording(), samplesOf(stereo).first(1000)));
}

TEST(PulsePlayerWithoutServer, ReturnsAtOnce) {
    PrivatePulseServer never; // its directory only: no daemon, no socket
    ScopedEnvironment home{"HOME", (never.directory() / "home").string()};
    ScopedEnvironment runtime{"XDG_RUNTIME_DIR", (never.directory() / "runtime").string()};
    PulseAudioPlayer player;
    ScopedEnvironment pulseServer{"PULSE_SERVER", never.address()};
    const auto start = Clock::now();
    player.play(chord({261.0, 329.0, 391.0}, 2000));
    EXPECT_LT(msSince(start), 500ms);
}
