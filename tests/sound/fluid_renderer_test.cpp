// FluidSynth heard through fonts of pure sines: the pitches the key tuning gives, a held note
// that follows a retuning, the pedal, the silent drum channel, and the own tone kept (with one
// Danish message) whenever a font cannot serve.
#include "sound/fluid/fluid_renderer.h"

#include "core/presets.h"
#include "core/tone_table.h"
#include "core/tuning.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>

using namespace klangora;
using namespace std::chrono_literals;
using klangora::test_support::strongestHz;

namespace {

constexpr int kRate = 48000;
const std::filesystem::path kSineFont = KLANGORA_SINE_FONT;
const std::filesystem::path kSinePianoFont = KLANGORA_SINE_PIANO_FONT;
const std::filesystem::path kSineSharpFont = KLANGORA_SINE_SHARP_FONT;

double peak(const std::vector<double>& samples) {
    double largest = 0;
    for (double sample : samples) {
        largest = std::max(largest, std::abs(sample));
    }
    return largest;
}

class FluidSine : public ::testing::Test {
protected:
    FluidRenderer renderer{std::vector<std::filesystem::path>{}}; // no system fonts

    void load(InstrumentSound sound, const std::filesystem::path& font = kSineFont) {
        renderer.chooseSoundFont(font);
        renderer.choose(sound);
        ASSERT_TRUE(renderer.waitUntilLoaded(20s));
    }
    void tune(PresetId preset) {
        const auto cents = Tuning::preset(preset).centsAboveC();
        for (std::uint8_t tone = 0; tone < 12; ++tone) {
            ASSERT_TRUE(renderer.post({FluidEvent::Kind::tune, 0, tone, 0, cents[tone]}));
        }
    }
    void send(FluidEvent::Kind kind, int note, float value = 1.0f, int channel = 0) {
        ASSERT_TRUE(renderer.post(
            {kind, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(note), value, 0}));
    }
    std::vector<double> render(double seconds) {
        std::vector<float> block(static_cast<std::size_t>(seconds * kRate), 0.0f);
        renderer.renderAdd(block, kRate);
        return {block.begin(), block.end()};
    }
};

class FluidSineInstrument : public FluidSine,
                            public ::testing::WithParamInterface<InstrumentSound> {};

} // namespace

// A font chosen in a tuning the audio side already plays is loaded in it: its first block is in
// tune with no retuning on the audio thread.
TEST_F(FluidSine, AFreshSynthPlaysItsFirstBlockInTheTuning) {
    tune(PresetId::pyt);
    render(0.01);
    renderer.setTuning(Tuning::preset(PresetId::pyt));
    load(InstrumentSound::harpsichord);
    send(FluidEvent::Kind::noteOn, 64);
    const auto held = render(1.0);
    EXPECT_NEAR(strongestHz(held, kRate, 320, 340), 331.12, 0.1);
    EXPECT_EQ(renderer.lastRetuneNs(), 0);
}

// Whatever level the font gives its instruments, a key sounds as loud as the own tone's.
TEST_P(FluidSineInstrument, SoundsAsLoudAsTheOwnTone) {
    load(GetParam());
    const float velocity = 100 / 127.0f;
    send(FluidEvent::Kind::noteOn, 62, velocity);
    render(0.06);
    const auto instrument = render(0.4);
    LiveSynth own;
    own.post(LiveEvent::noteOn(VoiceSource::computerKeys, 62, velocity));
    std::vector<float> ownSamples(static_cast<std::size_t>(0.46 * kRate));
    own.render(ownSamples, kRate);
    const auto rms = [](auto first, auto last) {
        return std::sqrt(std::inner_product(first, last, first, 0.0) / double(last - first));
    };
    const double ratio =
        rms(instrument.begin(), instrument.end()) /
        rms(ownSamples.begin() + static_cast<std::ptrdiff_t>(0.06 * kRate), ownSamples.end());
    EXPECT_NEAR(20 * std::log10(ratio), 0.0, 2.0);
}

INSTANTIATE_TEST_SUITE_P(Instruments, FluidSineInstrument,
                         ::testing::Values(InstrumentSound::harpsichord, InstrumentSound::organ,
                                           InstrumentSound::piano));

namespace {
class FluidSineFraction : public FluidSine, public ::testing::WithParamInterface<double> {};
} // namespace

// FluidSynth itself resolves whole cents only; the dither must bring back the fraction, or an e a
// fraction of a cent off would beat at the wrong rate against its c.
TEST_P(FluidSineFraction, AFractionOfACentIsHeard) {
    load(InstrumentSound::harpsichord);
    const double cents = GetParam();
    ASSERT_TRUE(renderer.post({FluidEvent::Kind::tune, 0, 4, 0, cents}));
    send(FluidEvent::Kind::noteOn, 64);
    render(0.1);
    const double expectedHz = 261.6 * std::exp2(cents / 1200);
    EXPECT_NEAR(strongestHz(render(1.0), kRate, expectedHz - 5, expectedHz + 5), expectedHz, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Cents, FluidSineFraction,
                         ::testing::Values(386.3137, 399.9, 400.0, 400.25, 400.5, 407.82));

namespace {
class FluidSineTuned
    : public FluidSine,
      public ::testing::WithParamInterface<std::tuple<InstrumentSound, std::filesystem::path>> {};
} // namespace

// The Pythagorean c and e sound where the own voices put them, on every instrument, from a true
// font and from one whose samples are 3.6 cents sharp (measured at loading and taken out); held,
// the e moves to its pure pitch when retuned.
TEST_P(FluidSineTuned, CAndESoundInTuneAndFollowARetuning) {
    load(std::get<0>(GetParam()), std::get<1>(GetParam()));
    tune(PresetId::pyt);
    send(FluidEvent::Kind::noteOn, 60);
    send(FluidEvent::Kind::noteOn, 64);
    render(0.1);
    EXPECT_TRUE(renderer.playsNotes());
    const auto pythagorean = render(1.0);
    EXPECT_NEAR(strongestHz(pythagorean, kRate, 250, 275), 261.60, 0.05);
    EXPECT_NEAR(strongestHz(pythagorean, kRate, 320, 340), 331.12, 0.05);
    tune(PresetId::ren);
    render(0.05);
    const auto pure = render(1.0);
    EXPECT_NEAR(strongestHz(pure, kRate, 250, 275), 261.60, 0.05);
    EXPECT_NEAR(strongestHz(pure, kRate, 320, 340), 327.00, 0.05);
    EXPECT_GT(renderer.lastRetuneNs(), 0);
}

INSTANTIATE_TEST_SUITE_P(InstrumentsAndFonts, FluidSineTuned,
                         ::testing::Combine(::testing::Values(InstrumentSound::harpsichord,
                                                              InstrumentSound::organ,
                                                              InstrumentSound::piano),
                                            ::testing::Values(kSineFont, kSineSharpFont)));

namespace {
class FluidSineRate : public FluidSine, public ::testing::WithParamInterface<int> {};
} // namespace

// Loading measures the font by striking keys in the new synth; none of them may reach the
// output when the synth starts to play there, before any key is pressed, at whatever rate the
// output runs (FluidSynth renders in blocks of 64 and keeps what a call did not take).
TEST_P(FluidSineRate, ANewlyLoadedInstrumentIsSilentUntilAKeyIsPressed) {
    const int rate = GetParam();
    std::vector<float> block(static_cast<std::size_t>(rate / 10), 0.0f);
    renderer.renderAdd(block, rate); // the output runs at this rate before the choice
    load(InstrumentSound::harpsichord);
    renderer.renderAdd(block, rate);
    EXPECT_TRUE(renderer.playsNotes());
    EXPECT_EQ(*std::max_element(block.begin(), block.end()), 0.0f);
    EXPECT_EQ(*std::min_element(block.begin(), block.end()), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Rates, FluidSineRate, ::testing::Values(48000, 44100, 22050, 11025));

// Octaves are exact 2:1 from the fixed c, also far from it.
TEST_F(FluidSine, OctavesOfTheFixedCAreExact) {
    load(InstrumentSound::piano);
    send(FluidEvent::Kind::noteOn, 36);
    send(FluidEvent::Kind::noteOn, 84);
    render(0.1);
    const auto held = render(1.0);
    EXPECT_NEAR(strongestHz(held, kRate, 60, 70), 261.6 / 4, 0.1);
    EXPECT_NEAR(strongestHz(held, kRate, 1040, 1052), 261.6 * 4, 0.1);
}

TEST_F(FluidSine, TheDrumChannelIsNeverPlayed) {
    load(InstrumentSound::piano);
    send(FluidEvent::Kind::noteOn, 60, 1.0f, 9);
    render(0.05);
    EXPECT_EQ(peak(render(0.2)), 0.0);
    send(FluidEvent::Kind::noteOn, 60, 1.0f, 1);
    render(0.05);
    EXPECT_GT(peak(render(0.2)), 0.05);
}

TEST_F(FluidSine, TheSustainPedalHoldsAReleasedNoteUntilLifted) {
    load(InstrumentSound::organ);
    send(FluidEvent::Kind::sustain, 0, 1.0f);
    send(FluidEvent::Kind::noteOn, 67);
    render(0.1);
    send(FluidEvent::Kind::noteOff, 67);
    render(0.3);
    EXPECT_GT(peak(render(0.1)), 0.05);
    send(FluidEvent::Kind::sustain, 0, 0.0f);
    render(0.5);
    EXPECT_LT(peak(render(0.1)), 1e-3);
}

TEST_F(FluidSine, ReleaseAllSilencesNotesAndPedal) {
    load(InstrumentSound::harpsichord);
    send(FluidEvent::Kind::sustain, 0, 1.0f);
    send(FluidEvent::Kind::noteOn, 60);
    send(FluidEvent::Kind::noteOn, 72, 1.0f, 3);
    render(0.1);
    send(FluidEvent::Kind::releaseAll, 0);
    render(0.5);
    EXPECT_LT(peak(render(0.1)), 1e-3);
}

// Letting one way of playing go ends its channel's notes and leaves the others'.
TEST_F(FluidSine, ReleasingAChannelEndsOnlyItsNotes) {
    load(InstrumentSound::piano);
    send(FluidEvent::Kind::noteOn, 60, 1.0f, 0);
    send(FluidEvent::Kind::noteOn, 67, 1.0f, 4);
    render(0.1);
    send(FluidEvent::Kind::releaseChannel, 0, 0.0f, 4);
    render(0.5);
    const auto left = render(1.0);
    const double c = test_support::magnitudeAt(left, kRate, 261.6);
    const double g = test_support::magnitudeAt(left, kRate, 261.6 * std::exp2(7 / 12.0));
    EXPECT_GT(c, 100 * g);
}

TEST_F(FluidSine, ChoosingTheOwnToneAgainStopsFluidSynth) {
    load(InstrumentSound::harpsichord);
    send(FluidEvent::Kind::noteOn, 60);
    EXPECT_GT(peak(render(0.2)), 0.05);
    renderer.choose(InstrumentSound::own);
    EXPECT_EQ(peak(render(0.1)), 0.0);
    EXPECT_FALSE(renderer.playsNotes());
    EXPECT_EQ(renderer.sound(), InstrumentSound::own);
}

// Chosen and at once unchosen: the font that arrives late is not played.
TEST_F(FluidSine, ALoadOvertakenByAnotherChoiceIsNotPlayed) {
    renderer.chooseSoundFont(kSineFont);
    renderer.choose(InstrumentSound::organ);
    renderer.choose(InstrumentSound::own);
    ASSERT_TRUE(renderer.waitUntilLoaded(20s));
    send(FluidEvent::Kind::noteOn, 60);
    EXPECT_EQ(peak(render(0.2)), 0.0);
    EXPECT_FALSE(renderer.takeMessage().has_value());
}

namespace {

struct BadFont {
    const char* name;
    std::string content; // empty: no file at all
    InstrumentSound sound;
    const char* reason; // a part of the message
};

class FluidBadFont : public FluidSine, public ::testing::WithParamInterface<BadFont> {};

std::string sineFontStart() {
    std::ifstream file(kSineFont, std::ios::binary);
    std::string start(400, '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    return start;
}

} // namespace

// Whatever is wrong with the font, the own tone stays chosen and one message says why.
TEST_P(FluidBadFont, LeavesTheOwnToneAndSaysWhyOnce) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "klangora_bad_fonts";
    std::filesystem::create_directories(folder);
    const auto font = GetParam().content == "piano"
                          ? kSinePianoFont
                          : folder / (std::string(GetParam().name) + ".sf2");
    if (!GetParam().content.empty() && GetParam().content != "piano") {
        std::ofstream(font, std::ios::binary) << GetParam().content;
    }
    load(GetParam().sound, font);
    EXPECT_EQ(renderer.sound(), InstrumentSound::own);
    const auto message = renderer.takeMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find(GetParam().reason), std::string::npos) << *message;
    EXPECT_NE(message->find("egne klangbillede"), std::string::npos) << *message;
    EXPECT_FALSE(renderer.takeMessage().has_value());
    send(FluidEvent::Kind::noteOn, 60);
    EXPECT_EQ(peak(render(0.2)), 0.0);
    EXPECT_FALSE(renderer.playsNotes());
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FluidBadFont,
    ::testing::Values(
        BadFont{"missing", "", InstrumentSound::harpsichord, "findes ikke"},
        BadFont{"text", "Dette er ingen lydfont.\n", InstrumentSound::piano, "er ikke en lydfont"},
        BadFont{"truncated", sineFontStart(), InstrumentSound::harpsichord, "beskadiget"},
        BadFont{"withoutTheOrgan", "piano", InstrumentSound::organ, "»Kirkeorgel«"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FluidNoFont, WithoutAnyFontTheOwnToneStaysAndSaysWhich) {
    FluidRenderer renderer{std::vector<std::filesystem::path>{}};
    renderer.choose(InstrumentSound::piano);
    ASSERT_TRUE(renderer.waitUntilLoaded(20s));
    EXPECT_EQ(renderer.sound(), InstrumentSound::own);
    const auto message = renderer.takeMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("musescore-general-soundfont"), std::string::npos);
}

TEST(InstrumentSound, CommandNamesNameTheirSounds) {
    EXPECT_EQ(instrumentSoundFromCommandName("own"), InstrumentSound::own);
    EXPECT_EQ(instrumentSoundFromCommandName("harpsichord"), InstrumentSound::harpsichord);
    EXPECT_EQ(instrumentSoundFromCommandName("organ"), InstrumentSound::organ);
    EXPECT_EQ(instrumentSoundFromCommandName("piano"), InstrumentSound::piano);
    EXPECT_FALSE(instrumentSoundFromCommandName("cembalo").has_value());
    EXPECT_FALSE(instrumentSoundFromCommandName("").has_value());
}
