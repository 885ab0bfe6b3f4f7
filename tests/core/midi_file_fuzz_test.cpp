// The reader meets whatever a user opens: thousands of seeded mutations of good files must each
// come back as a piece or a reason, never as a crash (the sanitizer build runs this too), and a
// piece that comes back must be one the players can trust.
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"

#include <gtest/gtest.h>

#include <random>

using namespace klangora;

namespace {

constexpr int kInputs = 5000;
using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> seedFiles() {
    MidiTrackWriter conductor;
    conductor.tempoBpm(0, 90);
    conductor.tempoBpm(300, 150);
    MidiTrackWriter voices;
    voices.program(0, 0, 19);
    voices.sysex(0, {0x41, 0x10, 0xF7});
    for (int i = 0; i < 12; ++i) {
        voices.noteOn(i * 120, i % 3, 60 + i);
        voices.controller(i * 120 + 10, i % 3, 64, i % 2 ? 0 : 127);
        voices.noteOff(i * 120 + 100, i % 3, 60 + i);
    }
    MidiTrackWriter plain(false);
    plain.noteOn(0, 9, 36);
    plain.noteOn(5, 4, 50);
    plain.noteOff(50, 4, 50);
    return {writeMidiFile({1, 96}, {conductor, voices}), writeMidiFile({0, 480}, {plain}),
            writeMidiFile({0, 0xE728}, {voices})};
}

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    Bytes mutated(Bytes file) {
        const std::size_t changes = 1 + pick(4);
        for (std::size_t i = 0; i < changes && !file.empty(); ++i) {
            const std::size_t at = pick(file.size());
            switch (pick(5)) {
            case 0:
                file[at] = static_cast<std::uint8_t>(pick(256));
                break;
            case 1:
                file[at] ^= static_cast<std::uint8_t>(1u << pick(8));
                break;
            case 2:
                file.erase(file.begin() + static_cast<std::ptrdiff_t>(at), file.end());
                break;
            case 3:
                file.insert(file.begin() + static_cast<std::ptrdiff_t>(at),
                            static_cast<std::uint8_t>(pick(256)));
                break;
            default:
                file[at] = std::array<std::uint8_t, 6>{0x00, 0x7F, 0x80, 0xF0, 0xFF, 0x51}[pick(6)];
            }
        }
        return file;
    }

    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }

private:
    std::mt19937 m_random;
};

TEST(MidiFileFuzz, MutatedFilesGiveAPieceThePlayersCanTrustOrAReason) {
    const std::vector<Bytes> seeds = seedFiles();
    Mutator mutator(28);
    int pieces = 0;
    for (int i = 0; i < kInputs; ++i) {
        const Bytes file = mutator.mutated(seeds[mutator.pick(seeds.size())]);
        const MidiFileResult result = readMidiFile(file);
        if (const auto* error = std::get_if<MidiFileError>(&result)) {
            ASSERT_FALSE(midiFileReason(*error).empty());
            continue;
        }
        const Piece& piece = std::get<Piece>(result);
        ++pieces;
        ASSERT_GT(piece.noteCount, 0);
        ASSERT_LE(piece.lengthSeconds, kMaxPieceSeconds);
        double previous = 0;
        for (const PieceEvent& e : piece.events) {
            ASSERT_GE(e.seconds, previous) << "input " << i;
            ASSERT_LE(e.seconds, piece.lengthSeconds + 1e-9);
            ASSERT_NE(e.channel, 9);
            ASSERT_LT(e.key, 128);
            previous = e.seconds;
        }
    }
    // The mutations must leave enough files readable to test what comes back.
    EXPECT_GT(pieces, kInputs / 10);
}

} // namespace
