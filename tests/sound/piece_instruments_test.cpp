// A piece in its own instruments, heard through a font in which program 40 sounds an octave
// above the written note and programs 0 and 6 sound as written: a channel's program change
// reaches FluidSynth at its moment, channels keep their own programs, the chosen instrument
// ignores the file's programs, and a piece rendered to a file plays the same.
#include "core/music/piece_programs.h"
#include "core/music/tuning_name.h"
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/music/piece_renderer.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace klangora;
using namespace std::chrono_literals;
using klangora::test_support::magnitudeAt;
using klangora::test_support::strongestHz;

namespace {

constexpr int kRate = kRenderSampleRate;
constexpr int kOctaveUpProgram = 40;
const std::filesystem::path kProgramsFont = KLANGORA_SINE_PROGRAMS_FONT;

PieceEvent at(double seconds, PieceEvent::Kind kind, int channel, int key, int value = 100) {
    return {seconds, kind, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(key),
            static_cast<std::uint8_t>(value)};
}

Piece pieceOf(std::vector<PieceEvent> events, double lengthSeconds) {
    Piece piece;
    piece.events = std::move(events);
    piece.lengthSeconds = lengthSeconds;
    return piece;
}

// Channel 0 plays c from 0 to 1 s in its first program and again from 1 to 2 s after a change to
// program 40; channel 1 holds the Pythagorean e throughout in program 0.
Piece programChangeMidway() {
    using K = PieceEvent::Kind;
    return pieceOf({at(0, K::noteOn, 0, 60), at(0, K::noteOn, 1, 64), at(1, K::noteOff, 0, 60),
                    at(1, K::program, 0, kOctaveUpProgram), at(1, K::noteOn, 0, 60),
                    at(2, K::noteOff, 0, 60), at(2, K::noteOff, 1, 64)},
                   2.0);
}

class PieceInInstruments : public ::testing::Test {
protected:
    FluidRenderer fluid{std::vector<std::filesystem::path>{}};
    OutputVolume volume;
    InstrumentSoundMix mix{fluid, volume};

    void choose(InstrumentSound sound, const Piece& piece) {
        fluid.chooseSoundFont(kProgramsFont);
        fluid.choose(sound, piecePrograms(piece));
        ASSERT_TRUE(fluid.waitUntilLoaded(20s));
        ASSERT_FALSE(fluid.takeMessage().has_value());
    }
    std::vector<float> render(const Piece& piece) {
        const auto pyt = std::get<NamedTuning>(resolveTuningName("pyt")).tuning;
        PieceRenderer renderer(piece, pyt, kRate, &mix);
        std::vector<float> samples(static_cast<std::size_t>(renderer.totalFrames()));
        renderer.render(samples);
        return samples;
    }
    static std::vector<double> part(const std::vector<float>& samples, double from, double length) {
        const auto first = samples.begin() + static_cast<std::ptrdiff_t>(from * kRate);
        return {first, first + static_cast<std::ptrdiff_t>(length * kRate)};
    }
};

} // namespace

TEST(PiecePrograms, EveryProgramOnceAndThePianoWhereANoteComesFirst) {
    using K = PieceEvent::Kind;
    EXPECT_EQ(piecePrograms(programChangeMidway()), (std::vector<int>{0, kOctaveUpProgram}));
    EXPECT_EQ(piecePrograms(pieceOf({at(0, K::program, 2, 19), at(0, K::noteOn, 2, 60),
                                     at(1, K::program, 3, 6), at(1, K::program, 2, 19)},
                                    1)),
              (std::vector<int>{6, 19}));
    EXPECT_TRUE(piecePrograms(pieceOf({at(0, K::program, 0, 6)}, 1)).empty());
}

TEST_F(PieceInInstruments, AProgramChangeSoundsFromItsMomentOnItsChannelAlone) {
    const Piece piece = programChangeMidway();
    choose(InstrumentSound::pieceOwn, piece);
    const auto samples = render(piece);
    const auto before = part(samples, 0.2, 0.7);
    const auto after = part(samples, 1.2, 0.7);
    EXPECT_NEAR(strongestHz(before, kRate, 250, 275), 261.6, 0.2);
    EXPECT_NEAR(strongestHz(before, kRate, 320, 340), 331.12, 0.2);
    EXPECT_NEAR(strongestHz(after, kRate, 510, 535), 523.2, 0.2);
    EXPECT_NEAR(strongestHz(after, kRate, 320, 340), 331.12, 0.2);
    // Before the change nothing plays the octave, after it nothing plays the c itself: the own
    // voices are silent and channel 1 kept its program.
    EXPECT_LT(magnitudeAt(before, kRate, 523.2), 0.05 * magnitudeAt(before, kRate, 261.6));
    EXPECT_LT(magnitudeAt(after, kRate, 261.6), 0.05 * magnitudeAt(after, kRate, 523.2));
}

TEST_F(PieceInInstruments, AChosenInstrumentPlaysTheNotesAndIgnoresTheFilesPrograms) {
    const Piece piece = programChangeMidway();
    choose(InstrumentSound::harpsichord, piece);
    const auto after = part(render(piece), 1.2, 0.7);
    EXPECT_NEAR(strongestHz(after, kRate, 250, 275), 261.6, 0.2);
    EXPECT_LT(magnitudeAt(after, kRate, 523.2), 0.05 * magnitudeAt(after, kRate, 261.6));
}

TEST_F(PieceInInstruments, ThePiecesDrumChannelStaysSilent) {
    using K = PieceEvent::Kind;
    const Piece drums = pieceOf({at(0, K::noteOn, 9, 60), at(1, K::noteOff, 9, 60)}, 1.0);
    choose(InstrumentSound::pieceOwn, drums);
    const auto samples = render(drums);
    EXPECT_LT(magnitudeAt(part(samples, 0.2, 0.7), kRate, 261.6), 1e-3);
}

// The piece's own instruments chosen while it plays: the program its channel chose before the
// choice sounds in the next note.
TEST_F(PieceInInstruments, ChosenMidPieceTheChannelsProgramIsKept) {
    using K = PieceEvent::Kind;
    const Piece piece =
        pieceOf({at(0, K::program, 0, kOctaveUpProgram), at(0, K::noteOn, 0, 60),
                 at(0.5, K::noteOff, 0, 60), at(1, K::noteOn, 0, 60), at(2, K::noteOff, 0, 60)},
                2.0);
    choose(InstrumentSound::harpsichord, piece);
    const auto pyt = std::get<NamedTuning>(resolveTuningName("pyt")).tuning;
    PieceRenderer renderer(piece, pyt, kRate, &mix);
    std::vector<float> samples(static_cast<std::size_t>(renderer.totalFrames()));
    const auto switchAt = static_cast<std::size_t>(0.7 * kRate);
    renderer.render(std::span(samples).first(switchAt));
    choose(InstrumentSound::pieceOwn, piece);
    renderer.render(std::span(samples).subspan(switchAt));
    const auto before = part(samples, 0.1, 0.35);
    const auto after = part(samples, 1.2, 0.7);
    EXPECT_NEAR(strongestHz(before, kRate, 250, 275), 261.6, 0.2); // the harpsichord
    EXPECT_NEAR(strongestHz(after, kRate, 510, 535), 523.2, 0.2);
    EXPECT_LT(magnitudeAt(after, kRate, 261.6), 0.05 * magnitudeAt(after, kRate, 523.2));
}
