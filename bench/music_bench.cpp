// Music files: reading a large piece, and rendering one through the live voices. The render's
// figure that matters is its speed against real time (the "x_real_time" counter).
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "core/music/tuning_name.h"
#include "sound/music/piece_renderer.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace klangora;

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
    const auto cents = std::get<NamedTuning>(resolveTuningName("werck3")).centsAboveC;
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

} // namespace

BENCHMARK(loadFiveThousandNotes)->Unit(benchmark::kMillisecond);
BENCHMARK(renderThreeMinutesOfFourVoices)->Unit(benchmark::kMillisecond);
