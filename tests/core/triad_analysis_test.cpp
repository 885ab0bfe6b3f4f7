#include "core/music/triad_analysis.h"
#include "core/presets.h"
#include "core/tone_table.h"
#include "support/tuned_table.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace klangora;
using namespace klangora::music;

namespace {

constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9;

// A chord of MIDI keys from start to end seconds.
std::vector<TimedNote> chord(double start, double end, std::initializer_list<int> keys) {
    std::vector<TimedNote> notes;
    for (int key : keys) {
        notes.push_back({start, end, key});
    }
    return notes;
}

std::vector<TimedNote> joined(std::initializer_list<std::vector<TimedNote>> parts) {
    std::vector<TimedNote> notes;
    for (const auto& part : parts) {
        notes.insert(notes.end(), part.begin(), part.end());
    }
    return notes;
}

struct PieceRow {
    std::string name;
    std::vector<TimedNote> notes;
    std::vector<std::pair<int, double>> soundingSeconds; // root, seconds; every other root 0
    std::vector<std::pair<int, double>> minorSeconds{};  // likewise, of the minor triads
};

std::vector<PieceRow> pieces() {
    return {
        {"RootPosition", chord(0, 2, {60, 64, 67}), {{C, 2.0}}},
        {"FirstInversion", chord(1, 2.5, {64, 67, 72}), {{C, 1.5}}},
        {"SecondInversion", chord(0, 3, {55, 60, 64}), {{C, 3.0}}},
        {"SpreadOverFourOctaves", chord(0, 1, {36, 55, 76, 84}), {{C, 1.0}}},
        {"AddedSeventhStillCounts", chord(0, 2, {48, 64, 67, 70}), {{C, 2.0}}},
        {"MinorTriadCountsAsMinorOnly", chord(0, 2, {60, 63, 67}), {}, {{C, 2.0}}},
        {"MinorTriadOnAWithDoubledRoot", chord(0, 2, {57, 60, 64, 69}), {}, {{A, 2.0}}},
        {"MinorSeventhHoldsTheMajorTriadAThirdUp",
         chord(0, 2, {57, 60, 64, 67}),
         {{C, 2.0}},
         {{A, 2.0}}},
        {"ArpeggioNeverSoundsTogether",
         joined({chord(0, 1, {60}), chord(1, 2, {64}), chord(2, 3, {67})}),
         {}},
        {"OnlyTheOverlapCounts",
         joined({chord(0, 4, {48}), chord(1, 3, {64}), chord(2, 5, {79})}),
         {{C, 1.0}}},
        {"DoubledRootCarriesOnWhenOneVoiceStops",
         joined({chord(0, 1, {48}), chord(0, 3, {60, 64, 67})}),
         {{C, 3.0}}},
        {"CadenceCountsEachChord",
         joined({chord(0, 1, {48, 64, 67, 72}), chord(1, 2, {53, 65, 69, 72}),
                 chord(2, 3, {55, 62, 67, 71}), chord(3, 5, {48, 64, 67, 72})}),
         {{C, 3.0}, {F, 1.0}, {G, 1.0}}},
        {"NineChordHoldsThreeTriads",
         chord(0, 2, {60, 64, 67, 71, 74}),
         {{C, 2.0}, {G, 2.0}},
         {{E, 2.0}}},
        {"MinorCadenceBesideMajor",
         joined({chord(0, 1, {57, 60, 64}), chord(1, 2, {50, 65, 69}), chord(2, 3, {52, 68, 71})}),
         {{E, 1.0}},
         {{A, 1.0}, {D, 1.0}}},
        {"NoteOfNoLengthSoundsNowhere", joined({chord(0, 2, {60, 64}), chord(1, 1, {67})}), {}},
        {"KeysBelowMidiZeroFoldIntoTheirClass", chord(0, 1, {-12, -8, -5}), {{C, 1.0}}},
        {"RestBetweenChordsCountsForNothing",
         joined({chord(0, 1, {57, 61, 64}), chord(3, 4, {57, 61, 64})}),
         {{A, 2.0}}},
    };
}

class TriadSeconds : public testing::TestWithParam<PieceRow> {};

TEST_P(TriadSeconds, EachRootSoundsForExactlyItsSeconds) {
    const PieceRow& row = GetParam();
    const TriadTimes times = triadTimes(row.notes);
    std::array<double, 12> expected{};
    std::array<double, 12> expectedMinor{};
    for (const auto& [root, seconds] : row.soundingSeconds) {
        expected[static_cast<std::size_t>(root)] = seconds;
    }
    for (const auto& [root, seconds] : row.minorSeconds) {
        expectedMinor[static_cast<std::size_t>(root)] = seconds;
    }
    for (int root = 0; root < 12; ++root) {
        const auto at = static_cast<std::size_t>(root);
        EXPECT_NEAR(times.secondsOf(root, TriadKind::major), expected[at], 1e-9) << "root " << root;
        EXPECT_NEAR(times.secondsOf(root, TriadKind::minor), expectedMinor[at], 1e-9)
            << "minor root " << root;
    }
}

INSTANTIATE_TEST_SUITE_P(Pieces, TriadSeconds, testing::ValuesIn(pieces()),
                         [](const auto& info) { return info.param.name; });

TEST(TriadTimes, ShareIsOfThePiecesLengthFromItsStart) {
    // The piece starts at 0 with a second of silence; its last note ends at 4 s.
    const auto notes = joined({chord(1, 2, {60, 64, 67}), chord(2, 4, {65, 69, 72})});
    const TriadTimes times = triadTimes(notes);
    EXPECT_DOUBLE_EQ(times.pieceSeconds, 4.0);
    EXPECT_DOUBLE_EQ(times.share(C), 0.25);
    EXPECT_DOUBLE_EQ(times.share(F), 0.5);
    EXPECT_DOUBLE_EQ(times.share(G), 0.0);
}

TEST(TriadTimes, SilenceAfterTheLastNoteLengthensThePiece) {
    const TriadTimes times = triadTimes(chord(0, 2, {60, 64, 67}), 8.0);
    EXPECT_DOUBLE_EQ(times.pieceSeconds, 8.0);
    EXPECT_DOUBLE_EQ(times.share(C), 0.25);
    // A stated length shorter than the notes does not cut them off.
    EXPECT_DOUBLE_EQ(triadTimes(chord(0, 2, {60, 64, 67}), 1.0).share(C), 1.0);
}

TEST(TriadTimes, AnEmptyPieceHasNoShares) {
    const TriadTimes times = triadTimes({});
    EXPECT_EQ(times.pieceSeconds, 0.0);
    EXPECT_EQ(times.share(C), 0.0);
}

struct DeviationRow {
    PresetId preset;
    int root;
    double thirdCents;
    double fifthCents;
    TriadKind kind = TriadKind::major;
};

class TriadDeviations : public testing::TestWithParam<DeviationRow> {};

TEST_P(TriadDeviations, AsTheReadoutsShowThem) {
    const DeviationRow& row = GetParam();
    const TriadDeviation deviation = triadDeviation(Tuning::preset(row.preset), row.root, row.kind);
    // The readouts round to a tenth, the presets' tones to a twentieth of a cent.
    EXPECT_NEAR(deviation.thirdCents, row.thirdCents, 0.1);
    EXPECT_NEAR(deviation.fifthCents, row.fifthCents, 0.1);
}

// Equal: every third 13.686 wide, every fifth 1.955 narrow. Pythagorean, whose button keeps
// its tones to whole cents (E at 408, G at 702): the C major third 21.686 wide, its fifth
// nearly pure. Quarter-comma meantone: a pure third on C, fifths a quarter of the syntonic
// comma (5.377) narrow, and the H major third (H-Eb, a diminished fourth) 41.06 wide. Minor
// thirds from 6:5 (315.641): equal ones 15.641 narrow; Pythagorean A minor (A at 906, c' at
// 1200) 21.641 narrow, its Eb minor third (Eb-F#, an augmented second) 2.4 wide; meantone's
// minor thirds a quarter comma narrow, and its wolf G# minor (G#-H-Eb) fifth 35.7 wide.
INSTANTIATE_TEST_SUITE_P(
    Temperaments, TriadDeviations,
    testing::Values(DeviationRow{PresetId::lige, C, 13.686, -1.955},
                    DeviationRow{PresetId::lige, 11, 13.686, -1.955},
                    DeviationRow{PresetId::pyt, C, 21.686, 0.045},
                    DeviationRow{PresetId::praet, C, 0.0, -5.377},
                    DeviationRow{PresetId::praet, 11, 41.06, -5.377},
                    DeviationRow{PresetId::lige, A, -15.641, -1.955, TriadKind::minor},
                    DeviationRow{PresetId::pyt, A, -21.641, 0.045, TriadKind::minor},
                    DeviationRow{PresetId::pyt, 3, 2.4, 0.0, TriadKind::minor},
                    DeviationRow{PresetId::praet, A, -5.377, -5.377, TriadKind::minor},
                    DeviationRow{PresetId::praet, 8, -5.377, 35.6, TriadKind::minor}));

TEST(TriadDeviations, FollowARetuning) {
    // E down by 13.7 cents (274 twentieths): the C major third becomes pure, the fifth of A
    // major (A-E) 13.7 narrower, and E major's own third 13.7 wider.
    const Tuning tuning = Tuning::preset(PresetId::lige).withPosition(5, 274);
    EXPECT_NEAR(triadDeviation(tuning, C).thirdCents, 0.0, 0.051);
    EXPECT_NEAR(triadDeviation(tuning, A).fifthCents, -15.7, 0.051);
    EXPECT_NEAR(triadDeviation(tuning, 4).thirdCents, 27.4, 0.051);
    EXPECT_NEAR(triadDeviation(tuning, G).thirdCents, 13.7, 0.051);
}

TEST(TriadOrder, EveryRootOnceInBothArrangements) {
    for (const auto& order : {kChromaticRoots, kFifthsRoots}) {
        std::array<int, 12> seen{};
        for (int root : order) {
            ++seen[static_cast<std::size_t>(root)];
        }
        EXPECT_EQ(seen, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    }
    for (std::size_t c = 1; c < kFifthsRoots.size(); ++c) {
        EXPECT_EQ(kFifthsRoots[c], (kFifthsRoots[c - 1] + 7) % 12) << "column " << c;
    }
}

} // namespace

namespace {

TEST(TriadSpans, NeighboursWithTheSameTriadsAreJoinedAndRestsLeftOut) {
    // C major twice in a row (re-struck), a rest, then C major with G major over it.
    const auto notes = joined(
        {chord(0, 1, {60, 64, 67}), chord(1, 2, {48, 64, 67}), chord(3, 4, {60, 64, 67, 71, 74})});
    const std::vector<TriadSpan> spans = triadSpans(notes);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].startSeconds, 0.0);
    EXPECT_EQ(spans[0].endSeconds, 2.0);
    EXPECT_EQ(spans[0].roots, TriadMask{1u << C});
    EXPECT_EQ(spans[1].roots, TriadMask{(1u << C) | (1u << G)});
}

TEST(TriadSpans, WhatSoundsAtAMoment) {
    const auto notes =
        joined({chord(0, 1, {60, 64, 67}), chord(1, 2, {53, 69, 72}), chord(3, 4, {55, 59, 62})});
    const std::vector<TriadSpan> spans = triadSpans(notes);
    EXPECT_EQ(triadsSoundingAt(spans, -0.5), 0);
    EXPECT_EQ(triadsSoundingAt(spans, 0.0), 1u << C);
    EXPECT_EQ(triadsSoundingAt(spans, 0.999), 1u << C);
    EXPECT_EQ(triadsSoundingAt(spans, 1.0), 1u << F); // a stretch ends where the next begins
    EXPECT_EQ(triadsSoundingAt(spans, 2.5), 0);       // the rest
    EXPECT_EQ(triadsSoundingAt(spans, 3.5), 1u << G);
    EXPECT_EQ(triadsSoundingAt(spans, 4.0), 0); // after the end
    // F A C holds A minor nowhere, but D F A does; G B D holds no minor triad either.
    const std::vector<TriadSpan> minor =
        triadSpans(joined({chord(0, 1, {62, 65, 69}), chord(1, 2, {55, 59, 62})}));
    EXPECT_EQ(triadsSoundingAt(minor, 0.5, TriadKind::minor), 1u << D);
    EXPECT_EQ(triadsSoundingAt(minor, 0.5, TriadKind::major), 0);
    EXPECT_EQ(triadsSoundingAt(minor, 1.5, TriadKind::minor), 0);
    EXPECT_EQ(triadsSoundingAt(minor, 1.5, TriadKind::major), 1u << G);
}

} // namespace
