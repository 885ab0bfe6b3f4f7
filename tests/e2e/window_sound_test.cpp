// The real program, end to end: its window on an X server of the test's own, clicked with
// xdotool the way a learner clicks it, and its chords heard on the monitor of a PulseAudio
// null sink of the test's own, compared byte for byte with the images the reference synthesis
// makes of the frequencies the tuning must give.
#include "core/music/midi_file_writer.h"
#include "core/presets.h"
#include "core/tone_table.h"
#include "core/tuning.h"
#include "sound/reference_synthesis.h"
#include "sound/wav_image.h"
#include "support/jack_probe.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"
#include "support/tuned_table.h"
#include "support/xvfb_display.h"

#include <cmath>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

const std::filesystem::path kOutputDir = KLANGORA_E2E_OUTPUT_DIR;
constexpr const char* kProgram = KLANGORA_PROGRAM;
constexpr const char* kAsanSuppressions = KLANGORA_E2E_ASAN_SUPPRESSIONS;
constexpr const char* kWindowTitle = "^Klangora: Lyt til dur-treklange i forskellige stemninger!$";

constexpr int kSampleRate = PrivatePulseServer::kSampleRate;
constexpr std::uint8_t kAmplitude = 20;

// Window client coordinates of what the test clicks: the centre of each control.
struct Point {
    int x;
    int y;
};
constexpr Point kRenButton{16 + 91 / 2, 384 + 17 / 2};
constexpr Point kTriadButton{752 + 129 / 2, 128 + 97 / 2};
constexpr Point kChoraleButton{752 + 129 / 2, 248 + 97 / 2};

// The samples of a chord as the program must play it, without the image's header.
std::vector<std::uint8_t> chordSamples(std::span<const double> hz, int durationMs) {
    std::vector<std::uint8_t> image = referenceChordImage(hz, durationMs, kAmplitude, kSampleRate);
    return std::vector<std::uint8_t>(image.begin() + kWavHeaderBytes, image.end());
}

double slotHz(const ToneTable& table, int toneNumber) {
    return table.freqTable.at(static_cast<std::size_t>(24 + toneNumber));
}

// The chorale "Koral" as its score reads, voices from the top down relative to the root.
struct ScoreChord {
    std::array<int, 4> voices;
    int durationMs;
    const char* notesInC;
};
constexpr std::array<ScoreChord, 7> kChoraleScore = {{
    {{4, 0, -5, -24}, 1000, "E C G C"},
    {{4, -1, -5, -20}, 1000, "E H G E"},
    {{2, -3, -7, -19}, 1000, "D A F F"},
    {{0, -3, -8, -15}, 1000, "C A E A"},
    {{0, -3, -7, -19}, 1000, "C A F F"},
    {{-1, -5, -10, -17}, 1100, "H G D G"},
    {{0, -5, -8, -24}, 2000, "C G E C"},
}};

// A chord found whole, perhaps across breaks where the stream ran dry, which are reported.
std::optional<FoundRun> findRun(const std::vector<std::uint8_t>& recording,
                                const std::vector<std::uint8_t>& samples, std::size_t from) {
    const auto found = findRunAcrossBreaks(recording, samples, from);
    if (found && found->breaks > 0) {
        std::cout << "the stream ran dry " << found->breaks << " time(s) within a chord\n";
    }
    return found;
}

double msOfSamples(std::size_t samples) {
    return 1000.0 * static_cast<double>(samples) / kSampleRate;
}

// Where something sounded, as "start+length" in ms of the recording: the sink's monitor gives
// 128 while nothing plays, and no chord holds that value for 40 samples in a row.
std::string soundsIn(const std::vector<std::uint8_t>& recording) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1);
    for (const auto part : unbrokenParts(recording, 40)) {
        text << (text.tellp() > 0 ? ", " : "")
             << msOfSamples(static_cast<std::size_t>(part.data() - recording.data())) << "+"
             << msOfSamples(part.size());
    }
    return text.tellp() > 0 ? text.str() : "nothing";
}

// Breaks in the sound are the server running dry: reported for the record rather than failed on,
// since a test machine's load is beyond the program's reach.
// A held sound is whole as long as no silence in it lasts this long.
constexpr std::size_t kHeldSoundBreak = kSampleRate / 20;

// The program starts Pythagorean: its c at 261.6 Hz and its e 408 cents above (331.1 Hz, not
// the 329.6 of equal temperament), heard in a stretch of steady sound and reported.
void expectPythagoreanCAndE(std::span<const double> steady, const char* label) {
    const double c = strongestHz(steady, kSampleRate, 255, 268);
    const double e = strongestHz(steady, kSampleRate, 325, 337);
    std::cout << std::fixed << std::setprecision(2) << "[ " << label << " ] heard " << c << " and "
              << e << " Hz\n";
    EXPECT_NEAR(c, 261.6, 0.3);
    EXPECT_NEAR(e, 331.1, 0.4);
}

void reportBreaks(int breaks) {
    std::cout << "[ breaks   ] " << breaks << " in the sound\n";
    testing::Test::RecordProperty("breaks_in_sound", breaks);
}

struct Rgb {
    int r;
    int g;
    int b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}

// The whole screen, its pixels row by row as red, green and blue bytes.
struct Screenshot {
    int width = XvfbDisplay::kScreenWidth;
    int height = XvfbDisplay::kScreenHeight;
    std::vector<std::uint8_t> rgb;

    Rgb at(int x, int y) const {
        const std::size_t i = 3 * (static_cast<std::size_t>(y) * width + x);
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// The fifths arrangement leaves the odd tone numbers in their columns and moves the even ones:
// C G D A E H F# C# G# Eb Bb F C' from left to right.
int fifthsColumn(int toneNumber) {
    return toneNumber % 2 == 1 ? toneNumber : (toneNumber + 5) % 12 + 1;
}

struct RootMark {
    const char* tone;
    int toneNumber;
    Rgb fill;
};
const Rgb kWhite{255, 255, 255};
const std::array<RootMark, 7> kRootMarks = {{
    {"C", 1, kWhite},
    {"G", 8, {255, 0, 0}},
    {"A", 10, {255, 0, 255}},
    {"E", 5, {0, 128, 0}},
    {"H", 12, {128, 0, 128}},
    {"F", 6, {255, 255, 0}},
    {"C'", 13, kWhite},
}};
constexpr int kRootLineY = 272; // the dotted reference line may cross the root marks

// Each test has an X server, a PulseAudio server with a recorder on its sink, and the program
// with its window up; all of them are ended by process id afterwards.
class WindowAndSound : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(kOutputDir);
        if (!display.start(kOutputDir / "xvfb.log", 10s)) {
            GTEST_SKIP() << "Xvfb cannot run here, so the program is not tested end to end: "
                         << display.failure();
        }
        if (!server.start()) {
            GTEST_SKIP() << "PulseAudio cannot run here, so the program is not tested end to end: "
                         << server.failure();
        }
        ASSERT_TRUE(recorder.start()) << "parec does not record the sink's monitor";

        ChildProcess::EnvironmentChanges environment = server.clientEnvironment();
        environment["DISPLAY"] = display.name();
        environment["LC_ALL"] = "C.UTF-8";
        environment["QT_QPA_PLATFORM"] = std::nullopt; // the default, xcb
        environment["WAYLAND_DISPLAY"] = std::nullopt;
        environment["DBUS_SESSION_BUS_ADDRESS"] = std::nullopt;
        // A sanitizer build of the program meets a false report in the X keyboard library;
        // other builds ignore the variable. Later options win over the inherited ones.
        environment.insert(extraEnvironment.begin(), extraEnvironment.end());
        const char* asanOptions = std::getenv("ASAN_OPTIONS");
        environment["ASAN_OPTIONS"] =
            std::string(asanOptions ? asanOptions : "") + ":suppressions=" + kAsanSuppressions;
        std::string error;
        std::vector<std::string> command = {kProgram};
        command.insert(command.end(), extraArguments.begin(), extraArguments.end());
        ASSERT_TRUE(program.start(command, environment, kOutputDir / "klangora.log", error))
            << error;

        const auto found = xdotool({"search", "--sync", "--onlyvisible", "--name", kWindowTitle});
        ASSERT_TRUE(found.has_value()) << "no window of the program appeared" << programLog();
        window = found->substr(0, found->find('\n'));
        ASSERT_FALSE(window.empty());
    }

    void TearDown() override {
        program.end(SIGTERM, 3000ms);
        recorder.stop();
        // Kept for a look when something was not heard: raw unsigned 8-bit mono at 11025 Hz.
        const auto recording = recorder.recording();
        std::ofstream(kOutputDir / "e2e-recording.raw", std::ios::binary)
            .write(reinterpret_cast<const char*>(recording.data()),
                   static_cast<std::streamsize>(recording.size()));
        server.stop();
        display.stop();
    }

    std::optional<std::string> xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return runToEnd(args, {{"DISPLAY", display.name()}}, kOutputDir / "xdotool.out", 20s);
    }

    // A press and release of the left button, the pointer first moved there.
    bool click(Point at) {
        return xdotool({"mousemove", "--window", window, std::to_string(at.x), std::to_string(at.y),
                        "click", "1"})
            .has_value();
    }

    // A and D (c and e) held on the X server's keyboard for two and a half seconds, and what the
    // sink played until shortly after their release.
    std::vector<std::uint8_t> recordHeldCAndE() {
        EXPECT_TRUE(click({60, 20})) << "xdotool cannot click"; // the window takes the keyboard
        EXPECT_TRUE(xdotool({"keydown", "a", "d"}).has_value());
        std::this_thread::sleep_for(2500ms);
        EXPECT_TRUE(xdotool({"keyup", "a", "d"}).has_value());
        std::this_thread::sleep_for(800ms);
        return recorder.recording();
    }

    std::string programLog() const {
        std::ifstream in(kOutputDir / "klangora.log");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str().empty() ? std::string() : "; the program wrote:\n" + text.str();
    }

    // Waits until the program's CPU time (user and system, after the state and ten more fields
    // of its stat) stands still for a third of a second: it has gone idle, as it does once its
    // work in the background, loading and measuring a font, is done.
    bool waitUntilIdle(std::chrono::seconds patience) {
        const auto cpuTicks = [this] {
            std::ifstream in("/proc/" + std::to_string(program.pid()) + "/stat");
            const std::string stat((std::istreambuf_iterator<char>(in)), {});
            long user = 0;
            long system = 0;
            std::sscanf(stat.c_str() + stat.rfind(')') + 1,
                        " %*s%*s%*s%*s%*s%*s%*s%*s%*s%*s%*s%ld%ld", &user, &system);
            return user + system;
        };
        const auto deadline = std::chrono::steady_clock::now() + patience;
        for (long before = -2; std::chrono::steady_clock::now() < deadline;) {
            const long now = cpuTicks();
            if (now - before <= 1) {
                return true;
            }
            before = now;
            std::this_thread::sleep_for(330ms);
        }
        return false;
    }

    // The whole screen through xwd; the PNG is kept beside the test for people to look at.
    std::optional<Screenshot> screenshot(const std::string& name) {
        const auto xwd = kOutputDir / (name + ".xwd");
        const auto png = kOutputDir / (name + ".png");
        const auto rgb = kOutputDir / (name + ".rgb");
        const auto out = kOutputDir / "screenshot.out";
        if (!runToEnd({"xwd", "-root", "-silent", "-out", xwd.string()},
                      {{"DISPLAY", display.name()}}, out, 20s) ||
            !runToEnd({"convert", xwd.string(), png.string()}, {}, out, 20s) ||
            !runToEnd({"convert", png.string(), "-depth", "8", "rgb:" + rgb.string()}, {}, out,
                      20s)) {
            return std::nullopt;
        }
        std::ifstream in(rgb, std::ios::binary);
        Screenshot shot{.rgb = {std::istreambuf_iterator<char>(in), {}}};
        std::filesystem::remove(xwd);
        std::filesystem::remove(rgb);
        const auto size = static_cast<std::size_t>(shot.width) * shot.height * 3;
        return shot.rgb.size() == size ? std::optional(shot) : std::nullopt;
    }

    struct Geometry {
        Point origin;
        int width;
        int height;
    };
    std::optional<Geometry> windowGeometry() {
        const auto text = xdotool({"getwindowgeometry", window});
        Geometry g{};
        const auto position = text ? text->find("Position:") : std::string::npos;
        const auto size = text ? text->find("Geometry:") : std::string::npos;
        if (position == std::string::npos || size == std::string::npos ||
            std::sscanf(text->c_str() + position, "Position: %d,%d", &g.origin.x, &g.origin.y) !=
                2 ||
            std::sscanf(text->c_str() + size, "Geometry: %dx%d", &g.width, &g.height) != 2) {
            return std::nullopt;
        }
        return g;
    }

    // More for the program's environment and command line, set before SetUp starts it.
    ChildProcess::EnvironmentChanges extraEnvironment;
    std::vector<std::string> extraArguments;
    XvfbDisplay display;
    PrivatePulseServer server;
    SinkRecorder recorder{server};
    ChildProcess program;
    std::string window;
};

// Every pixel of a small patch round the centre of the root mark, leaving out the row of the
// reference line, has the mark's fill colour.
void expectRootMark(const Screenshot& shot, Point origin, const RootMark& mark) {
    const int column = fifthsColumn(mark.toneNumber);
    const int left = 40 * column + 90;                 // ellipses are 25 wide
    const int top = mark.toneNumber >= 12 ? 265 : 264; // and 17 high
    for (int y = top + 6; y <= top + 10; ++y) {
        if (y == kRootLineY) {
            continue;
        }
        for (int x = left + 10; x <= left + 14; ++x) {
            const Rgb seen = shot.at(origin.x + x, origin.y + y);
            if (seen != mark.fill) {
                ADD_FAILURE() << "root mark of " << mark.tone << " in column " << column << ": "
                              << seen << " at " << x << "," << y << ", expected " << mark.fill;
                return;
            }
        }
    }
}

} // namespace

TEST_F(WindowAndSound, RenThenTheTriadAndTheChoraleOfCSoundInJustIntonation) {
    // The base octave of just intonation from C = 261 Hz, as the sound buttons fill it.
    const ToneTable just = tunedTo(PresetId::ren);
    const int root = 1; // the key button of C is checked at start
    const std::array<double, 3> pureHz = {slotHz(just, root), slotHz(just, root) * 5 / 4,
                                          slotHz(just, root) * 3 / 2};
    const std::array<double, 3> temperedHz = {slotHz(just, root), slotHz(just, root + 4),
                                              slotHz(just, root + 7)};
    const auto pure = chordSamples(pureHz, 2000);
    const auto tempered = chordSamples(temperedHz, 2000);

    const auto geometry = windowGeometry();
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->origin.x, 118);
    EXPECT_EQ(geometry->origin.y, 115);
    EXPECT_EQ(geometry->width, 894);
    EXPECT_EQ(geometry->height, 541);

    ASSERT_TRUE(click(kRenButton)) << "xdotool cannot click";
    ASSERT_TRUE(click(kTriadButton)) << "xdotool cannot click";
    // Step 1 comes half a second after the click, then 2 s of pure triad, two steps of half a
    // second and 2 s of tempered triad.
    const bool heard = recorder.waitForRun(tempered, 20s);
    const auto afterTriads = recorder.recording();
    const auto pureRun = findRun(afterTriads, pure, 0);
    ASSERT_TRUE(pureRun.has_value())
        << "the pure triad 261, 326.25, 391.5 Hz was not heard; heard: " << soundsIn(afterTriads)
        << programLog();
    if (!heard) {
        // The program opens in Pythagorean tuning, which would still hold had "Ren" been lost.
        const ToneTable pythagorean = tunedTo(PresetId::pyt);
        const std::array<double, 3> pythagoreanHz = {slotHz(pythagorean, root),
                                                     slotHz(pythagorean, root + 4),
                                                     slotHz(pythagorean, root + 7)};
        const bool stayedPythagorean =
            findRun(afterTriads, chordSamples(pythagoreanHz, 2000), pureRun->end).has_value();
        FAIL() << "the just triad 261, 326, 391 Hz was not heard after the pure one"
               << (stayedPythagorean ? "; the Pythagorean one was: \"Ren\" did not take effect"
                                     : "")
               << "; heard: " << soundsIn(afterTriads) << programLog();
    }
    const auto temperedRun = findRun(afterTriads, tempered, pureRun->end);
    ASSERT_TRUE(temperedRun.has_value()) << "the just triad sounded only before the pure one";
    std::cout << std::fixed << std::setprecision(1) << "[ triads   ] pure triad at "
              << msOfSamples(pureRun->start) << " ms of the recording, tempered triad "
              << msOfSamples(temperedRun->start - pureRun->end) << " ms after it\n";

    // The window is laid out in the order of fifths by now (50 ms after start).
    const auto shot = screenshot("e2e-window");
    ASSERT_TRUE(shot.has_value()) << "no screenshot through xwd and convert";
    ASSERT_GE(shot->width, geometry->origin.x + geometry->width);
    ASSERT_GE(shot->height, geometry->origin.y + geometry->height);
    for (const RootMark& mark : kRootMarks) {
        expectRootMark(*shot, geometry->origin, mark);
    }

    // Step 5 ends the comparison half a second after the tempered triad.
    std::this_thread::sleep_for(700ms);
    std::vector<std::vector<std::uint8_t>> chorale;
    for (const ScoreChord& chord : kChoraleScore) {
        std::array<double, 4> hz{};
        for (std::size_t v = 0; v < hz.size(); ++v) {
            hz[v] = slotHz(just, root + chord.voices[v]);
        }
        chorale.push_back(chordSamples(hz, chord.durationMs));
    }
    ASSERT_TRUE(click(kChoraleButton)) << "xdotool cannot click";
    const bool lastHeard = recorder.waitForRun(chorale.back(), 30s);
    const auto recording = recorder.recording();

    std::size_t from = temperedRun->end;
    std::vector<FoundRun> runs;
    for (std::size_t n = 0; n < chorale.size(); ++n) {
        const auto run = findRun(recording, chorale[n], from);
        ASSERT_TRUE(run.has_value()) << "chorale chord " << n + 1 << " ("
                                     << kChoraleScore[n].notesInC << ") was not heard after chord "
                                     << n << (lastHeard ? "" : "; the last chord never came")
                                     << "; heard: " << soundsIn(recording) << programLog();
        runs.push_back(*run);
        from = run->end;
    }
    std::ostringstream gaps;
    gaps << std::fixed << std::setprecision(1);
    double longest = 0;
    for (std::size_t n = 1; n < runs.size(); ++n) {
        const double ms = msOfSamples(runs[n].start - runs[n - 1].end);
        longest = std::max(longest, ms);
        gaps << (n > 1 ? " " : "") << ms;
    }
    std::cout << "[ chorale  ] silence between the chords (ms): " << gaps.str() << "; longest "
              << std::fixed << std::setprecision(1) << longest << "\n";
    RecordProperty("chorale_gaps_ms", gaps.str());

    EXPECT_TRUE(program.running()) << "the program ended by itself" << programLog();
}

// Keys held on the X server's keyboard play the live instrument in the tuning the window shows:
// the program starts Pythagorean, so A and D sound c at 261.6 Hz and the Pythagorean e, 408
// cents above it (331.1 Hz, not the 329.6 of equal temperament).
TEST_F(WindowAndSound, HeldKeysSoundTheirTonesInTheCurrentTuning) {
    const auto recording = recordHeldCAndE();
    const auto held = soundingPart(recording, kHeldSoundBreak);
    ASSERT_GT(held.size(), static_cast<std::size_t>(kSampleRate) * 2)
        << "keys held for 2.5 s were heard for less than two seconds; heard: "
        << soundsIn(recording) << programLog();
    reportBreaks(breaksIn(held));
    // The pitch is read where the sound ran without a break, which a machine too busy for the
    // server may cut into.
    const auto sounding = soundingPart(held);
    ASSERT_GT(sounding.size(), static_cast<std::size_t>(kSampleRate) / 2)
        << "no half second of the held keys without a break; heard: " << soundsIn(recording);
    // Up to a second and a half from the middle of that part, where both tones are steady.
    const std::size_t length =
        std::min<std::size_t>(sounding.size() - kSampleRate / 4, kSampleRate * 3 / 2);
    const auto steady = centredSamples(sounding.subspan((sounding.size() - length) / 2, length));
    expectPythagoreanCAndE(steady, "live    ");
}

// The same keys with the harpsichord chosen on the command line: FluidSynth's tones, tuned key by
// key, sound the Pythagorean c and e too (the font is loaded in the background while the test
// waits; a harpsichord fades, so the steady part is its first second and a half).
class WindowAndHarpsichord : public WindowAndSound {
protected:
    WindowAndHarpsichord() { extraArguments = {"--sound", "harpsichord"}; }
};

TEST_F(WindowAndHarpsichord, HeldKeysSoundTheirTonesInTheCurrentTuning) {
    ASSERT_TRUE(waitUntilIdle(30s)) << "the font's loading and measuring never ended";
    // The keys struck to measure the font stay inside the loading: nothing sounds before a key.
    const auto beforeKeys = recorder.recording();
    EXPECT_TRUE(std::all_of(beforeKeys.begin(), beforeKeys.end(),
                            [](std::uint8_t sample) { return sample == 128; }))
        << "heard before any key: " << soundsIn(beforeKeys);
    const auto recording = recordHeldCAndE();
    const auto sounding = soundingPart(recording, kHeldSoundBreak);
    ASSERT_GT(sounding.size(), static_cast<std::size_t>(kSampleRate) * 7 / 4)
        << "the harpsichord held for 2.5 s was heard for less than 1.75 s; heard: "
        << soundsIn(recording) << programLog();
    // The pitch from up to a second after the pluck, as far as the sound ran unbroken (the
    // fading tail reads as silence now and then in eight bits, so breaks are not counted).
    const auto unbroken = soundingPart(sounding.first(kSampleRate * 11 / 10));
    ASSERT_GT(unbroken.size(), static_cast<std::size_t>(kSampleRate) / 2)
        << "the harpsichord's first second ran into breaks; heard: " << soundsIn(recording);
    const auto steady = centredSamples(unbroken.subspan(kSampleRate / 10));
    expectPythagoreanCAndE(steady, "harpsich");
    // A plucked string fades while the key is held, where the own tone stays level: what was
    // heard was the harpsichord.
    const auto level = [&](std::size_t from) {
        double sum = 0;
        for (double sample : centredSamples(sounding.subspan(from, kSampleRate / 4))) {
            sum += sample * sample;
        }
        return std::sqrt(sum / (kSampleRate / 4));
    };
    std::cout << "[ harpsich ] level " << level(kSampleRate / 10) << " then "
              << level(kSampleRate * 3 / 2) << " over " << sounding.size() << " samples\n";
    EXPECT_GT(level(kSampleRate / 10), 2 * level(kSampleRate * 3 / 2));
}

// The "Øvelser" window of the real program, opened with Ctrl+E: Enter starts "Ren eller
// tempereret?", whose first question holds an interval for two seconds, half a second of rest,
// and the same interval again, one of the two pure and the other 16 cents off. The program starts
// Pythagorean, so the root is one of its twelve tones above c = 261.6 Hz.
TEST_F(WindowAndSound, FirstPureOrTemperedQuestionSoundsAPureAndATemperedInterval) {
    ASSERT_TRUE(click({60, 20})) << "xdotool cannot click";
    // Without a window manager the click alone may leave the keyboard elsewhere.
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", window}).has_value());
    ASSERT_TRUE(xdotool({"key", "--clearmodifiers", "ctrl+e"}).has_value());
    const auto found = xdotool({"search", "--sync", "--onlyvisible", "--name", "^Øvelser$"});
    ASSERT_TRUE(found.has_value()) << "no Øvelser window appeared" << programLog();
    const std::string exercises = found->substr(0, found->find('\n'));
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", exercises}).has_value());
    ASSERT_TRUE(xdotool({"key", "--window", exercises, "Return"}).has_value());
    // Both intervals, two seconds each with half a second between, recorded from the first
    // sound on; a busy machine may take its time to start them.
    std::vector<std::uint8_t> recording;
    std::size_t start = 0;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    do {
        std::this_thread::sleep_for(100ms);
        recording = recorder.recording();
        const auto first =
            std::ranges::find_if(recording, [](auto sample) { return sample != 128; });
        start = static_cast<std::size_t>(first - recording.begin());
    } while (recording.size() < start + kSampleRate * 9 / 2 &&
             std::chrono::steady_clock::now() < deadline);
    ASSERT_LT(start, recording.size()) << "nothing was heard" << programLog();
    ASSERT_GE(recording.size(), start + kSampleRate * 4) << "heard: " << soundsIn(recording);

    // The tones c..h of the Pythagorean temperament the program starts in, above 261.6 Hz.
    std::array<double, 12> pythagorean = Tuning::preset(PresetId::pyt).centsAboveC();
    for (double& tone : pythagorean) {
        tone = 261.6 * std::exp2(tone / 1200.0);
    }
    struct Heard {
        double rootHz;
        double upperHz;
    };
    // A second from the middle of each held interval: the root is the tone of the tuning whose
    // interval above it sounds strongest with it.
    const auto listen = [&](std::size_t from) {
        const auto unbroken = soundingPart(std::span(recording).subspan(from, kSampleRate * 3 / 2));
        EXPECT_GT(unbroken.size(), static_cast<std::size_t>(kSampleRate) / 2)
            << "the interval at " << msOfSamples(from) << " ms ran into breaks";
        const auto samples = centredSamples(unbroken.first(
            std::min<std::size_t>(unbroken.size(), static_cast<std::size_t>(kSampleRate))));
        Heard best{};
        double strongest = 0;
        for (const double root : pythagorean) {
            for (const double ratio : {1.25, 1.5}) {
                const double upper =
                    strongestHz(samples, kSampleRate, ratio * root * 0.985, ratio * root * 1.015);
                const double both = std::min(magnitudeAt(samples, kSampleRate, root),
                                             magnitudeAt(samples, kSampleRate, upper));
                if (both > strongest) {
                    strongest = both;
                    best = {strongestHz(samples, kSampleRate, root - 2, root + 2), upper};
                }
            }
        }
        return best;
    };
    // Each interval is held two seconds; the half second of rest between them is no break.
    const auto interval = [&](std::size_t from) {
        return std::span(recording).subspan(start + from, kSampleRate * 2);
    };
    reportBreaks(breaksIn(interval(0)) + breaksIn(interval(kSampleRate * 5 / 2)));
    const Heard one = listen(start + kSampleRate / 4);
    const Heard two = listen(start + kSampleRate * 11 / 4);
    const auto cents = [](const Heard& heard) {
        return 1200.0 * std::log2(heard.upperHz / heard.rootHz);
    };
    std::cout << std::fixed << std::setprecision(2) << "[ exercise ] heard " << one.rootHz << "+"
              << one.upperHz << " and " << two.rootHz << "+" << two.upperHz << " Hz\n";
    EXPECT_NEAR(one.rootHz, two.rootHz, 0.3);
    const bool third = std::fabs(cents(one) - 386.3) < 30;
    const double pure = third ? 386.314 : 701.955;
    const double offOne = cents(one) - pure;
    const double offTwo = cents(two) - pure;
    // One pure, the other 16 cents wide or narrow. A second of a stream recorded on a busy
    // machine reads a pure fifth up to about two cents off, still far from the tempered one.
    const double pureOff = std::min(std::fabs(offOne), std::fabs(offTwo));
    const double temperedOff = std::max(std::fabs(offOne), std::fabs(offTwo));
    EXPECT_LT(pureOff, 3.0);
    EXPECT_NEAR(temperedOff, 16.0, 3.0);
    EXPECT_TRUE(program.running()) << "the program ended by itself" << programLog();
}

// A MIDI keyboard through JACK: a JACK server of the test's own with the dummy driver, under a
// private name, and jack_midiseq holding notes 60 and 64 into klangora:midi_in. The program
// starts Pythagorean, so c sounds at 261.6 Hz and e at 331.1 Hz.
class MidiThroughJack : public WindowAndSound {
protected:
    void SetUp() override {
        // One name for every run, so that a server a test killed gives its slot in JACK's small
        // registry of servers to the next one (the tests hold a lock: one runs at a time).
        jackName = "klangora-test-" + std::to_string(getuid());
        jackEnvironment = {{"JACK_DEFAULT_SERVER", jackName},
                           {"JACK_NO_AUDIO_RESERVATION", "1"},
                           {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}};
        std::string error;
        if (!jackd.start({"jackd", "-n", jackName, "-r", "-d", "dummy", "-r", "48000", "-p", "256"},
                         jackEnvironment, kOutputDir / "jackd.log", error) ||
            !waitForPort("system:playback_1")) {
            GTEST_SKIP() << "a JACK server cannot run here: " << error;
        }
        extraEnvironment = {{"JACK_DEFAULT_SERVER", jackName}};
        // The MIDI comes through JACK; the sound goes where the test says (the recording of the
        // PulseAudio sink, unless told otherwise).
        extraArguments = {"--audio", soundOnJack ? "jack" : "pulse"};
        WindowAndSound::SetUp();
    }

    void TearDown() override {
        sequencer.end(SIGTERM, 2000ms);
        WindowAndSound::TearDown();
        jackd.end(SIGTERM, 3000ms);
    }

    bool waitForPort(const std::string& port) {
        for (int attempt = 0; attempt < 50; ++attempt) {
            const auto ports =
                runToEnd({"jack_lsp"}, jackEnvironment, kOutputDir / "jack_lsp.out", 5s);
            if (ports && ports->find(port) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(200ms);
        }
        return false;
    }

    std::string jackName;
    ChildProcess::EnvironmentChanges jackEnvironment;
    ChildProcess jackd;
    ChildProcess sequencer;
    bool soundOnJack = false;
};

// The sound on JACK itself: recorded from klangora:out_1 by a client of the test's own.
class SoundOnJack : public MidiThroughJack {
protected:
    void SetUp() override {
        soundOnJack = true;
        MidiThroughJack::SetUp();
    }

    // The strongest frequency in the quarter second recorded before now, within lowHz..highHz.
    double strongestRecentlyHz(ProbeClient& recorder, double lowHz, double highHz) {
        const std::size_t end = recorder.recorded;
        const std::size_t length = 48000 / 4;
        if (end < length) {
            return 0;
        }
        const std::vector<double> recent(recorder.recording.begin() + std::ptrdiff_t(end - length),
                                         recorder.recording.begin() + std::ptrdiff_t(end));
        return strongestHz(recent, 48000, lowHz, highHz);
    }
};

TEST_F(MidiThroughJack, NotesFromJackSoundInTheCurrentTuning) {
    ASSERT_TRUE(waitForPort("klangora:midi_in"))
        << "the program offers no JACK MIDI port" << programLog();
    std::string error;
    // A two-second loop in which both notes sound for 1.9 s.
    ASSERT_TRUE(
        sequencer.start({"jack_midiseq", "seq", "96000", "0", "60", "91200", "0", "64", "91200"},
                        jackEnvironment, kOutputDir / "jack_midiseq.log", error))
        << error;
    ASSERT_TRUE(waitForPort("seq:out"));
    ASSERT_TRUE(runToEnd({"jack_connect", "seq:out", "klangora:midi_in"}, jackEnvironment,
                         kOutputDir / "jack_connect.out", 5s)
                    .has_value());
    std::this_thread::sleep_for(4500ms);
    sequencer.end(SIGTERM, 2000ms);

    // The loop plays both notes for 1.9 s of every 2; the longest unbroken stretch is one.
    const auto recording = recorder.recording();
    const auto sounding = soundingPart(recording);
    ASSERT_GT(sounding.size(), static_cast<std::size_t>(kSampleRate) * 3 / 4)
        << "the notes were not heard for three quarters of a second unbroken; heard: "
        << soundsIn(recording) << programLog();
    const std::size_t length =
        std::min<std::size_t>(sounding.size() - kSampleRate / 10, kSampleRate * 3 / 2);
    const auto steady = centredSamples(sounding.subspan((sounding.size() - length) / 2, length));
    expectPythagoreanCAndE(steady, "jack    ");
}

namespace {

// Whether a stretch of the recording is silence (the null sink's midpoint, give or take the
// last bit).
bool silentFrom(const std::vector<std::uint8_t>& recording, std::size_t from) {
    return from < recording.size() &&
           std::all_of(recording.begin() + static_cast<std::ptrdiff_t>(from), recording.end(),
                       [](std::uint8_t sample) { return sample >= 127 && sample <= 129; });
}

// Waits until the last half second recorded is a tone at this frequency.
bool waitForTone(const SinkRecorder& recorder, double hz, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(200ms);
        const auto recording = recorder.recording();
        const std::size_t half = kSampleRate / 2;
        if (recording.size() < half || silentFrom(recording, recording.size() - half)) {
            continue;
        }
        const auto tail = centredSamples(std::span(recording).last(half));
        if (std::abs(strongestHz(tail, kSampleRate, hz - 5, hz + 5, 0.1) - hz) < 0.5 &&
            magnitudeAt(tail, kSampleRate, hz) > 10 * magnitudeAt(tail, kSampleRate, hz * 1.1)) {
            return true;
        }
    }
    return false;
}

} // namespace

// A sender killed outright while its note sounds (no note-off ever comes): the program lets go
// of the note when the connection vanishes, and the recording ends in silence.
TEST_F(MidiThroughJack, AKilledSenderLeavesSilence) {
    ASSERT_TRUE(waitForPort("klangora:midi_in")) << programLog();
    std::string error;
    ASSERT_TRUE(sequencer.start({KLANGORA_JACK_MIDI_SENDER, "90 3C 64"}, jackEnvironment,
                                kOutputDir / "jack_midi_sender.log", error))
        << error;
    ASSERT_TRUE(waitForTone(recorder, 261.6, 10s))
        << "the note was not heard; heard: " << soundsIn(recorder.recording()) << programLog();
    sequencer.end(SIGKILL, 2000ms);
    const std::size_t killedAt = recorder.recording().size();
    std::this_thread::sleep_for(1500ms);
    const auto recording = recorder.recording();
    // Half a second for the news to travel and the tone to fade through the server's buffers.
    EXPECT_TRUE(silentFrom(recording, killedAt + kSampleRate / 2))
        << "still sounding after the sender died: " << soundsIn(recording) << programLog();
}

// With --audio jack, the program's ports are connected to the playback ports at the start, and
// the triad button's pure triad of C sounds on them.
TEST_F(SoundOnJack, TheTriadButtonSoundsOnTheJackPorts) {
    ASSERT_TRUE(waitForPort("klangora:out_1")) << programLog();
    const auto connections =
        runToEnd({"jack_lsp", "-c", "klangora:out_1"}, jackEnvironment, kOutputDir / "lsp.out", 5s);
    EXPECT_NE(connections.value_or("").find("system:playback_1"), std::string::npos);
    const ScopedEnvironment server("JACK_DEFAULT_SERVER", jackName);
    ProbeClient recorder("recorder", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    ASSERT_NE(recorder.client, nullptr);
    recorder.recording.assign(48000 * 20, 0.0f);
    ASSERT_EQ(jack_activate(recorder.client), 0);
    ASSERT_EQ(jack_connect(recorder.client, "klangora:out_1", "recorder:port"), 0);
    recorder.start = jack_frame_time(recorder.client);
    recorder.armed = true;
    ASSERT_TRUE(click(kTriadButton)) << "xdotool cannot click";
    const auto heard = [&](double hz) {
        for (int look = 0; look < 50; ++look, std::this_thread::sleep_for(200ms)) {
            if (std::abs(strongestRecentlyHz(recorder, hz - 5, hz + 5) - hz) < 0.3) {
                return true;
            }
        }
        return false;
    };
    // The pure triad of C from the base octave's 261 Hz: its fifth, then its third.
    EXPECT_TRUE(heard(391.5)) << "the triad was not heard on klangora:out_1" << programLog();
    EXPECT_NEAR(strongestRecentlyHz(recorder, 320, 332), 326.25, 0.5);
}

// Twenty notes sent into the real program's klangora:midi_in at chosen frames each start at their
// own frame on klangora:out_1, and note 60 sounds the fixed c.
TEST_F(SoundOnJack, NotesStartAtTheirOwnFrames) {
    ASSERT_TRUE(waitForPort("klangora:midi_in")) << programLog();
    const ScopedEnvironment server("JACK_DEFAULT_SERVER", jackName);
    ProbeClient sender("sender", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
    ProbeClient recorder("recorder", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    constexpr int kSpacing = 14400; // 300 ms from note to note, each held 100 ms
    planNotes(sender, 20, 256, kSpacing, 4800);
    ASSERT_TRUE(playAndRecord(sender, recorder, std::size_t(22) * kSpacing)) << programLog();
    const std::vector<double> delaysMs = onsetDelaysMs(sender, recorder.recording, 256, 48000);
    ASSERT_EQ(delaysMs.size(), 20U) << "a note never sounded" << programLog();
    const OnsetSpread onsets = spreadOf(delaysMs);
    EXPECT_GE(onsets.earliest, 0.0) << "a note sounded before its event";
    EXPECT_LE(onsets.median, 1.0);
    EXPECT_LE(onsets.spread, 0.5);
    const auto c = recorder.recording.begin() + sender.plan[0].frame;
    EXPECT_NEAR(strongestHz(std::vector<double>(c + 480, c + 4320), 48000, 240, 285), 261.63, 0.5);
}

// The JACK server killed under the program: the sound moves to PulseAudio, where a key held is
// heard, and the program goes on.
TEST_F(SoundOnJack, AServerGoneMovesTheSoundToPulseAudio) {
    ASSERT_TRUE(waitForPort("klangora:out_1")) << programLog();
    jackd.end(SIGKILL, 2000ms);
    ASSERT_TRUE(click({60, 20})) << "xdotool cannot click"; // the window takes the keyboard
    ASSERT_TRUE(xdotool({"keydown", "a"}).has_value());
    EXPECT_TRUE(waitForTone(recorder, 261.6, 10s))
        << "c was not heard on PulseAudio; heard: " << soundsIn(recorder.recording())
        << programLog();
    EXPECT_TRUE(xdotool({"keyup", "a"}).has_value());
    EXPECT_TRUE(program.running()) << "the program ended by itself" << programLog();
}

// The program playing a MIDI file from its command line, `--play FILE.mid --tuning praet`: c for
// a second and a half, then e as long (120 a minute, three quarters each), found at their
// meantone pitches. The pitches are judged only where the sound ran without a break.
class WindowPlayingMusic : public WindowAndSound {
protected:
    WindowPlayingMusic() {
        std::filesystem::create_directories(kOutputDir);
        MidiTrackWriter track;
        track.noteOn(0, 0, 60);
        track.noteOff(3 * 480, 0, 60);
        track.noteOn(3 * 480, 0, 64);
        track.noteOff(6 * 480, 0, 64);
        const auto bytes = writeMidiFile({0, 480}, {track});
        std::ofstream(kOutputDir / "c-e.mid", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        extraArguments = {"--play", (kOutputDir / "c-e.mid").string(), "--tuning", "praet"};
        extraEnvironment = {{"XDG_CONFIG_HOME", (kOutputDir / "music-config").string()}};
    }
};

namespace {

// Heard to its end: three seconds from the first sound to the last (more where the server broke
// off), and half a second of silence after.
bool heardToTheEnd(const std::vector<std::uint8_t>& recording) {
    const auto sounds = [](std::uint8_t sample) { return sample != 128; };
    const auto first = std::find_if(recording.begin(), recording.end(), sounds);
    const auto last = std::find_if(recording.rbegin(), recording.rend(), sounds).base();
    return first < last && last - first >= kSampleRate * 29 / 10 &&
           recording.end() - last >= kSampleRate / 2;
}

// The median pitch of the half-second windows that lie wholly inside a stretch of unbroken sound
// (a window across a break would hear the join), for the windows heard on either side of
// splitHz: the few that straddle the change of note fall to either side of the middle.
std::pair<double, double> unbrokenPitches(std::span<const std::uint8_t> recording, double splitHz) {
    std::vector<double> below;
    std::vector<double> above;
    constexpr std::size_t kWindow = kSampleRate / 2;
    for (const auto part : unbrokenParts(recording)) {
        for (std::size_t at = 0; at + kWindow <= part.size(); at += kWindow / 4) {
            const auto window = centredSamples(part.subspan(at, kWindow));
            // Found on a coarse grid first, then refined around it.
            const double near = strongestHz(window, kSampleRate, 250, 340, 0.5);
            const double hz = strongestHz(window, kSampleRate, near - 0.5, near + 0.5);
            (hz < splitHz ? below : above).push_back(hz);
        }
    }
    const auto median = [](std::vector<double>& values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    };
    return {median(below), median(above)};
}

} // namespace

TEST_F(WindowPlayingMusic, PlayStartsThePieceInTheNamedTuning) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!heardToTheEnd(recorder.recording()) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(100ms);
    }
    const auto recording = recorder.recording();
    ASSERT_TRUE(heardToTheEnd(recording))
        << "the piece was not heard to its end; heard: " << soundsIn(recording) << programLog();
    reportBreaks(breaksIn(recording));
    const auto [c, e] = unbrokenPitches(recording, 294);
    std::cout << std::fixed << std::setprecision(2) << "[ music    ] heard " << c << " and " << e
              << " Hz\n";
    EXPECT_NEAR(c, 261.6, 0.3);
    EXPECT_NEAR(e, 261.6 * 1.25, 0.4); // meantone's pure major third
}
