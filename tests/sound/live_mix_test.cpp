// The live mix as a listener hears it, from the rendered samples: no click when a voice joins,
// is stolen or struck again (measured as the largest second difference of the samples, which a
// step in any gain turns into a spike, against the steady sound's own), no clipping and no
// swelling however many voices sound, and the choice of the voice to steal.
#include "sound/instrument/live_synth.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace klangora;

namespace {

constexpr int kRate = 48000;
// As a low-latency stream asks for samples.
constexpr std::size_t kCallback = 120;

struct Rendering {
    LiveSynth synth;
    std::vector<double> samples;

    // Renders on, in callbacks, for this long.
    void run(double seconds) {
        std::vector<float> block(kCallback);
        const auto total = static_cast<std::size_t>(seconds * kRate);
        for (std::size_t done = 0; done < total; done += kCallback) {
            synth.render(block, kRate);
            samples.insert(samples.end(), block.begin(), block.end());
        }
    }
    void send(const LiveEvent& event) { ASSERT_TRUE(synth.post(event)); }
    void on(int note, float velocity = 1.0f) {
        send(LiveEvent::noteOn(VoiceSource::computerKeys, note, velocity));
    }
    void off(int note) { send(LiveEvent::noteOff(VoiceSource::computerKeys, note)); }
    std::size_t now() const { return samples.size(); }
};

double largestSecondDifference(const std::vector<double>& samples, std::size_t from,
                               std::size_t to) {
    double largest = 0;
    for (std::size_t i = std::max<std::size_t>(from, 2); i < to; ++i) {
        largest = std::max(largest, std::abs(samples[i] - 2 * samples[i - 1] + samples[i - 2]));
    }
    return largest;
}

// The steady sound's largest second difference over the last `seconds` rendered.
double steadyUntilNow(const Rendering& rendering, double seconds) {
    const std::size_t end = rendering.samples.size();
    return largestSecondDifference(rendering.samples,
                                   end - static_cast<std::size_t>(seconds * kRate), end);
}

// The whole rendering against the steady sound at its end (its last `steadySeconds`), or the
// louder of that and an earlier steady sound.
void expectNoClick(const Rendering& rendering, double steadySeconds, double earlierSteady = 0) {
    const double steady = std::max(steadyUntilNow(rendering, steadySeconds), earlierSteady);
    const double anywhere = largestSecondDifference(rendering.samples, 0, rendering.now());
    EXPECT_GT(steady, 0.0);
    EXPECT_LE(anywhere, 2 * steady) << "a spike " << anywhere / steady << " times the steady's";
}

double rms(const std::vector<double>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += samples[i] * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

} // namespace

TEST(LiveMix, AChordBuiltKeyByKeyHasNoClick) {
    Rendering r;
    for (int note : {60, 64, 67, 72}) {
        r.on(note);
        r.run(0.25);
    }
    r.run(0.3);
    expectNoClick(r, 0.3);
}

TEST(LiveMix, SixtyFourVoicesEnteringOneByOneHaveNoClickAndDoNotClip) {
    Rendering r;
    for (int note = 30; note < 30 + LiveSynth::kVoices; ++note) {
        r.on(note);
        r.run(0.03);
    }
    r.run(0.5);
    expectNoClick(r, 0.4);
    const double loudest =
        std::abs(*std::max_element(r.samples.begin(), r.samples.end(),
                                   [](double a, double b) { return std::abs(a) < std::abs(b); }));
    EXPECT_LT(loudest, 1.0);
}

// Once all have entered, the loudness of sixty-four held voices stays put: the limiter holds
// them down without pumping with the peaks of their beating partials.
TEST(LiveMix, ManyHeldVoicesNeitherClipNorSwell) {
    Rendering r;
    for (int note = 40; note < 40 + LiveSynth::kVoices; ++note) {
        r.on(note);
    }
    r.run(3.0);
    double quietest = 1e9;
    double loudest = 0;
    for (std::size_t from = kRate; from + kRate / 10 <= r.now(); from += kRate / 10) {
        const double level = rms(r.samples, from, from + kRate / 10);
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    EXPECT_LT(loudest / quietest, 1.15);
    for (double sample : r.samples) {
        ASSERT_LT(std::abs(sample), 1.0);
    }
}

// A voice joining or leaving never changes another's level while the mix is inside its
// headroom: the c's fundamental is as strong beside e and g as alone.
TEST(LiveMix, AJoiningVoiceLeavesTheOthersLevelAlone) {
    Rendering r;
    r.on(60);
    r.run(0.5);
    const std::vector<double> alone(r.samples.end() - kRate / 4, r.samples.end());
    r.on(64);
    r.on(67);
    r.run(0.5);
    const std::vector<double> inChord(r.samples.end() - kRate / 4, r.samples.end());
    const double before = test_support::magnitudeAt(alone, kRate, 261.6);
    const double after = test_support::magnitudeAt(inChord, kRate, 261.6);
    EXPECT_NEAR(after / before, 1.0, 0.02);
}

// Sixty-three soft notes and a loud low one that has just been released: a new low note steals
// the loud one (the oldest released), which must fade, not stop, while the new one starts at
// once. Low notes, so that a cut would stand far above their smooth waves.
TEST(LiveMix, AStolenVoiceFadesWithoutAClickAndTheNewNoteSoundsAtOnce) {
    Rendering r;
    for (int note = 30; note < 94; ++note) {
        r.on(note, note == 48 ? 1.0f : 0.02f);
    }
    r.run(0.5);
    const double loudSteady = steadyUntilNow(r, 0.2);
    r.off(48);
    r.run(0.02);
    r.on(24);
    r.run(0.003);
    const auto sounding = r.synth.soundingNotes();
    EXPECT_TRUE(sounding.test(24));
    EXPECT_EQ(sounding.count(), static_cast<std::size_t>(LiveSynth::kVoices));
    r.run(0.5);
    expectNoClick(r, 0.3, loudSteady);
}

TEST(LiveMix, WithAllVoicesHeldTheQuietestIsStolen) {
    Rendering r;
    for (int note = 40; note < 40 + LiveSynth::kVoices; ++note) {
        r.on(note, note == 50 ? 0.3f : 0.8f);
    }
    r.run(0.1);
    r.on(110, 0.8f);
    r.run(0.003);
    const auto sounding = r.synth.soundingNotes();
    EXPECT_TRUE(sounding.test(110));
    EXPECT_FALSE(sounding.test(50));
    EXPECT_EQ(sounding.count(), static_cast<std::size_t>(LiveSynth::kVoices));
}

// All voices held but one released and still fading: that one is given up, not a held one.
TEST(LiveMix, TheOldestReleasedVoiceIsStolenFirst) {
    Rendering r;
    for (int note = 40; note < 40 + LiveSynth::kVoices; ++note) {
        r.on(note, note == 70 ? 0.2f : 1.0f);
    }
    r.run(0.2);
    r.off(45);
    r.off(46);
    r.run(0.01);
    r.on(110);
    r.on(111);
    r.run(0.01);
    auto expected = std::bitset<128>();
    for (int note = 40; note < 40 + LiveSynth::kVoices; ++note) {
        expected.set(static_cast<std::size_t>(note), note != 45 && note != 46);
    }
    expected.set(110).set(111);
    EXPECT_EQ(r.synth.soundingNotes(), expected);
}

struct ReStrike {
    const char* name;
    float firstVelocity;
    double releasedFor; // seconds between release and the new strike; negative: never released
    float secondVelocity;
};

void PrintTo(const ReStrike& strike, std::ostream* out) {
    *out << strike.name;
}

class LiveMixReStrike : public testing::TestWithParam<ReStrike> {};

TEST_P(LiveMixReStrike, RampsToTheNewLevelWithoutAClick) {
    const ReStrike& strike = GetParam();
    Rendering r;
    r.on(64, strike.firstVelocity);
    r.run(0.3);
    const double firstSteady = steadyUntilNow(r, 0.2);
    if (strike.releasedFor >= 0) {
        r.off(64);
        r.run(strike.releasedFor);
    }
    // A second source strikes it while the first may still hold it.
    r.send(LiveEvent::noteOn(VoiceSource::midi, 64, strike.secondVelocity));
    r.run(0.5);
    expectNoClick(r, 0.3, firstSteady);
}

INSTANTIATE_TEST_SUITE_P(Strikes, LiveMixReStrike,
                         testing::Values(ReStrike{"softThenHardWhileFading", 0.2f, 0.03, 1.0f},
                                         ReStrike{"hardThenSoftWhileFading", 1.0f, 0.03, 0.2f},
                                         ReStrike{"softThenHardWhileHeld", 0.2f, -1, 1.0f},
                                         ReStrike{"almostFadedOut", 1.0f, 0.075, 1.0f}),
                         [](const testing::TestParamInfo<ReStrike>& info) {
                             return std::string(info.param.name);
                         });
