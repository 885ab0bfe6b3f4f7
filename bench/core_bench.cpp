#include "core/presets.h"
#include "core/scala_scale.h"
#include "core/tone_table.h"

#include <benchmark/benchmark.h>

using namespace klangora;

// A preset's share of the tuning work: its eleven positions, the cents and the intervals.
static void BM_PresetTuning(benchmark::State& state) {
    ToneTable table;
    for (auto _ : state) {
        scrolTILcent(table, presetPositions(PresetId::praet));
        deriveThirdsAndFifths(table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PresetTuning);

static void BM_IndlaesFrek(benchmark::State& state) {
    ToneTable table;
    scrolTILcent(table, presetPositions(PresetId::ren));
    for (auto _ : state) {
        IndlaesFrek(table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_IndlaesFrek);

// Opening a tuning file: the reader over a saved file and over one written in ratios.
static void BM_ReadScala(benchmark::State& state) {
    const std::string saved =
        writeScala("Ren stemning.scl", "Ren stemning", Tuning::preset(PresetId::ren));
    const std::string ratios = "! ren.scl\nJust intonation\n 12\n 25/24\n 9/8\n 6/5\n 5/4\n 4/3\n"
                               " 45/32\n 3/2\n 25/16\n 5/3\n 9/5\n 15/8\n 2/1\n";
    const std::string& text = state.range(0) == 0 ? saved : ratios;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readScala(text));
    }
}
BENCHMARK(BM_ReadScala)->Arg(0)->Arg(1);
