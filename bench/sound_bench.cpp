#include "sound/chord_synthesis.h"
#include "sound/reference_synthesis.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace klangora;

namespace {

// The last chord of the chorale in C under Pythagorean tuning (C G E C, 2000 ms), and the pure
// triad on C that the comparison starts with.
constexpr std::array<double, 4> kFinalChord = {261.0, 196.0, 165.0, 65.25};
constexpr std::array<double, 3> kPureTriad = {261.0, 326.25, 391.5};
constexpr int kDurationMs = 2000;
constexpr int kSampleRate = 11025;

template <std::size_t Voices>
void referenceImage(benchmark::State& state, const std::array<double, Voices>& hz) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(referenceChordImage(hz, kDurationMs, 20, kSampleRate));
    }
}

template <std::size_t Voices>
void fastImage(benchmark::State& state, const std::array<double, Voices>& hz) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(chordImage(hz, kDurationMs, 20, kSampleRate));
    }
}

} // namespace

BENCHMARK_CAPTURE(referenceImage, four_voices_2000ms, kFinalChord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fastImage, four_voices_2000ms, kFinalChord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(referenceImage, triad_2000ms, kPureTriad)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fastImage, triad_2000ms, kPureTriad)->Unit(benchmark::kMillisecond);
