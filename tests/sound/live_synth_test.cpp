// The live instrument's own samples, rendered without a sound server and analysed as a listener
// would hear them: the partials that make a third beat, the beats themselves, a retuned tone's
// glide, the silence after a release and the headroom of sixteen voices.
#include "sound/instrument/live_synth.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <vector>

using namespace klangora;
using klangora::test_support::strongestHz;

namespace {

constexpr int kRate = 48000;

std::vector<double> render(LiveSynth& synth, double seconds) {
    std::vector<float> block(static_cast<std::size_t>(seconds * kRate));
    synth.render(block, kRate);
    return {block.begin(), block.end()};
}

void play(LiveSynth& synth, std::initializer_list<int> notes) {
    for (int note : notes) {
        ASSERT_TRUE(synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, note, 1.0f)));
    }
}

// The amplitude envelope of what sounds within a band: the signal shifted down by the band's
// centre and smoothed over 40 ms, which removes every partial farther than 25 Hz away.
std::vector<double> bandEnvelope(const std::vector<double>& samples, double centreHz) {
    const std::size_t window = kRate / 25;
    std::vector<std::complex<double>> shifted(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        shifted[i] = samples[i] * std::polar(1.0, -2 * std::numbers::pi * centreHz * i / kRate);
    }
    std::vector<double> envelope;
    std::complex<double> sum = 0;
    for (std::size_t i = 0; i < shifted.size(); ++i) {
        sum += shifted[i];
        if (i >= window) {
            sum -= shifted[i - window];
            envelope.push_back(std::abs(sum));
        }
    }
    // Kept at a thousand values a second: beats are slow.
    std::vector<double> decimated;
    for (std::size_t i = 0; i < envelope.size(); i += kRate / 1000) {
        decimated.push_back(envelope[i]);
    }
    const double mean = std::accumulate(decimated.begin(), decimated.end(), 0.0) / decimated.size();
    for (double& value : decimated) {
        value -= mean;
    }
    return decimated;
}

} // namespace

TEST(LiveSynth, AnEqualThirdBeatsAsItsPartialsMeet) {
    LiveSynth synth;
    play(synth, {60, 64}); // c and e, equal temperament
    render(synth, 0.2);
    const auto held = render(synth, 3.0);
    // The root's fifth partial and the third's fourth, 10.4 Hz apart.
    EXPECT_NEAR(strongestHz(held, kRate, 1303, 1313, 0.1), 5 * 261.6, 0.2);
    EXPECT_NEAR(strongestHz(held, kRate, 1313.5, 1323, 0.1), 4 * 329.595, 0.2);
    const auto envelope = bandEnvelope(held, 1313);
    EXPECT_NEAR(strongestHz(envelope, 1000, 5, 20, 0.02), 10.4, 0.2);
}

// e from 400 to 420 cents while it sounds: 15 ms into the glide its pitch lies between the two,
// 40 ms in it has arrived, and no sample jumps on the way.
TEST(LiveSynth, ARetunedToneGlidesWithoutAJump) {
    LiveSynth synth;
    play(synth, {64});
    const auto steady = render(synth, 0.3);
    ASSERT_TRUE(synth.post(LiveEvent::tune(4, 420.0)));
    const auto glide = render(synth, 0.06);
    const auto pitch = [](const std::vector<double>& samples, std::size_t fromMs) {
        const std::vector<double> part(samples.begin() + fromMs * kRate / 1000,
                                       samples.begin() + (fromMs + 15) * kRate / 1000);
        return strongestHz(part, kRate, 300, 360, 0.1);
    };
    const double before = pitch(steady, 280);
    const double during = pitch(glide, 5);
    const double after = pitch(glide, 40);
    EXPECT_NEAR(after - before, 261.6 * (std::exp2(420.0 / 1200) - std::exp2(400.0 / 1200)), 0.3);
    EXPECT_GT(during - before, 0.5);
    EXPECT_GT(after - during, 0.5);

    const auto steepest = [](const std::vector<double>& samples, double previous) {
        double most = 0;
        for (double sample : samples) {
            most = std::max(most, std::abs(sample - previous));
            previous = sample;
        }
        return most;
    };
    EXPECT_LE(steepest(glide, steady.back()), steepest(steady, steady.front()) * 1.05);
}

TEST(LiveSynth, AReleasedToneLeavesSilenceAndSixteenVoicesStayInsideFullScale) {
    LiveSynth synth;
    for (int note = 48; note < 64; ++note) {
        play(synth, {note});
    }
    const auto chord = render(synth, 1.0);
    const auto loudest = std::max_element(
        chord.begin(), chord.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
    EXPECT_LE(std::abs(*loudest), 1.0);
    EXPECT_GT(std::abs(*loudest), 0.3);
    ASSERT_TRUE(synth.post(LiveEvent::releaseAll()));
    render(synth, 0.2);
    const auto after = render(synth, 0.1);
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](double s) { return s == 0.0; }));
    EXPECT_TRUE(synth.silent());
}

namespace {

// A piece's note struck on the audio thread, as the piece's scheduler strikes it.
class PieceNote : public AudioScheduler {
public:
    void renderCallback(LiveSynth& synth, std::span<float> out, int sampleRate) override {
        if (!m_struck) {
            synth.applyOnAudioThread(LiveEvent::noteOn(VoiceSource::piece, 67, 1.0f));
            m_struck = true;
        }
        synth.renderSpan(out, sampleRate);
    }

private:
    bool m_struck = false;
};

} // namespace

// The window's whole state holds what the window plays; a piece's notes come from the audio
// thread, so a hand-over (after a full queue) must leave them sounding.
TEST(LiveSynthHandOver, APiecesNotesOutlastAHandOver) {
    LiveSynth synth;
    PieceNote piece;
    synth.setScheduler(&piece);
    render(synth, 0.1);
    WantedState& wanted = synth.handOver().back();
    wanted = WantedState{};
    wanted.number = 1;
    for (int i = 0; i < 12; ++i) {
        wanted.centsAboveC[static_cast<std::size_t>(i)] = 100.0 * i;
    }
    synth.handOver().publish();
    ASSERT_TRUE(
        synth.post(LiveEvent{LiveEvent::Kind::handOver, VoiceSource::computerKeys, 0, 0, 1}));
    render(synth, 0.3);
    EXPECT_TRUE(synth.soundingNotes(VoiceSource::piece).test(67));
    const auto held = render(synth, 0.3);
    EXPECT_GT(*std::max_element(held.begin(), held.end()), 0.1);
}
