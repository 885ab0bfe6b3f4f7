// Music files: reading a large piece, and rendering one through the live voices. The render's
// figure that matters is its speed against real time (the "x_real_time" counter).
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "core/music/tuning_name.h"
#include "sound/instrument/live_instrument.h"
#include "sound/music/piece_renderer.h"
#include "sound/music/piece_scheduler.h"
#include "sound/output/pulse_audio_output.h"
#include "support/private_pulse_server.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace klangora;
using namespace std::chrono_literals;

namespace {

// Four voices in chorale texture: a chord each quarter note, a tempo change every eight bars,
// the pedal down through each bar; `quarters` chords in all.
std::vector<std::uint8_t> chorale(int quarters, std::uint32_t ticksPerQuarter = 480) {
    MidiTrackWriter conductor;
    std::vector<MidiTrackWriter> tracks(1, conductor);
    for (int bar = 0; bar * 4 < quarters; bar += 8) {
        tracks[0].tempoBpm(static_cast<std::uint32_t>(bar) * 4 * ticksPerQuarter,
                           bar % 16 == 0 ? 80 : 96);
    }
    const int voices[4][4] = {
        {48, 53, 55, 48}, {64, 65, 62, 64}, {67, 69, 67, 67}, {72, 72, 71, 72}};
    for (int voice = 0; voice < 4; ++voice) {
        MidiTrackWriter track;
        for (int q = 0; q < quarters; ++q) {
            const std::uint32_t start = static_cast<std::uint32_t>(q) * ticksPerQuarter;
            if (voice == 0 && q % 4 == 0) {
                track.controller(start, voice, 64, 127);
            }
            track.noteOn(start, voice, voices[voice][q % 4]);
            track.noteOff(start + ticksPerQuarter - 10, voice, voices[voice][q % 4]);
            if (voice == 0 && q % 4 == 3) {
                track.controller(start + ticksPerQuarter - 5, voice, 64, 0);
            }
        }
        tracks.push_back(track);
    }
    return writeMidiFile({1, static_cast<std::uint16_t>(ticksPerQuarter)}, tracks);
}

void loadFiveThousandNotes(benchmark::State& state) {
    const auto file = chorale(1250); // four notes a chord
    for (auto _ : state) {
        const MidiFileResult piece = readMidiFile(file);
        benchmark::DoNotOptimize(piece);
    }
    state.counters["notes"] = std::get<Piece>(readMidiFile(file)).noteCount;
}

void renderThreeMinutesOfFourVoices(benchmark::State& state) {
    // 80 to 96 a minute: some 260 quarters fill three minutes.
    const Piece piece = std::get<Piece>(readMidiFile(chorale(262)));
    const auto cents = std::get<NamedTuning>(resolveTuningName("werck3")).tuning;
    std::vector<float> block(1 << 15);
    double seconds = 0;
    for (auto _ : state) {
        PieceRenderer renderer(piece, cents);
        while (!renderer.finished()) {
            benchmark::DoNotOptimize(renderer.render(block));
        }
        seconds += static_cast<double>(renderer.totalFrames()) / kRenderSampleRate;
    }
    state.counters["piece_s"] = piece.lengthSeconds;
    // Seconds of sound per second of processor time.
    state.counters["x_real_time"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

// A piece played by the audio clock as the live output plays it, in blocks of 256 samples,
// without (0) and with (1) its channel events queued for the MIDI output and taken out after
// each block: what the MIDI output costs the audio thread.
void playWithMidiOut(benchmark::State& state) {
    const Piece piece = std::get<Piece>(readMidiFile(chorale(262)));
    std::vector<float> block(256);
    double seconds = 0;
    std::size_t messages = 0;
    for (auto _ : state) {
        LiveSynth synth;
        PiecePlayer player(kRenderSampleRate);
        const auto scheduler = std::make_unique<PieceScheduler>(player);
        scheduler->midiQueue().setEnabled(state.range(0) == 1);
        player.load(std::shared_ptr<const Piece>(std::shared_ptr<const Piece>(), &piece));
        player.play();
        synth.setScheduler(scheduler.get());
        const auto blocks = static_cast<long>(piece.lengthSeconds * kRenderSampleRate / 256);
        for (long i = 0; i < blocks; ++i) {
            synth.render(block, kRenderSampleRate);
            while (scheduler->midiQueue().pop()) {
                ++messages;
            }
        }
        seconds += piece.lengthSeconds;
    }
    state.counters["messages"] = static_cast<double>(messages) / state.iterations();
    state.counters["x_real_time"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

// Short notes at uneven times, each followed by silence long enough to find its onset in a
// recording; returns the piece and fills the scheduled onsets in seconds.
Piece unevenNotes(int count, std::vector<double>& onsets) {
    MidiTrackWriter track;
    std::uint32_t tick = 0; // 120 a minute at 1000 ticks a quarter: a tick is half a millisecond
    for (int n = 0; n < count; ++n) {
        track.noteOn(tick, 0, 60 + n % 12);
        track.noteOff(tick + 100, 0, 60 + n % 12);
        onsets.push_back(tick / 2000.0);
        tick += 500 + static_cast<std::uint32_t>((n * 73) % 240);
    }
    return std::get<Piece>(readMidiFile(writeMidiFile({0, 1000}, {track})));
}

// The onset error of playback through a real stream: a piece played by the audio clock into a
// private PulseAudio server, its sink recorded, each note's first sound compared with its
// scheduled time (both counted from the first note).
int measureOnsets(int count) {
    using namespace klangora::test_support;
    PrivatePulseServer server;
    if (!server.start()) {
        std::fprintf(stderr, "no private PulseAudio server: %s\n", server.failure().c_str());
        return 1;
    }
    const ScopedEnvironment address("PULSE_SERVER", server.address());
    SinkRecorder recorder(server);
    if (!recorder.start()) {
        std::fputs("parec does not record the sink\n", stderr);
        return 1;
    }
    std::vector<double> scheduled;
    const auto piece = std::make_shared<const Piece>(unevenNotes(count, scheduled));
    const auto instrument = std::make_unique<LiveInstrument>(makePulseAudioOutput);
    PiecePlayer player(kRenderSampleRate);
    PieceScheduler scheduler(player);
    instrument->synth().setScheduler(&scheduler);
    // The stream first, settled at its latency, so that what is measured is the piece's timing
    // and not the stream's start.
    instrument->output()->open();
    std::this_thread::sleep_for(1500ms);
    player.load(piece);
    player.play();
    std::this_thread::sleep_for(std::chrono::duration<double>(piece->lengthSeconds + 1.0));
    instrument->synth().setScheduler(nullptr);
    std::this_thread::sleep_for(100ms);
    recorder.stop();
    const auto recording = recorder.recording();
    constexpr std::size_t kSilenceBefore = 400; // samples of the monitor's 128 before an onset
    std::vector<double> heard;
    std::size_t quiet = kSilenceBefore;
    for (std::size_t i = 0; i < recording.size(); ++i) {
        if (recording[i] == 128) {
            ++quiet;
            continue;
        }
        if (quiet >= kSilenceBefore) {
            heard.push_back(static_cast<double>(i) / PrivatePulseServer::kSampleRate);
        }
        quiet = 0;
    }
    if (heard.size() != scheduled.size()) {
        std::printf("heard %zu onsets of %zu notes\n", heard.size(), scheduled.size());
        return 1;
    }
    // Each note's lateness against its schedule; the stream's latency is the same for all, so
    // the error is the distance from their median. A server's underrun shifts all that follows.
    std::vector<double> lateMs;
    for (std::size_t n = 0; n < heard.size(); ++n) {
        lateMs.push_back((heard[n] - scheduled[n]) * 1000);
    }
    std::vector<double> sorted = lateMs;
    std::sort(sorted.begin(), sorted.end());
    const double typical = sorted[sorted.size() / 2];
    std::vector<double> errorsMs;
    for (const double late : lateMs) {
        errorsMs.push_back(std::fabs(late - typical));
    }
    std::sort(errorsMs.begin(), errorsMs.end());
    std::printf("onset error through the stream over %zu notes, against their median lateness: "
                "median %.2f ms, maximum %.2f ms\n",
                errorsMs.size(), errorsMs[errorsMs.size() / 2], errorsMs.back());
    return 0;
}

} // namespace

BENCHMARK(loadFiveThousandNotes)->Unit(benchmark::kMillisecond);
BENCHMARK(renderThreeMinutesOfFourVoices)->Unit(benchmark::kMillisecond);
BENCHMARK(playWithMidiOut)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `music_bench onsets [notes]` measures playback through a private sound server instead.
int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "onsets") {
        return measureOnsets(argc > 2 ? std::stoi(argv[2]) : 30);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
