#include "core/presets.h"
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
