// Pieces rendered through the live voices and listened to: notes begin at the samples the file
// puts them on (across a tempo change), a retuning moves the sounding notes, and a saved WAV
// holds the tuned pitches; a cancelled save leaves nothing behind.
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "core/music/tuning_name.h"
#include "sound/music/piece_renderer.h"
#include "sound/music/piece_wav_file.h"
#include "sound/music/render_command.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace klangora;
using klangora::test_support::strongestHz;

namespace {

constexpr int kRate = kRenderSampleRate;

Tuning tuning(const char* name) {
    return std::get<NamedTuning>(resolveTuningName(name)).tuning;
}

std::vector<float> renderAll(PieceRenderer& renderer) {
    std::vector<float> samples(static_cast<std::size_t>(renderer.totalFrames()));
    renderer.render(samples);
    return samples;
}

std::vector<double> part(const std::vector<float>& samples, double fromSeconds, double seconds) {
    const auto from = static_cast<std::size_t>(fromSeconds * kRate);
    return {samples.begin() + static_cast<std::ptrdiff_t>(from),
            samples.begin() + static_cast<std::ptrdiff_t>(from + seconds * kRate)};
}

// The first sample after `from` whose magnitude leaves silence.
std::int64_t firstSoundAfter(const std::vector<float>& samples, std::int64_t from) {
    for (auto i = static_cast<std::size_t>(from); i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > 1e-6f) {
            return static_cast<std::int64_t>(i);
        }
    }
    return -1;
}

TEST(PieceRender, NotesStartAtTheirSamplesAcrossATempoChange) {
    MidiTrackWriter track;
    track.tempoBpm(0, 120);
    track.noteOn(0, 0, 60);
    track.noteOff(240, 0, 60);      // a quarter second
    track.tempoBpm(480, 60);        // from half a second on, a second a quarter
    track.noteOn(480 + 240, 0, 67); // at 1.0 s
    track.noteOff(480 + 360, 0, 67);
    track.noteOn(960 + 120, 0, 64); // at 1.5 + 0.25 = 1.75 s
    track.noteOff(960 + 240, 0, 64);
    const Piece piece = std::get<Piece>(readMidiFile(writeMidiFile({0, 480}, {track})));
    PieceRenderer renderer(piece, tuning("lige"));
    const auto samples = renderAll(renderer);
    // A tone released fades in 80 ms; each onset is searched after the one before has ended.
    EXPECT_EQ(firstSoundAfter(samples, 0), 0);
    EXPECT_EQ(firstSoundAfter(samples, kRate / 2), kRate);
    EXPECT_EQ(firstSoundAfter(samples, kRate * 3 / 2), kRate * 7 / 4);
    EXPECT_NEAR(strongestHz(part(samples, 1.85, 0.12), kRate, 300, 360),
                261.6 * std::pow(2, 4.0 / 12), 1.0);
}

TEST(PieceRender, ARetuningMovesTheSoundingNoteAndTheComingOnesStartInIt) {
    MidiTrackWriter track;
    track.noteOn(0, 0, 64);
    track.noteOff(1920, 0, 64); // two seconds of e
    track.noteOn(1920, 0, 64);
    track.noteOff(2400, 0, 64);
    const Piece piece = std::get<Piece>(readMidiFile(writeMidiFile({0, 480}, {track})));
    PieceRenderer renderer(piece, tuning("pyt"));
    std::vector<float> before(kRate);
    renderer.render(before);
    renderer.retune(tuning("praet"));
    std::vector<float> after(static_cast<std::size_t>(renderer.totalFrames() - kRate));
    renderer.render(after);
    const double pythagoreanE = 261.6 * std::exp2(408.0 / 1200);
    const double meantoneE = 261.6 * 1.25;
    auto hz = [](const std::vector<float>& s, double from) {
        const auto start = static_cast<std::ptrdiff_t>(from * kRate);
        return strongestHz(std::vector<double>(s.begin() + start, s.begin() + start + kRate / 4),
                           kRate, 320, 335);
    };
    EXPECT_NEAR(hz(before, 0.5), pythagoreanE, 0.3);
    EXPECT_NEAR(hz(after, 0.2), meantoneE, 0.3);  // the sounding e, glided
    EXPECT_NEAR(hz(after, 1.05), meantoneE, 0.3); // the e struck after
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Piece thirdCE() {
    MidiTrackWriter track;
    track.noteOn(0, 0, 60);
    track.noteOff(960, 0, 60);
    track.noteOn(960, 0, 64);
    track.noteOff(1920, 0, 64);
    return std::get<Piece>(readMidiFile(writeMidiFile({0, 480}, {track})));
}

class SavedSound : public ::testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("klangora-save-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator()));
    }
};

TEST_F(SavedSound, HoldsTheTunedPitchesAsSixteenBitsAt48Kilohertz) {
    const auto path = folder / "terts.wav";
    const SaveResult result = savePieceAsWav(thirdCE(), tuning("pyt"), path);
    ASSERT_EQ(result.outcome, SaveOutcome::saved) << result.reason;
    const auto bytes = fileBytes(path);
    ASSERT_GT(bytes.size(), 44u);
    auto le = [&](std::size_t at, int count) {
        std::uint32_t v = 0;
        for (int i = count - 1; i >= 0; --i) {
            v = (v << 8) | bytes[at + static_cast<std::size_t>(i)];
        }
        return v;
    };
    EXPECT_EQ(le(24, 4), 48000u);
    EXPECT_EQ(le(34, 2), 16u);
    EXPECT_EQ(le(40, 4), bytes.size() - 44);
    std::vector<double> samples;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(le(at, 2)) / 32768.0);
    }
    const std::vector<double> c(samples.begin() + kRate / 4, samples.begin() + kRate * 3 / 4);
    const std::vector<double> e(samples.begin() + kRate * 5 / 4, samples.begin() + kRate * 7 / 4);
    EXPECT_NEAR(strongestHz(c, kRate, 250, 270), 261.6, 0.2);
    EXPECT_NEAR(strongestHz(e, kRate, 320, 340), 261.6 * std::exp2(408.0 / 1200), 0.2);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SavedSound, ACancelLeavesNoFileAndAnExistingOneUntouched) {
    const auto path = folder / "terts.wav";
    std::ofstream(path) << "earlier";
    int calls = 0;
    const SaveResult result =
        savePieceAsWav(thirdCE(), tuning("pyt"), path, [&](double) { return ++calls < 2; });
    EXPECT_EQ(result.outcome, SaveOutcome::cancelled);
    const auto bytes = fileBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "earlier");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SavedSound, AFolderThatDoesNotExistFailsWithAReasonAndNoFile) {
    const SaveResult result =
        savePieceAsWav(thirdCE(), tuning("pyt"), folder / "mangler" / "terts.wav");
    EXPECT_EQ(result.outcome, SaveOutcome::failed);
    EXPECT_NE(result.reason.find("terts.wav"), std::string::npos);
    EXPECT_EQ(filesInFolder(), 0u);
}

} // namespace

namespace {

TEST_F(SavedSound, TheRenderCommandWritesTheFileOrSaysWhyAndWritesNothing) {
    const auto midi = folder / "terts.mid";
    MidiTrackWriter track;
    track.noteOn(0, 0, 64);
    track.noteOff(480, 0, 64);
    const auto bytes = writeMidiFile({0, 480}, {track});
    std::ofstream(midi, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const struct {
        std::string midi, tuning, output;
        int status;
        std::string said;
    } rows[] = {
        {midi.string(), "", (folder / "a.wav").string(), 0, ""},
        {midi.string(), "werck3", (folder / "b.wav").string(), 0, ""},
        {midi.string(), "fnord", (folder / "c.wav").string(), 1, "Ukendt stemning »fnord«"},
        {(folder / "x.mid").string(), "", (folder / "d.wav").string(), 1, "kan ikke spilles"},
        {midi.string(), "", "", 1, "-o"},
    };
    for (const auto& row : rows) {
        std::ostringstream errors;
        EXPECT_EQ(runRenderCommand({row.midi, row.tuning, row.output}, errors), row.status);
        EXPECT_NE(errors.str().find(row.said), std::string::npos) << errors.str();
        if (!row.output.empty()) {
            EXPECT_EQ(std::filesystem::exists(row.output), row.status == 0) << row.output;
        }
    }
}

} // namespace
