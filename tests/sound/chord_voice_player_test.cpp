// A sound button's chord through the sound engine, rendered in real time: the image's band-limited
// interpolation at the output's rate, whole, and play() returns once its last sample has been
// rendered and the output's latency has passed.
#include "core/musical_facts.h"
#include "sound/chord_synthesis.h"
#include "sound/instrument/chord_voice_player.h"
#include "sound/instrument/live_synth.h"
#include "sound/wav_image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <complex>
#include <numbers>
#include <thread>

using namespace klangora;

namespace {

constexpr std::int64_t kLatencyUs = 20'000;
constexpr std::size_t kPeriod = 256;

// Renders the synth period by period at the pace of a sound card, keeping every sample.
class PacedOutput : public AudioOutput {
public:
    PacedOutput(AudioRenderer& renderer, int rate) : m_renderer(renderer), m_rate(rate) {
        m_recorded.reserve(static_cast<std::size_t>(rate) * 4);
    }
    void open() override {
        if (!m_thread.joinable()) {
            m_thread = std::jthread([this](const std::stop_token& stop) { run(stop); });
        }
    }
    bool streaming() const override { return m_thread.joinable(); }
    int rate() const override { return m_rate; }
    std::atomic<std::size_t> frames{0}; // rendered
    std::int64_t latencyUs() const override { return kLatencyUs; }
    const std::vector<float>& stop() {
        m_thread = {};
        return m_recorded;
    }

private:
    void run(const std::stop_token& stop) {
        auto next = std::chrono::steady_clock::now();
        while (!stop.stop_requested() && m_recorded.size() + kPeriod <= m_recorded.capacity()) {
            m_recorded.resize(m_recorded.size() + kPeriod);
            m_renderer.render(std::span(m_recorded).last(kPeriod), m_rate);
            frames += kPeriod;
            next += std::chrono::microseconds(kPeriod * 1'000'000 / m_rate);
            std::this_thread::sleep_until(next);
        }
    }
    AudioRenderer& m_renderer;
    const int m_rate;
    std::vector<float> m_recorded;
    std::jthread m_thread;
};

// The image's ideal band-limited interpolation at instant t (in its own samples):
// sum x[n] sinc(t - n) = sin(pi t) / pi * sum (-1)^n x[n] / (t - n).
double idealAt(const std::vector<double>& x, double t) {
    if (const double whole = std::round(t); std::abs(t - whole) < 1e-9) {
        return x[static_cast<std::size_t>(whole)]; // t within the image
    }
    double sum = 0;
    for (std::size_t n = 0; n < x.size(); ++n) {
        sum += (n % 2 == 0 ? 1 : -1) * x[n] / (t - static_cast<double>(n));
    }
    return std::sin(std::numbers::pi * t) / std::numbers::pi * sum;
}

// The energy of the samples below hz, by their Fourier sum.
double energyBelow(const std::vector<double>& samples, int rate, double hz) {
    const auto size = static_cast<double>(samples.size());
    double energy = 0;
    for (int k = 1; k < hz * size / rate; ++k) {
        const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi * k / size);
        std::complex<double> turn = 1, sum = 0;
        for (double s : samples) {
            sum += s * turn;
            turn *= step;
        }
        energy += 2 * std::norm(sum) / size;
    }
    return energy;
}

} // namespace

class ChordThroughTheEngine : public ::testing::TestWithParam<int> {};

TEST_P(ChordThroughTheEngine, IsItsImageBandLimitedAndKeepsItsTiming) {
    const int rate = GetParam();
    const double triad[] = {261.6, 329.6, 392.0};
    const auto image = chordImage(triad, 280, 20, kChordSampleRate); // 3087 samples, 147 * 21
    LiveSynth synth;
    PacedOutput output(synth, rate);
    ChordVoicePlayer player(synth.chordVoice(), &output);
    player.play(image);
    const std::size_t framesAtReturn = output.frames.load();
    const std::vector<float>& heard = output.stop();

    std::vector<double> x(image.begin() + kWavHeaderBytes, image.end());
    std::for_each(x.begin(), x.end(), [](double& s) { s = (s - 127) / 128; });
    const std::size_t length = x.size() * static_cast<std::size_t>(rate) / kChordSampleRate;
    const auto first = static_cast<std::size_t>(
        std::find_if(heard.begin(), heard.end(), [](float s) { return s != 0; }) - heard.begin());
    const auto end = static_cast<std::size_t>(
        std::find_if(heard.rbegin(), heard.rend(), [](float s) { return s != 0; }).base() -
        heard.begin());
    EXPECT_EQ(end - first, length);
    // The output counts whole periods.
    EXPECT_GE(framesAtReturn + kPeriod,
              end + static_cast<std::size_t>(kLatencyUs * rate / 1'000'000));

    std::vector<double> error(length);
    double energy = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const double ideal = idealAt(x, static_cast<double>(k) * kChordSampleRate / rate);
        error[k] = heard[first + k] - ideal;
        energy += ideal * ideal;
    }
    // Below the transition under the image's Nyquist frequency.
    EXPECT_LT(10 * std::log10(energyBelow(error, rate, 4800) / energy), -60.0);
}

INSTANTIATE_TEST_SUITE_P(Rates, ChordThroughTheEngine, ::testing::Values(44100, 48000));
