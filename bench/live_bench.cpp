// The live instrument: what a second of sixteen voices costs the audio thread, how long a note
// takes from noteOn to the server (on a private PulseAudio server), and a storm of random notes
// and retunings that must leave no underrun, no stuck tone and flat memory.
//
//     live_bench                       the render cost (Google Benchmark)
//     live_bench --latency [notes]     noteOn to first sample, plus the stream's latency
//     live_bench --storm [seconds]     random keys and retunings (default 20 s; 600 for ten
//     minutes)
#include "sound/instrument/live_instrument.h"
#include "sound/instrument/pulse_live_output.h"
#include "support/private_pulse_server.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

void renderSixteenVoices(benchmark::State& state) {
    LiveSynth synth;
    for (int note = 48; note < 64; ++note) {
        synth.post({LiveEvent::Kind::noteOn, static_cast<std::uint8_t>(note), 1.0f});
    }
    constexpr int kRate = 48000;
    std::vector<float> second(kRate);
    for (auto _ : state) {
        // In the callback's block size, as a low-latency stream asks for it.
        for (std::size_t start = 0; start < second.size(); start += 120) {
            synth.render(std::span(second).subspan(start, 120), kRate);
        }
        benchmark::DoNotOptimize(second.data());
    }
}
BENCHMARK(renderSixteenVoices)->Unit(benchmark::kMillisecond);

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct Server {
    PrivatePulseServer server;
    std::optional<ScopedEnvironment> address;
    bool start() {
        if (!server.start()) {
            std::fprintf(stderr, "no private PulseAudio server: %s\n", server.failure().c_str());
            return false;
        }
        address.emplace("PULSE_SERVER", server.address());
        return true;
    }
};

int measureLatency(int notes) {
    Server server;
    if (!server.start()) {
        return 1;
    }
    const auto instrument = LiveInstrument::withPulseAudio();
    auto& output = static_cast<PulseLiveOutput&>(*instrument->output());
    std::vector<double> ms;
    for (int n = 0; n < notes; ++n) {
        const std::int64_t pressed = nowNs();
        instrument->noteOn(60 + n % 13);
        const auto deadline = Clock::now() + 2s;
        while (instrument->synth().lastToneStartNs() < pressed && Clock::now() < deadline) {
            std::this_thread::sleep_for(100us);
        }
        const std::int64_t sounded = instrument->synth().lastToneStartNs();
        if (sounded >= pressed) {
            ms.push_back((sounded - pressed) / 1e6 + output.latencyUs() / 1e3);
        }
        instrument->noteOff(60 + n % 13);
        std::this_thread::sleep_for(15ms);
    }
    if (ms.empty()) {
        std::puts("no note was heard");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("noteOn to the server, plus the stream's latency, over %zu notes: median %.2f ms, "
                "maximum %.2f ms (stream latency last %.2f ms); underruns %d\n",
                ms.size(), ms[ms.size() / 2], ms.back(), output.latencyUs() / 1e3,
                output.underruns());
    return 0;
}

int storm(int seconds) {
    Server server;
    if (!server.start()) {
        return 1;
    }
    const auto instrument = LiveInstrument::withPulseAudio();
    auto& output = static_cast<PulseLiveOutput&>(*instrument->output());
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> note(36, 96);
    std::uniform_real_distribution<double> cents(-30, 30);
    std::array<double, 12> tuning{};
    const long startKb = residentKb();
    long events = 0;
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        for (int n = 0; n < 20; ++n, ++events) {
            switch (random() % 3) {
            case 0:
                instrument->noteOn(note(random));
                break;
            case 1:
                instrument->noteOff(note(random));
                break;
            default:
                for (std::size_t i = 1; i < 12; ++i) {
                    tuning[i] = 100.0 * static_cast<double>(i) + cents(random);
                }
                instrument->setTuning(tuning);
            }
        }
        std::this_thread::sleep_for(2ms);
    }
    instrument->releaseAll();
    std::this_thread::sleep_for(500ms);
    std::printf("storm of %ld events in %d s: underruns %d, sounding after release %s, "
                "resident memory %ld kB at start, %ld kB at the end\n",
                events, seconds, output.underruns(), instrument->synth().silent() ? "none" : "SOME",
                startKb, residentKb());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--latency") {
        return measureLatency(argc > 2 ? std::stoi(argv[2]) : 1000);
    }
    if (mode == "--storm") {
        return storm(argc > 2 ? std::stoi(argv[2]) : 20);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
