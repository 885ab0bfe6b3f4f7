// The real program playing a MIDI file from its command line: `klangora --play FILE.mid --tuning
// praet` on an X server and a PulseAudio server of the test's own, and the piece's first two
// notes found at their meantone pitches in what the server's sink received.
#include "core/music/midi_file_writer.h"
#include "support/child_process.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"
#include "support/xvfb_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <span>
#include <thread>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

const std::filesystem::path kMusicOutputDir =
    std::filesystem::path(KLANGORA_E2E_OUTPUT_DIR) / "music";
constexpr int kRate = PrivatePulseServer::kSampleRate;

// c for a second and a half, then e as long: 120 a minute, three quarters each.
std::filesystem::path writeTwoNotes() {
    MidiTrackWriter track;
    track.noteOn(0, 0, 60);
    track.noteOff(3 * 480, 0, 60);
    track.noteOn(3 * 480, 0, 64);
    track.noteOff(6 * 480, 0, 64);
    const auto bytes = writeMidiFile({0, 480}, {track});
    const auto path = kMusicOutputDir / "c-e.mid";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(MusicFromTheCommandLine, PlayStartsThePieceInTheNamedTuning) {
    std::filesystem::create_directories(kMusicOutputDir);
    XvfbDisplay display;
    if (!display.start(kMusicOutputDir / "xvfb.log", 10s)) {
        GTEST_SKIP() << "Xvfb cannot run here: " << display.failure();
    }
    PrivatePulseServer server;
    if (!server.start()) {
        GTEST_SKIP() << "PulseAudio cannot run here: " << server.failure();
    }
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.start()) << "parec does not record the sink's monitor";
    ChildProcess::EnvironmentChanges environment = server.clientEnvironment();
    environment["DISPLAY"] = display.name();
    environment["LC_ALL"] = "C.UTF-8";
    environment["QT_QPA_PLATFORM"] = std::nullopt;
    environment["WAYLAND_DISPLAY"] = std::nullopt;
    environment["DBUS_SESSION_BUS_ADDRESS"] = std::nullopt;
    environment["XDG_CONFIG_HOME"] = (kMusicOutputDir / "config").string();
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    environment["ASAN_OPTIONS"] = std::string(asanOptions ? asanOptions : "") +
                                  ":suppressions=" + KLANGORA_E2E_ASAN_SUPPRESSIONS;
    ChildProcess program;
    std::string error;
    ASSERT_TRUE(
        program.start({KLANGORA_PROGRAM, "--play", writeTwoNotes().string(), "--tuning", "praet"},
                      environment, kMusicOutputDir / "klangora.log", error))
        << error;
    std::this_thread::sleep_for(6s);
    program.end(SIGTERM, 3000ms);
    recorder.stop();
    server.stop();
    display.stop();

    const auto recording = recorder.recording();
    // Kept for a look when something was not heard: raw unsigned 8-bit mono at 11025 Hz.
    std::ofstream(kMusicOutputDir / "recording.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(recording.data()),
               static_cast<std::streamsize>(recording.size()));
    // Timed from the first sound: on a busy machine the server may leave a short gap where the
    // program fell behind, which moves what follows a little but changes no pitch.
    const auto first = std::find_if(recording.begin(), recording.end(),
                                    [](std::uint8_t sample) { return sample != 128; });
    const auto onset = static_cast<std::size_t>(first - recording.begin());
    ASSERT_GT(recording.size(), onset + kRate * 3) << "the piece was not heard to its end";
    // The middle second of each note, where it is steady.
    const auto c = centredSamples(std::span(recording).subspan(onset + kRate / 4, kRate));
    const auto e = centredSamples(std::span(recording).subspan(onset + kRate * 7 / 4, kRate));
    const double cHz = strongestHz(c, kRate, 250, 272);
    const double eHz = strongestHz(e, kRate, 318, 338);
    std::cout << "[ music    ] heard " << cHz << " and " << eHz << " Hz\n";
    EXPECT_NEAR(cHz, 261.6, 0.3);
    EXPECT_NEAR(eHz, 261.6 * 1.25, 0.4); // meantone's pure major third
}

} // namespace
