// FluidSynth beside the own voices: what 32 sounding harpsichord notes cost the audio thread,
// what one retuning of all 128 keys costs it, how long a font takes from the choice to sounding,
// and how true the system's fonts are tuned.
//
//     fluid_bench                   render, retune and load costs (Google Benchmark)
//     fluid_bench --font-tuning     each installed font's own tuning, in cents
//     fluid_bench --key-latency [N] a key's way to sound, own tone against FluidSynth, one run
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/fluid/sound_font_search.h"
#include "support/pitch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace klangora;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The heap allocations a thread makes while it counts: FluidSynth's included, whose calls to
// malloc this program's definitions take over (glibc's own do the work). Not under the address
// sanitizer, whose allocator must see every call.
namespace {
thread_local bool t_countingAllocations = false;
std::size_t g_allocations = 0;
std::size_t g_allocatedBytes = 0;
void countAllocation(std::size_t bytes) {
    if (t_countingAllocations) {
        ++g_allocations;
        g_allocatedBytes += bytes;
    }
}
} // namespace
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* malloc(std::size_t size) {
    countAllocation(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    countAllocation(count * size);
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
    countAllocation(size);
    return __libc_realloc(pointer, size);
}
}
#endif

namespace {

constexpr int kRate = 48000;
constexpr std::size_t kBlockFrames = 256; // what a low-latency stream asks at a time

std::vector<std::filesystem::path> installedFonts() {
    return soundFontCandidates(systemSoundFontFolders());
}

bool loadSound(FluidRenderer& renderer, InstrumentSound sound, const std::filesystem::path& font) {
    renderer.chooseSoundFont(font);
    renderer.choose(sound);
    if (!renderer.waitUntilLoaded(120s) || renderer.sound() != sound) {
        std::fprintf(stderr, "%s: %s\n", font.c_str(),
                     renderer.takeMessage().value_or("could not be loaded").c_str());
        return false;
    }
    return true;
}

// The CPU time of this thread: what a block costs the audio thread, whatever else the machine
// runs meanwhile.
double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void strike(FluidRenderer& renderer, int firstNote, int count) {
    for (int note = firstNote; note < firstNote + count; ++note) {
        renderer.post({FluidEvent::Kind::noteOff, 0, static_cast<std::uint8_t>(note), 0, 0});
        renderer.post({FluidEvent::Kind::noteOn, 0, static_cast<std::uint8_t>(note), 0.8f, 0});
    }
}

// One block of 256 samples with 32 harpsichord notes sounding, struck again every second so
// that none has died away. The share of one core is the time per block over the block's 5.3 ms.
void renderThirtyTwoHarpsichordNotes(benchmark::State& state) {
    const auto fonts = installedFonts();
    FluidRenderer renderer{std::vector<std::filesystem::path>{}};
    if (fonts.empty() || !loadSound(renderer, InstrumentSound::harpsichord,
                                    fonts[static_cast<std::size_t>(state.range(0))])) {
        state.SkipWithError("no font");
        return;
    }
    std::vector<float> block(kBlockFrames);
    std::size_t rendered = 0;
    double voices = 0;
    const double cpuStart = threadCpuSeconds();
    for (auto _ : state) {
        if (rendered % kRate < kBlockFrames) {
            strike(renderer, 44, 32);
        }
        renderer.renderAdd(block, kRate);
        rendered += kBlockFrames;
        voices += renderer.activeVoiceCount();
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["voices"] = voices / static_cast<double>(state.iterations());
    const double renderedSeconds =
        static_cast<double>(kBlockFrames) / kRate * static_cast<double>(state.iterations());
    state.counters["core%"] = 100.0 * (threadCpuSeconds() - cpuStart) / renderedSeconds;
    state.SetLabel(fonts[static_cast<std::size_t>(state.range(0))].filename().string());
}

// One retuning of all 128 keys on the audio thread while 32 notes sound: the time the
// FluidSynth call takes, and the heap allocations of the whole callback that retunes
// (FluidSynth 2.3 replaces the tuning object: one new tuning, its name, and the old one freed).
void retuneWhileThirtyTwoNotesSound(benchmark::State& state) {
    const auto fonts = installedFonts();
    FluidRenderer renderer{std::vector<std::filesystem::path>{}};
    if (fonts.empty() || !loadSound(renderer, InstrumentSound::harpsichord, fonts.front())) {
        state.SkipWithError("no font");
        return;
    }
    std::vector<float> block(64);
    strike(renderer, 44, 32);
    renderer.renderAdd(block, kRate);
    double cents = 400;
    for (auto _ : state) {
        cents = cents == 400 ? 386.3 : 400;
        renderer.post({FluidEvent::Kind::tune, 0, 4, 0, cents});
        t_countingAllocations = true;
        renderer.renderAdd(block, kRate);
        t_countingAllocations = false;
        state.SetIterationTime(static_cast<double>(renderer.lastRetuneNs()) * 1e-9);
    }
    const auto retunes =
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["allocs/retune"] = static_cast<double>(g_allocations) / retunes;
    state.counters["bytes/retune"] = static_cast<double>(g_allocatedBytes) / retunes;
    g_allocations = g_allocatedBytes = 0;
    state.SetLabel(fonts.front().filename().string());
}

// From the choice of the harpsichord to its synth ready, in the background (each time a fresh
// renderer: nothing of the font is in the synth beforehand, though the file may be in the
// system's cache).
void chooseToLoaded(benchmark::State& state) {
    const auto fonts = installedFonts();
    const auto index = static_cast<std::size_t>(state.range(0));
    if (index >= fonts.size()) {
        state.SkipWithError("no such font");
        return;
    }
    for (auto _ : state) {
        FluidRenderer renderer{std::vector<std::filesystem::path>{}};
        const auto start = Clock::now();
        if (!loadSound(renderer, InstrumentSound::harpsichord, fonts[index])) {
            state.SkipWithError("not loaded");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetLabel(fonts[index].filename().string());
}

BENCHMARK(renderThirtyTwoHarpsichordNotes)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(retuneWhileThirtyTwoNotesSound)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(chooseToLoaded)
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// --- the fonts' own tuning ---

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

// The fundamental of one key struck alone, in equal temperament, measured from 0.15 s to 0.65 s.
double soundingHz(FluidRenderer& renderer, int note) {
    std::vector<float> samples(kRate / 2 * 3 / 2);
    renderer.post({FluidEvent::Kind::releaseAll, 0, 0, 0, 0});
    std::vector<float> silence(kRate);
    renderer.renderAdd(silence, kRate);
    renderer.post({FluidEvent::Kind::noteOn, 0, static_cast<std::uint8_t>(note), 0.8f, 0});
    std::vector<float> attack(kRate * 15 / 100);
    renderer.renderAdd(attack, kRate);
    std::vector<float> held(kRate / 2);
    renderer.renderAdd(held, kRate);
    const std::vector<double> values(held.begin(), held.end());
    const double expectedHz = 261.6 * std::exp2((note - 60) / 12.0);
    return test_support::strongestHz(values, kRate, expectedHz * 0.985, expectedHz * 1.015,
                                     expectedHz * 2e-4);
}

double centsBetween(double lowHz, double highHz) {
    return 1200 * std::log2(highHz / lowHz);
}

// How far apart the keys c to c''' stray from equal temperament: the largest deviation less the
// smallest, in cents (a constant offset of the whole font does not count).
double keySpreadCents(FluidRenderer& renderer) {
    double lowest = 1e9;
    double highest = -1e9;
    for (int note = 48; note <= 84; ++note) {
        const double deviation =
            centsBetween(261.6 * std::exp2((note - 60) / 12.0), soundingHz(renderer, note));
        lowest = std::min(lowest, deviation);
        highest = std::max(highest, deviation);
    }
    return highest - lowest;
}

int measureFontTuning() {
    // c: its pitch against 261.6 Hz; third, fifth, octave: above c, against equal temperament;
    // spread: of all keys c to c'''; all in cents.
    std::printf("%-22s %-11s %7s %7s %7s %7s %7s %7s %7s\n", "font", "instrument", "c", "third",
                "fifth", "octave", "spread", "load ms", "+MB");
    for (const auto& font : installedFonts()) {
        for (InstrumentSound sound :
             {InstrumentSound::harpsichord, InstrumentSound::organ, InstrumentSound::piano}) {
            const double before = residentMegabytes();
            FluidRenderer renderer{std::vector<std::filesystem::path>{}};
            const auto start = Clock::now();
            if (!loadSound(renderer, sound, font)) {
                continue;
            }
            const double loadMs =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            const double c = soundingHz(renderer, 60);
            const double e = soundingHz(renderer, 64);
            const double g = soundingHz(renderer, 67);
            const double c2 = soundingHz(renderer, 72);
            std::printf("%-22s %-11s %+7.2f %+7.2f %+7.2f %+7.2f %7.2f %7.0f %7.1f\n",
                        font.filename().c_str(),
                        std::string(instrumentSoundInfo(sound).commandName).c_str(),
                        centsBetween(261.6, c), centsBetween(c, e) - 400, centsBetween(c, g) - 700,
                        centsBetween(c, c2) - 1200, keySpreadCents(renderer), loadMs,
                        residentMegabytes() - before);
        }
    }
    return 0;
}

// --- a key's way to sound ---

// A key pressed as the window presses it (an event posted to the live synth) until the first
// sample a listener could hear (above -60 dBFS) has been rendered: how far into the stream that
// sample lies, and how long the callback that made it took (its share of the way on a real
// output, which adds only the stream's own latency, the same for both sounds).
struct KeyWay {
    double streamMs = 0; // the sample's place after the callback's start
    double renderMs = 0; // the callback's own time, from the post to its end
};

constexpr float kAudible = 0.001f;

std::optional<KeyWay> strikeAndListen(LiveSynth& synth, int note) {
    std::vector<float> block(kBlockFrames);
    const auto pressed = Clock::now();
    synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, note, 0.8f));
    for (std::size_t blocks = 0; blocks < kRate / kBlockFrames; ++blocks) {
        synth.render(block, kRate);
        const auto loud = std::find_if(block.begin(), block.end(),
                                       [](float v) { return std::fabs(v) > kAudible; });
        if (loud != block.end()) {
            const auto samples = static_cast<double>(blocks * kBlockFrames) +
                                 static_cast<double>(loud - block.begin());
            return KeyWay{
                samples / kRate * 1e3,
                std::chrono::duration<double, std::milli>(Clock::now() - pressed).count()};
        }
    }
    return std::nullopt;
}

void letDie(LiveSynth& synth, int note) {
    synth.post(LiveEvent::noteOff(VoiceSource::computerKeys, note));
    std::vector<float> block(kBlockFrames);
    for (std::size_t blocks = 0; blocks < 2 * kRate / kBlockFrames; ++blocks) {
        synth.render(block, kRate); // two seconds: the longest release has ended
    }
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The own tone and the harpsichord take turns, key by key, in one run and one process: whatever
// else the machine does weighs on both alike.
int measureKeyLatency(int notes) {
    const auto fonts = installedFonts();
    if (fonts.empty()) {
        std::fprintf(stderr, "no sound font installed\n");
        return 1;
    }
    FluidRenderer fluid{std::vector<std::filesystem::path>{}};
    OutputVolume volume;
    InstrumentSoundMix mix(fluid, volume);
    LiveSynth own;
    LiveSynth harpsichord;
    harpsichord.setExtraRenderer(&mix);
    if (!loadSound(fluid, InstrumentSound::harpsichord, fonts.front())) {
        return 1;
    }
    std::array<std::vector<double>, 2> streamMs, renderMs;
    for (int i = 0; i < notes; ++i) {
        const int note = 48 + i % 25;
        LiveSynth* synths[] = {&own, &harpsichord};
        for (std::size_t which = 0; which < 2; ++which) {
            const auto way = strikeAndListen(*synths[which], note);
            if (!way) {
                std::fprintf(stderr, "note %d was never heard\n", note);
                return 1;
            }
            streamMs[which].push_back(way->streamMs);
            renderMs[which].push_back(way->renderMs);
            letDie(*synths[which], note);
        }
    }
    const char* names[] = {"own tone", "harpsichord"};
    std::printf("key to first audible sample (-60 dBFS), %d keys, font %s, %zu-sample callbacks\n",
                notes, fonts.front().filename().c_str(), kBlockFrames);
    std::printf("%-12s %18s %22s %14s\n", "sound", "in stream (ms)", "callback time (ms)",
                "sum (ms)");
    for (std::size_t which = 0; which < 2; ++which) {
        std::printf("%-12s %18.3f %22.3f %14.3f\n", names[which], medianOf(streamMs[which]),
                    medianOf(renderMs[which]),
                    medianOf(streamMs[which]) + medianOf(renderMs[which]));
    }
    std::printf("ratio harpsichord / own (sums of the medians): %.2f\n",
                (medianOf(streamMs[1]) + medianOf(renderMs[1])) /
                    (medianOf(streamMs[0]) + medianOf(renderMs[0])));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--font-tuning") {
        return measureFontTuning();
    }
    if (argc > 1 && std::string(argv[1]) == "--key-latency") {
        return measureKeyLatency(argc > 2 ? std::max(1, std::atoi(argv[2])) : 50);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
