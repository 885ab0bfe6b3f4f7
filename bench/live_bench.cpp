// The live instrument: what a second of sixteen voices costs the audio thread, how long a note
// takes from noteOn to the server (on a private PulseAudio server), and a storm of random notes
// and retunings that must leave no underrun, no stuck tone and flat memory.
//
//     live_bench                       the render cost (Google Benchmark)
//     live_bench --latency [notes]     noteOn to first sample, plus the stream's latency
//     live_bench --storm [seconds]     random keys and retunings (20 s unless told; 600: ten min.)
//     live_bench --midi [notes]        a MIDI note's arrival to the server, plus stream latency
//     live_bench --flood [seconds]     10,000 MIDI events a second: cost per event, stuck tones
#include "sound/instrument/live_instrument.h"
#include "sound/midi/midi_input.h"
#include "sound/output/pulse_audio_output.h"
#include "support/private_pulse_server.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <poll.h>
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
        synth.post(LiveEvent::noteOn(VoiceSource::computerKeys, note, 1.0f));
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

// An output that never renders by itself: the benchmark is the audio thread.
class StalledOutput : public AudioOutput {
public:
    void open() override {}
};

// The queue full (the audio side stalled) and a flood going on: what one change costs the
// window's thread when it must hand over the whole state, and what taking it over costs the
// audio thread.
void handOverUnderAFlood(benchmark::State& state) {
    LiveInstrument instrument([](AudioRenderer&) { return std::make_unique<StalledOutput>(); });
    for (int note = 40; note < 72; ++note) {
        instrument.noteOn(VoiceSource::midi, note, 0.7f);
    }
    std::vector<float> block(128);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        while (instrument.synth().hasRoom()) { // the flood fills the queue again
            instrument.noteOn(VoiceSource::computerKeys, 30 + n % 8);
            instrument.noteOff(VoiceSource::computerKeys, 30 + n++ % 8);
        }
        instrument.noteOn(VoiceSource::computerKeys, 90); // lost to the queue: pending
        instrument.synth().render(block, 48000);          // the audio side drains
        state.ResumeTiming();
        instrument.settle();                     // the window hands the state over
        instrument.synth().render(block, 48000); // the audio side takes it over (and renders)
        state.PauseTiming();
        instrument.noteOff(VoiceSource::computerKeys, 90);
        state.ResumeTiming();
    }
}
BENCHMARK(handOverUnderAFlood)->Unit(benchmark::kMicrosecond);

// The same callback without a hand-over, for comparison.
void renderThirtyTwoHeldVoices(benchmark::State& state) {
    LiveInstrument instrument([](AudioRenderer&) { return std::make_unique<StalledOutput>(); });
    for (int note = 40; note < 72; ++note) {
        instrument.noteOn(VoiceSource::midi, note, 0.7f);
    }
    std::vector<float> block(128);
    for (auto _ : state) {
        instrument.synth().render(block, 48000);
    }
}
BENCHMARK(renderThirtyTwoHeldVoices)->Unit(benchmark::kMicrosecond);

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

// "--ordinary" after the mode measures the output without real-time scheduling, for comparison.
PulseAudioOutput::Scheduling g_scheduling = PulseAudioOutput::Scheduling::realtimeWherePossible;
// "--start-ms=N" begins the stream at N ms, as the program does at the latency it held before.
std::uint32_t g_startMs = 0;

std::unique_ptr<LiveInstrument> makeInstrument() {
    return std::make_unique<LiveInstrument>([](AudioRenderer& synth) {
        return std::make_unique<PulseAudioOutput>(synth, g_scheduling, g_startMs);
    });
}

const char* schedulingOf(const PulseAudioOutput& output) {
    return output.realtime() ? "real-time" : "ordinary";
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
    const auto instrument = makeInstrument();
    auto& output = static_cast<PulseAudioOutput&>(*instrument->output());
    std::vector<double> ms;
    for (int n = 0; n < notes; ++n) {
        const std::int64_t pressed = nowNs();
        instrument->noteOn(VoiceSource::computerKeys, 60 + n % 13);
        const auto deadline = Clock::now() + 2s;
        while (instrument->synth().lastToneStartNs() < pressed && Clock::now() < deadline) {
            std::this_thread::sleep_for(100us);
        }
        const std::int64_t sounded = instrument->synth().lastToneStartNs();
        if (sounded >= pressed) {
            ms.push_back((sounded - pressed) / 1e6 + output.latencyUs() / 1e3);
        }
        instrument->noteOff(VoiceSource::computerKeys, 60 + n % 13);
        std::this_thread::sleep_for(15ms);
    }
    if (ms.empty()) {
        std::puts("no note was heard");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("noteOn to the server, plus the stream's latency, over %zu notes: median %.2f ms, "
                "maximum %.2f ms (stream latency last %.2f ms); underruns %d; %s scheduling\n",
                ms.size(), ms[ms.size() / 2], ms.back(), output.latencyUs() / 1e3,
                output.underruns(), schedulingOf(output));
    return 0;
}

int storm(int seconds) {
    Server server;
    if (!server.start()) {
        return 1;
    }
    const auto instrument = makeInstrument();
    auto& output = static_cast<PulseAudioOutput&>(*instrument->output());
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
                instrument->noteOn(VoiceSource::computerKeys, note(random));
                break;
            case 1:
                instrument->noteOff(VoiceSource::computerKeys, note(random));
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
                "resident memory %ld kB at start, %ld kB at the end; %s scheduling\n",
                events, seconds, output.underruns(), instrument->synth().silent() ? "none" : "SOME",
                startKb, residentKb(), schedulingOf(output));
    return 0;
}

// The instrument as the window plays it from MIDI: notes drained on the thread that owns it.
class InstrumentSink : public NoteSink {
public:
    explicit InstrumentSink(LiveInstrument& instrument) : m_instrument(instrument) {}
    void noteOn(int note, float velocity) override {
        m_instrument.noteOn(VoiceSource::midi, note, velocity);
    }
    void noteOff(int note) override { m_instrument.noteOff(VoiceSource::midi, note); }

private:
    LiveInstrument& m_instrument;
};

// A MIDI thread delivers note-on and note-off bytes as RtMidi's callback would; this thread,
// like the window's, wakes on the input's descriptor and drains into the instrument.
int measureMidiLatency(int notes) {
    Server server;
    if (!server.start()) {
        return 1;
    }
    const auto instrument = makeInstrument();
    auto& output = static_cast<PulseAudioOutput&>(*instrument->output());
    InstrumentSink sink(*instrument);
    MidiInput input(sink);
    std::atomic<std::int64_t> sentNs{0};
    std::atomic<bool> done{false};
    std::thread midi([&] {
        for (int n = 0; n < notes; ++n) {
            const auto note = static_cast<std::uint8_t>(60 + n % 13);
            const std::uint8_t on[] = {0x90, note, 100};
            const std::uint8_t off[] = {0x80, note, 0};
            sentNs = nowNs();
            input.receive(MidiInput::kJackSource, on, sizeof on);
            std::this_thread::sleep_for(20ms);
            input.receive(MidiInput::kJackSource, off, sizeof off);
            std::this_thread::sleep_for(10ms);
        }
        done = true;
    });
    std::vector<double> ms;
    std::int64_t measured = 0;
    while (!done) {
        pollfd wake{input.wakeDescriptor(), POLLIN, 0};
        poll(&wake, 1, 5);
        input.drain();
        const std::int64_t sent = sentNs;
        const std::int64_t sounded = instrument->synth().lastToneStartNs();
        if (sent != measured && sounded >= sent) {
            ms.push_back((sounded - sent) / 1e6 + output.latencyUs() / 1e3);
            measured = sent;
        }
    }
    midi.join();
    if (ms.empty()) {
        std::puts("no note was heard");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("MIDI arrival to the server, plus the stream's latency, over %zu notes: median "
                "%.2f ms, maximum %.2f ms\n",
                ms.size(), ms[ms.size() / 2], ms.back());
    return 0;
}

int flood(int seconds) {
    LiveInstrument instrument; // no output: the cost of parsing and holding alone
    InstrumentSink sink(instrument);
    MidiInput input(sink);
    std::atomic<bool> done{false};
    long events = 0;
    std::thread midi([&] {
        std::mt19937 random(7);
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            // Ten events a millisecond: note-ons and note-offs of random notes on random
            // channels, pedal presses and a stray system-exclusive message now and then.
            for (int n = 0; n < 10; ++n, ++events) {
                const auto channel = static_cast<std::uint8_t>(random() % 16);
                const auto note = static_cast<std::uint8_t>(random() % 128);
                const std::uint8_t kinds[][3] = {
                    {static_cast<std::uint8_t>(0x90 | channel), note, 90},
                    {static_cast<std::uint8_t>(0x80 | channel), note, 0},
                    {static_cast<std::uint8_t>(0xB0 | channel), 64,
                     static_cast<std::uint8_t>(random() % 128)},
                    {0xF0, 0x7E, 0xF7}};
                input.receive(MidiInput::kJackSource, kinds[random() % 4], 3);
            }
            std::this_thread::sleep_for(1ms);
        }
        // The keyboard's panic button at the end.
        for (std::uint8_t channel = 0; channel < 16; ++channel) {
            const std::uint8_t allOff[] = {static_cast<std::uint8_t>(0xB0 | channel), 123, 0};
            input.receive(MidiInput::kJackSource, allOff, 3);
        }
        done = true;
    });
    double drainingMs = 0;
    while (!done) {
        pollfd wake{input.wakeDescriptor(), POLLIN, 0};
        poll(&wake, 1, 5);
        const auto start = Clock::now();
        input.drain();
        drainingMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    midi.join();
    input.drain();
    std::printf("flood of %ld MIDI events in %d s: %.3f µs of the window's thread an event, "
                "notes held afterwards: %zu\n",
                events, seconds, 1000.0 * drainingMs / static_cast<double>(events),
                instrument.heldNotes().count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--ordinary") {
            g_scheduling = PulseAudioOutput::Scheduling::ordinary;
        }
        if (std::string(argv[i]).rfind("--start-ms=", 0) == 0) {
            g_startMs = static_cast<std::uint32_t>(std::stoul(std::string(argv[i]).substr(11)));
        }
    }
    const auto count = [&](int fallback) {
        return argc > 2 && std::string(argv[2]).rfind("--", 0) != 0 ? std::stoi(argv[2]) : fallback;
    };
    if (mode == "--latency") {
        return measureLatency(count(1000));
    }
    if (mode == "--midi") {
        return measureMidiLatency(count(1000));
    }
    if (mode == "--flood") {
        return flood(count(10));
    }
    if (mode == "--storm") {
        return storm(count(20));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
