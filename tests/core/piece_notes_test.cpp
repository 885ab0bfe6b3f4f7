// A piece's events paired into sounding notes: note-off to its note-on, the sustain pedal
// holding released notes, notes never released sounding to the end.
#include "core/music/piece_notes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace klangora;
using namespace klangora::music;

namespace {

using Kind = PieceEvent::Kind;

PieceEvent on(double s, int key, int channel = 0) {
    return {s, Kind::noteOn, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(key),
            100};
}
PieceEvent off(double s, int key, int channel = 0) {
    return {s, Kind::noteOff, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(key),
            0};
}
PieceEvent pedal(double s, bool down, int channel = 0) {
    return {s, Kind::sustain, static_cast<std::uint8_t>(channel), 64,
            static_cast<std::uint8_t>(down ? 127 : 0)};
}

using Note = std::tuple<double, double, int>; // start, end, key

struct PairingRow {
    std::string name;
    std::vector<PieceEvent> events;
    double lengthSeconds;
    std::vector<Note> notes;
};

std::vector<PairingRow> rows() {
    return {
        {"OffEndsItsOwnKey",
         {on(0, 60), on(0, 64), off(1, 64), off(2, 60)},
         2,
         {{0, 1, 64}, {0, 2, 60}}},
        {"TheEarliestStrikeIsReleasedFirst",
         {on(0, 60), on(1, 60), off(2, 60), off(3, 60)},
         3,
         {{0, 2, 60}, {1, 3, 60}}},
        {"ChannelsAreApart",
         {on(0, 60, 0), on(0, 60, 1), off(1, 60, 1), off(2, 60, 0)},
         2,
         {{0, 1, 60}, {0, 2, 60}}},
        {"ThePedalHoldsUntilItRises",
         {pedal(0, true), on(0, 60), off(1, 60), pedal(3, false)},
         4,
         {{0, 3, 60}}},
        {"ThePedalOfOneChannelHoldsNoOther",
         {pedal(0, true, 1), on(0, 60, 0), off(1, 60, 0), pedal(3, false, 1)},
         3,
         {{0, 1, 60}}},
        {"ANoteStruckUnderThePedalAfterItRoseEndsAtItsOff",
         {pedal(0, true), pedal(1, false), on(2, 62), off(3, 62)},
         3,
         {{2, 3, 62}}},
        {"NeverReleasedSoundsToTheEnd", {on(1, 67)}, 5, {{1, 5, 67}}},
        {"HeldByAPedalThatNeverRises", {pedal(0, true), on(0, 67), off(1, 67)}, 6, {{0, 6, 67}}},
        {"AnOffWithoutItsOnEndsNothing", {off(0.5, 60), on(1, 60), off(2, 60)}, 2, {{1, 2, 60}}},
    };
}

class NotePairing : public testing::TestWithParam<PairingRow> {};

TEST_P(NotePairing, NotesSoundFromStrikeToRelease) {
    const PairingRow& row = GetParam();
    Piece piece;
    piece.events = row.events;
    piece.lengthSeconds = row.lengthSeconds;
    std::vector<Note> notes;
    for (const TimedNote& n : soundingNotes(piece)) {
        notes.emplace_back(n.startSeconds, n.endSeconds, n.key);
    }
    std::vector<Note> expected = row.notes;
    std::sort(notes.begin(), notes.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(notes, expected);
}

INSTANTIATE_TEST_SUITE_P(Events, NotePairing, testing::ValuesIn(rows()),
                         [](const auto& info) { return info.param.name; });

TEST(PieceTriads, APedalledArpeggioSoundsAsItsTriad) {
    Piece piece;
    piece.events = {pedal(0, true), on(0, 48), off(0.5, 48), on(0.5, 52),
                    off(1, 52),     on(1, 55), off(1.5, 55), pedal(2, false)};
    piece.lengthSeconds = 4;
    const TriadTimes times = triadTimes(piece);
    EXPECT_DOUBLE_EQ(times.seconds[0], 1.0); // from the g at 1 s until the pedal rises at 2 s
    EXPECT_DOUBLE_EQ(times.share(0), 0.25);
}

} // namespace
