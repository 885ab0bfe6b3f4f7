// A passage on repeat: at B the notes sounding end and A's events follow at the very sample,
// the pedal and the programs as they stand at A, so that two rounds sound as one round twice.
#include "sound/music/piece_cursor.h"
#include "sound/music/piece_player.h"
#include "sound/music/piece_scheduler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace klangora;

namespace {

constexpr int kRate = 48000;
constexpr double kA = 1.0;
constexpr double kB = 2.0;
// The voices' release ramp lasts 80 ms; what round one leaves sounding dies within it.
constexpr int kReleaseFrames = kRate / 10;

using Kind = PieceEvent::Kind;

// Program 19 from the start, the pedal down before A and up inside the passage, a g released
// under it, an e that is still held at B.
Piece passagePiece() {
    Piece piece;
    piece.events = {{0.0, Kind::program, 0, 19, 0}, {0.5, Kind::sustain, 0, 0, 127},
                    {1.0, Kind::noteOn, 0, 60, 50}, {1.2, Kind::noteOn, 0, 64, 40},
                    {1.4, Kind::noteOff, 0, 60, 0}, {1.5, Kind::noteOn, 0, 67, 45},
                    {1.6, Kind::noteOff, 0, 67, 0}, {1.8, Kind::sustain, 0, 0, 0},
                    {2.3, Kind::noteOff, 0, 64, 0}, {2.5, Kind::program, 0, 40, 0}};
    piece.lengthSeconds = 3.0;
    return piece;
}

struct Heard {
    std::int64_t frame;
    Kind kind;
    int key;
    int value;
};

TEST(PassageRepeat, AtBTheNotesEndAndAsEventsFollowAtTheSameSample) {
    const Piece piece = passagePiece();
    PieceCursor cursor(kRate);
    cursor.setPiece(&piece);
    cursor.seek(kA);
    cursor.repeatPassage(kA, kB);
    cursor.play();
    std::vector<Heard> voices;
    std::vector<Heard> channel;
    const int block = 1000; // B falls inside a block
    for (std::int64_t done = 0; done < 2 * kRate + block; done += block) {
        cursor.advance(
            block,
            [&](int offset, const PieceAction& a) {
                voices.push_back(
                    {done + offset,
                     a.kind == PieceAction::Kind::noteOn ? Kind::noteOn : Kind::noteOff, a.note,
                     0});
            },
            [&](int offset, const PieceEvent& e) {
                channel.push_back({done + offset, e.kind, e.key, e.value});
            });
    }
    const std::int64_t atB = kRate; // one round after the start at A
    const auto at = [](const std::vector<Heard>& heard, std::int64_t frame) {
        std::vector<Heard> found;
        for (const Heard& h : heard) {
            if (h.frame == frame) {
                found.push_back(h);
            }
        }
        return found;
    };
    // The e held across B ends there, and A's c starts on the same sample, after it.
    const auto voicesAtB = at(voices, atB);
    ASSERT_EQ(voicesAtB.size(), 2u);
    EXPECT_EQ(voicesAtB[0].kind, Kind::noteOff);
    EXPECT_EQ(voicesAtB[0].key, 64);
    EXPECT_EQ(voicesAtB[1].kind, Kind::noteOn);
    EXPECT_EQ(voicesAtB[1].key, 60);
    // The instrument's channel: program 19 and the pedal down again before the c.
    bool program = false;
    bool pedal = false;
    for (const Heard& h : at(channel, atB)) {
        program = program || (h.kind == Kind::program && h.key == 19);
        pedal = pedal || (h.kind == Kind::sustain && h.value == 127);
        if (h.kind == Kind::noteOn) {
            EXPECT_TRUE(program && pedal);
        }
    }
    // The g released under the pedal sounds to the pedal's rise in the second round as well.
    const auto gEnds = [&](std::int64_t round) {
        for (const Heard& h : voices) {
            if (h.kind == Kind::noteOff && h.key == 67 && h.frame >= round * kRate) {
                return h.frame - round * kRate;
            }
        }
        return std::int64_t{-1};
    };
    EXPECT_EQ(gEnds(0), static_cast<std::int64_t>((1.8 - kA) * kRate));
    EXPECT_EQ(gEnds(1), gEnds(0));
    EXPECT_TRUE(cursor.playing());
}

// The voices' sound of `seconds` from A, the passage on repeat, in blocks of an odd size.
std::vector<float> renderFromA(const Piece& piece, double seconds, int tempoPercent) {
    LiveSynth synth;
    PiecePlayer player(kRate);
    PieceScheduler scheduler(player);
    player.load(std::shared_ptr<const Piece>(std::shared_ptr<const Piece>(), &piece));
    player.setTempoPercent(tempoPercent);
    player.seek(kA);
    player.repeatPassage(kA, kB);
    player.play();
    synth.setScheduler(&scheduler);
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
        synth.post(LiveEvent::tune(pitchClass, 100.0 * pitchClass));
    }
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t start = 0; start < samples.size(); start += 777) {
        synth.render(
            std::span(samples).subspan(start, std::min<std::size_t>(777, samples.size() - start)),
            kRate);
    }
    return samples;
}

class PassageRounds : public testing::TestWithParam<int> {};

TEST_P(PassageRounds, TwoRoundsSoundAsOneRoundTwice) {
    const int tempo = GetParam();
    const std::size_t round =
        static_cast<std::size_t>(std::lround((kB - kA) * kRate * 100.0 / tempo));
    const std::vector<float> sound = renderFromA(passagePiece(), 2.0 * round / kRate + 0.01, tempo);
    double loudest = 0;
    double largestDifference = 0;
    for (std::size_t i = kReleaseFrames; i < round; ++i) {
        loudest = std::max(loudest, double(std::fabs(sound[i])));
        largestDifference =
            std::max(largestDifference, double(std::fabs(sound[round + i] - sound[i])));
    }
    ASSERT_GT(loudest, 0.01); // the passage sounds
    // Sample for sample, once round one's release has died away: no sample lost or doubled.
    EXPECT_LT(largestDifference, 1e-4 * loudest) << "tempo " << tempo;
}

// At full tempo every round is a whole number of samples; slower, B falls between samples.
INSTANTIATE_TEST_SUITE_P(Tempi, PassageRounds, testing::Values(100, 80));

} // namespace
