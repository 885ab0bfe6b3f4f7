// The triad analysis of a long piece: the table computed when a piece is loaded, the look-up of
// the triads sounding at the playing position (many times a second while it plays), and the
// whole of `klangora --triads` from the file's bytes; and the pairing of a million notes, once
// in four voices that each let go before striking again and once as one key struck a million
// times before any of them is let go (each release then ends the earliest of all still held).
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "core/music/piece_notes.h"
#include "core/music/triad_analysis.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace klangora;
using namespace klangora::music;

namespace {

constexpr int kChords = 1250; // four voices: 5,000 notes

// Four-voice chords of random tones, a quarter of a second each, some held over the next.
std::vector<TimedNote> randomPiece() {
    std::mt19937 random(29);
    std::uniform_int_distribution<int> key(36, 84);
    std::uniform_int_distribution<int> held(1, 3);
    std::vector<TimedNote> notes;
    for (int c = 0; c < kChords; ++c) {
        for (int voice = 0; voice < 4; ++voice) {
            notes.push_back({c * 0.25, (c + held(random)) * 0.25, key(random)});
        }
    }
    return notes;
}

std::vector<std::uint8_t> randomFile() {
    MidiTrackWriter track;
    std::vector<TimedNote> notes = randomPiece();
    for (int c = 0; c < kChords; ++c) {
        for (int voice = 0; voice < 4; ++voice) {
            track.noteOn(static_cast<std::uint32_t>(c * 120), voice, notes[c * 4 + voice].key);
        }
        for (int voice = 0; voice < 4; ++voice) {
            track.noteOff(static_cast<std::uint32_t>(c * 120 + 120), voice,
                          notes[c * 4 + voice].key);
        }
    }
    return writeMidiFile({0, 480}, {track});
}

void BM_TriadTimesOf5000Notes(benchmark::State& state) {
    const std::vector<TimedNote> notes = randomPiece();
    for (auto _ : state) {
        benchmark::DoNotOptimize(triadTimes(notes));
    }
}
BENCHMARK(BM_TriadTimesOf5000Notes)->Unit(benchmark::kMillisecond);

void BM_TriadsSoundingAtAMoment(benchmark::State& state) {
    const std::vector<TriadSpan> spans = triadSpans(randomPiece());
    double seconds = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(triadsSoundingAt(spans, seconds));
        seconds = seconds > kChords * 0.25 ? 0.0 : seconds + 0.013;
    }
}
BENCHMARK(BM_TriadsSoundingAtAMoment);

void BM_ReadAndAnalyse5000NoteFile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = randomFile();
    for (auto _ : state) {
        const MidiFileResult piece = readMidiFile(bytes);
        benchmark::DoNotOptimize(triadTimes(std::get<Piece>(piece)));
    }
}
BENCHMARK(BM_ReadAndAnalyse5000NoteFile)->Unit(benchmark::kMillisecond);

constexpr int kMillion = 1'000'000;

Piece millionNotes(bool oneKeyHeld) {
    using Kind = PieceEvent::Kind;
    Piece piece;
    piece.events.reserve(2 * kMillion);
    for (int n = 0; n < kMillion; ++n) {
        const auto voice = static_cast<std::uint8_t>(oneKeyHeld ? 0 : n % 4);
        const auto key = static_cast<std::uint8_t>(oneKeyHeld ? 60 : 48 + 7 * voice);
        piece.events.push_back({n * 0.001, Kind::noteOn, voice, key, 90});
        if (!oneKeyHeld) {
            piece.events.push_back({n * 0.001 + 0.0005, Kind::noteOff, voice, key, 0});
        }
    }
    for (int n = 0; oneKeyHeld && n < kMillion; ++n) {
        piece.events.push_back({1000.0 + n * 0.001, Kind::noteOff, 0, 60, 0});
    }
    piece.lengthSeconds = piece.events.back().seconds;
    piece.noteCount = kMillion;
    return piece;
}

void BM_PairMillionNotes(benchmark::State& state) {
    const Piece piece = millionNotes(state.range(0) == 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(soundingNotes(piece));
    }
}
BENCHMARK(BM_PairMillionNotes)
    ->ArgName("one_key_held")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The largest file read, just under 16 MiB: one key struck 2.75 million times, every stroke held
// until all are struck. Reading it is the part left on the window's thread; the analysis runs
// on a worker.
std::vector<std::uint8_t> largestFile() {
    constexpr std::uint32_t kStrokes = 2'750'000;
    MidiTrackWriter track;
    for (std::uint32_t n = 0; n < 2 * kStrokes; ++n) {
        if (n < kStrokes) {
            track.noteOn(n, 0, 60);
        } else {
            track.noteOff(n, 0, 60);
        }
    }
    return writeMidiFile({0, 480}, {track});
}

void BM_ReadLargestFile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = largestFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readMidiFile(bytes));
    }
    state.counters["MiB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_ReadLargestFile)->Unit(benchmark::kMillisecond);

void BM_AnalyseLargestPiece(benchmark::State& state) {
    const Piece piece = std::get<Piece>(readMidiFile(largestFile()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(pieceTriads(piece));
    }
    state.counters["notes"] = piece.noteCount;
}
BENCHMARK(BM_AnalyseLargestPiece)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
