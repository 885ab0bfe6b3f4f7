// `--render` with a sound: the WAV written holds the tuned pitches in FluidSynth's instrument
// (the sine font's pure tone, without the own tone's partials), and a font that cannot serve
// says so once and leaves the piece in the own tone.
#include "core/music/midi_file_writer.h"
#include "sound/fluid/sound_render_command.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace klangora;
using klangora::test_support::magnitudeAt;
using klangora::test_support::strongestHz;

namespace {

constexpr int kRate = 48000;
constexpr std::size_t kHeaderBytes = 44;
const std::filesystem::path kSineFont = KLANGORA_SINE_FONT;

// The 16-bit samples of a WAV file the render command wrote, as -1..1.
std::vector<double> wavSamples(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<double> samples;
    for (std::size_t at = kHeaderBytes; at + 1 < bytes.size(); at += 2) {
        const auto value = static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
        samples.push_back(value / 32768.0);
    }
    return samples;
}

struct RenderRow {
    const char* name;
    InstrumentSound sound;
    const char* font; // the font named for the run
    bool pureTone;    // FluidSynth's sine, not the own tone's partials
    bool message;
};

class SoundRender : public ::testing::TestWithParam<RenderRow> {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("klangora-sound-render-" +
         std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + GetParam().name);
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // c and e together for two seconds.
    std::string writeThird() {
        MidiTrackWriter track;
        track.noteOn(0, 0, 60);
        track.noteOn(0, 0, 64);
        track.noteOff(1920, 0, 60);
        track.noteOff(1920, 0, 64);
        const auto bytes = writeMidiFile({0, 480}, {track});
        const auto path = folder / "terts.mid";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
};

} // namespace

TEST_P(SoundRender, TheTunedThirdSoundsInTheChosenSound) {
    const RenderRow row = GetParam();
    const auto out = folder / "terts.wav";
    std::ostringstream errors;
    const std::optional<std::filesystem::path> font =
        std::string(row.font).empty() ? std::nullopt
                                      : std::optional<std::filesystem::path>(row.font);
    ASSERT_EQ(runSoundRenderCommand({writeThird(), "pyt", out.string()}, row.sound, font, errors),
              0)
        << errors.str();
    EXPECT_EQ(!errors.str().empty(), row.message) << errors.str();
    const auto samples = wavSamples(out);
    ASSERT_GT(samples.size(), static_cast<std::size_t>(2 * kRate));
    const std::vector<double> held(samples.begin() + kRate / 2, samples.begin() + kRate * 3 / 2);
    EXPECT_NEAR(strongestHz(held, kRate, 250, 275), 261.60, 0.1);
    EXPECT_NEAR(strongestHz(held, kRate, 320, 340), 331.12, 0.1);
    const double octaveShare = magnitudeAt(held, kRate, 523.2) / magnitudeAt(held, kRate, 261.6);
    if (row.pureTone) {
        EXPECT_LT(octaveShare, 0.02);
    } else {
        EXPECT_GT(octaveShare, 0.2); // the own tone's second partial
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, SoundRender,
    ::testing::Values(
        RenderRow{"harpsichord", InstrumentSound::harpsichord, KLANGORA_SINE_FONT, true, false},
        RenderRow{"organ", InstrumentSound::organ, KLANGORA_SINE_FONT, true, false},
        RenderRow{"own", InstrumentSound::own, KLANGORA_SINE_FONT, false, false},
        RenderRow{"missingFont", InstrumentSound::harpsichord, "/nonexistent.sf2", false, true}),
    [](const auto& info) { return std::string(info.param.name); });
