#include "sound/chord_synthesis.h"
#include "sound/pulse_player.h"
#include "sound/wav_image.h"
#include "support/private_pulse_server.h"

#include <gtest/gtest.h>

#include <iostream>

#include <chrono>
#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

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

// The player's own limits: a chord is given up this long after its length, and a server that
// has not answered the connection within a second is given up too.
constexpr auto kChordMargin = 1000ms;
constexpr auto kConnectLimit = 1000ms;
// What a loaded machine may add to any of them.
constexpr auto kSlack = 300ms;

// A socket that takes connections (the kernel completes them) and never reads or answers.
class SilentSocket {
public:
    explicit SilentSocket(const std::filesystem::path& path) : m_path(path) {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
        m_listening =
            m_fd >= 0 &&
            ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(m_fd, 8) == 0;
    }
    ~SilentSocket() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        std::filesystem::remove(m_path);
    }
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;

    bool listening() const { return m_listening; }
    std::string address() const { return "unix:" + m_path.string(); }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_listening = false;
};

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
        // Heard means the sink has played the last sample: its monitor has it by now, give or
        // take the recorder's own delivery in blocks of up to 50 ms.
        EXPECT_TRUE(recorder.waitForRun(samplesOf(image), 100ms)) << durationMs << " ms";
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

TEST_F(PulsePlayerTest, StartsPlayingOnceAServerAppearsAndTheNextSequenceBegins) {
    server.stop();
    const auto image = chord({261.0, 329.0, 391.0}, 1000);
    const auto start = Clock::now();
    player.play(image);
    EXPECT_LT(msSince(start), 500ms);
    ASSERT_TRUE(server.start()) << server.failure();
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    player.beginSequence();
    player.play(image);
    EXPECT_TRUE(recorder.waitForRun(samplesOf(image), 3s));
}

// A server that stops answering in the middle of a sequence: the chord is given up after its
// length and the margin, the rest of the sequence is silent at once, and a chord that is cut
// short ends at once.
TEST_F(PulsePlayerTest, GivesUpOnAFrozenServer) {
    player.play(chord({261.0, 329.0, 391.0}, 200)); // the stream is open
    const FrozenServer frozen(server);
    const auto image = chord({293.0, 369.0, 439.0}, 1000);
    auto start = Clock::now();
    player.play(image);
    const auto abandoned = msSince(start);
    EXPECT_LT(abandoned, 1000ms + kChordMargin + kSlack);
    start = Clock::now();
    player.play(image);
    player.play(image);
    EXPECT_LT(msSince(start), 50ms) << "the same sequence tried the frozen server again";

    player.beginSequence();
    start = Clock::now();
    std::thread cutter([&] {
        std::this_thread::sleep_for(300ms);
        player.cutShort();
    });
    player.play(image);
    const auto cut = msSince(start);
    cutter.join();
    EXPECT_LT(cut, 300ms + kSlack);
    std::cout << "[ frozen   ] 1000-ms chord given up after " << abandoned.count()
              << " ms; cut short 300 ms into the next after " << cut.count() << " ms\n";
}

// A socket that accepts and never answers costs one connection limit per sequence, not one
// per chord; the next sequence tries the server again.
TEST_F(PulsePlayerTest, TriesASilentSocketOncePerSequence) {
    SilentSocket silent(server.directory() / "silent");
    ASSERT_TRUE(silent.listening());
    const auto image = chord({261.0, 329.0, 391.0}, 1000);
    {
        ScopedEnvironment elsewhere("PULSE_SERVER", silent.address());
        const auto start = Clock::now();
        for (int n = 0; n < 7; ++n) {
            player.play(image);
        }
        const auto took = msSince(start);
        EXPECT_LT(took, kConnectLimit + kSlack);
        std::cout << "[ silent   ] seven chords on a silent socket took " << took.count()
                  << " ms\n";
    }
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start());
    player.play(image);
    EXPECT_FALSE(containsRun(recorder.recording(), samplesOf(image)));
    player.beginSequence();
    player.play(image);
    EXPECT_TRUE(recorder.waitForRun(samplesOf(image), 3s));
}

// The stream stays open from chord to chord, and is closed a couple of seconds after the last
// one, so that the sink may suspend; the next chord opens it again.
TEST_F(PulsePlayerTest, ReleasesTheStreamAfterTheLastChord) {
    const auto image = chord({261.0, 329.0, 391.0}, 300);
    player.play(image);
    const auto kept = server.sinkInputs();
    ASSERT_TRUE(kept.has_value());
    EXPECT_NE(*kept, "") << "the stream was closed at once";
    const auto deadline = Clock::now() + 6s;
    std::optional<std::string> now;
    do {
        std::this_thread::sleep_for(200ms);
        now = server.sinkInputs();
    } while (now && !now->empty() && Clock::now() < deadline);
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(*now, "") << "the stream was never released";
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
