// FluidSynth inside the live instrument's callback: a chosen instrument takes the tuned notes
// from the own voices (heard as a pure sine from the test font, without the own tone's
// partials), the own tone comes back with its choice, and the volume covers both.
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/instrument/live_synth.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace klangora;
using namespace std::chrono_literals;
using klangora::test_support::magnitudeAt;

namespace {

constexpr int kRate = 48000;

struct Chain {
    FluidRenderer fluid{std::vector<std::filesystem::path>{KLANGORA_SINE_FONT}};
    OutputVolume volume;
    InstrumentSoundMix mix{fluid, volume};
    LiveSynth synth;
    Chain() { synth.setExtraRenderer(&mix); }

    std::vector<double> render(double seconds) {
        std::vector<float> block(static_cast<std::size_t>(seconds * kRate));
        synth.render(block, kRate);
        return {block.begin(), block.end()};
    }
    // The second partial against the fundamental: the own tone has one, a sine none.
    double secondPartialShare(int note) {
        synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, note, 1.0f));
        render(0.2);
        const auto held = render(0.5);
        synth.post(LiveEvent::noteOff(VoiceSource::computerKeys, note));
        render(0.5);
        const double hz =
            liveNoteHz(note, {0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100});
        return magnitudeAt(held, kRate, 2 * hz) / magnitudeAt(held, kRate, hz);
    }
};

} // namespace

TEST(InstrumentSoundMix, AChosenInstrumentTakesTheNotesAndTheOwnToneComesBack) {
    Chain chain;
    EXPECT_GT(chain.secondPartialShare(60), 0.2); // the own tone
    chain.fluid.choose(InstrumentSound::piano);
    ASSERT_TRUE(chain.fluid.waitUntilLoaded(20s));
    EXPECT_LT(chain.secondPartialShare(64), 0.01); // the sine alone, no own voice beside it
    chain.fluid.choose(InstrumentSound::own);
    EXPECT_GT(chain.secondPartialShare(67), 0.2);
}

TEST(InstrumentSoundMix, HalfTheVolumeIsSixDecibelsDownForTheInstrumentToo) {
    Chain chain;
    chain.fluid.choose(InstrumentSound::organ);
    ASSERT_TRUE(chain.fluid.waitUntilLoaded(20s));
    chain.synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, 60, 1.0f));
    chain.render(0.3);
    const double full = magnitudeAt(chain.render(0.5), kRate, 261.6);
    chain.volume.set(0.5);
    chain.render(0.1);
    const double half = magnitudeAt(chain.render(0.5), kRate, 261.6);
    EXPECT_NEAR(20 * std::log10(half / full), -6.02, 0.1);
}

namespace {

// The window's whole state handed over (as after a full queue): c and e held by the keys in
// Pythagorean tuning, or nothing held.
void handOver(LiveSynth& synth, std::uint64_t number, bool held) {
    WantedState& wanted = synth.handOver().back();
    wanted = WantedState{};
    wanted.number = number;
    wanted.centsAboveC = {0,      90.22,  203.91, 294.13, 407.82, 498.04,
                          611.73, 701.96, 792.18, 905.87, 996.09, 1109.78};
    for (int note : {60, 64}) {
        auto& keys = wanted.sources[sourceIndex(VoiceSource::computerKeys)];
        keys.notes[static_cast<std::size_t>(note)] = held;
        keys.velocity[static_cast<std::size_t>(note)] = held ? 1.0f : 0.0f;
    }
    synth.handOver().publish();
    ASSERT_TRUE(synth.post(LiveEvent{LiveEvent::Kind::handOver, VoiceSource::computerKeys, 0, 0,
                                     static_cast<double>(number)}));
}

} // namespace

// Notes that reach the voices only through a whole-state hand-over still sound in the chosen
// instrument, tuned, and end with the next hand-over that no longer holds them.
TEST(InstrumentSoundMix, NotesHandedOverWholeSoundInTheInstrument) {
    Chain chain;
    chain.fluid.choose(InstrumentSound::harpsichord);
    ASSERT_TRUE(chain.fluid.waitUntilLoaded(20s));
    chain.render(0.01); // the synth taken up by the audio side
    handOver(chain.synth, 1, true);
    chain.render(0.2);
    const auto held = chain.render(0.5);
    EXPECT_NEAR(test_support::strongestHz(held, kRate, 250, 275), 261.60, 0.1);
    EXPECT_NEAR(test_support::strongestHz(held, kRate, 320, 340), 331.12, 0.1);
    EXPECT_LT(magnitudeAt(held, kRate, 523.2), 0.01 * magnitudeAt(held, kRate, 261.6));
    handOver(chain.synth, 2, false);
    chain.render(0.5);
    const auto after = chain.render(0.2);
    EXPECT_LT(*std::max_element(after.begin(), after.end()), 1e-4);
}
