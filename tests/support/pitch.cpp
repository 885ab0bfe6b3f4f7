#include "support/pitch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace klangora::test_support {

std::vector<double> centredSamples(std::span<const std::uint8_t> recording) {
    std::vector<double> samples;
    samples.reserve(recording.size());
    for (std::uint8_t value : recording) {
        samples.push_back((static_cast<double>(value) - 128.0) / 128.0);
    }
    return samples;
}

std::vector<std::span<const std::uint8_t>> unbrokenParts(std::span<const std::uint8_t> recording,
                                                         std::size_t breakSamples) {
    constexpr std::uint8_t kSilence = 128;
    std::vector<std::span<const std::uint8_t>> parts;
    std::size_t start = 0;
    std::size_t lastSound = 0;
    bool inRun = false;
    for (std::size_t i = 0; i <= recording.size(); ++i) {
        const bool sound = i < recording.size() && recording[i] != kSilence;
        if (sound) {
            start = inRun ? start : i;
            inRun = true;
            lastSound = i;
        } else if (inRun && (i == recording.size() || i - lastSound >= breakSamples)) {
            parts.push_back(recording.subspan(start, lastSound + 1 - start));
            inRun = false;
        }
    }
    return parts;
}

std::span<const std::uint8_t> soundingPart(std::span<const std::uint8_t> recording,
                                           std::size_t breakSamples) {
    const auto parts = unbrokenParts(recording, breakSamples);
    const auto longest = std::max_element(parts.begin(), parts.end(),
                                          [](auto a, auto b) { return a.size() < b.size(); });
    return longest == parts.end() ? recording.first(0) : *longest;
}

int breaksIn(std::span<const std::uint8_t> recording) {
    constexpr std::uint8_t kSilence = 128;
    int breaks = 0;
    std::size_t silentRun = 0;
    const auto sounds = [](std::uint8_t sample) { return sample != kSilence; };
    const auto first = std::find_if(recording.begin(), recording.end(), sounds);
    const auto last = std::find_if(recording.rbegin(), recording.rend(), sounds).base();
    for (auto sample = first; sample < last; ++sample) {
        silentRun = *sample == kSilence ? silentRun + 1 : 0;
        breaks += silentRun == kBreakSamples ? 1 : 0;
    }
    return breaks;
}

double magnitudeAt(std::span<const double> samples, int sampleRate, double hz) {
    const double n = static_cast<double>(samples.size());
    const double step = 2 * std::numbers::pi * hz / sampleRate;
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
        re += samples[i] * window * std::cos(step * i);
        im -= samples[i] * window * std::sin(step * i);
    }
    return std::hypot(re, im);
}

double strongestHz(std::span<const double> samples, int sampleRate, double lowHz, double highHz,
                   double stepHz) {
    double bestHz = lowHz;
    double best = -1;
    for (double hz = lowHz; hz <= highHz; hz += stepHz) {
        const double magnitude = magnitudeAt(samples, sampleRate, hz);
        if (magnitude > best) {
            best = magnitude;
            bestHz = hz;
        }
    }
    const double below = magnitudeAt(samples, sampleRate, bestHz - stepHz);
    const double above = magnitudeAt(samples, sampleRate, bestHz + stepHz);
    const double curvature = below - 2 * best + above;
    return curvature < 0 ? bestHz + 0.5 * stepHz * (below - above) / curvature : bestHz;
}

} // namespace klangora::test_support
