// The piece's cursor driven directly, block by block, as the audio thread drives it: which
// events reach the voices, at which sample, under tempo, pause, seek and the sustain pedal.
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "sound/music/piece_cursor.h"
#include "sound/music/piece_player.h"

#include <gtest/gtest.h>

#include <memory>

using namespace klangora;

namespace {

constexpr int kRate = 48000;

struct Applied {
    std::int64_t frame; // from the start of the run
    PieceAction::Kind kind;
    int note;
};

// Runs the cursor for `seconds` in blocks of `block` samples and lists what reached the voices.
std::vector<Applied> run(PieceCursor& cursor, double seconds, int block = 256,
                         std::int64_t startFrame = 0) {
    std::vector<Applied> applied;
    const auto frames = static_cast<std::int64_t>(seconds * kRate);
    for (std::int64_t done = 0; done < frames; done += block) {
        cursor.advance(block, [&](int offset, const PieceAction& e) {
            applied.push_back({startFrame + done + offset, e.kind, e.note});
        });
    }
    return applied;
}

Piece pieceOf(const MidiTrackWriter& track, std::uint16_t ticksPerQuarter = 480) {
    return std::get<Piece>(readMidiFile(writeMidiFile({0, ticksPerQuarter}, {track})));
}

// c at 0, e at a quarter, g at the next: 120 a minute, so a quarter is 24000 samples.
Piece arpeggio() {
    MidiTrackWriter track;
    const int notes[] = {60, 64, 67};
    for (int i = 0; i < 3; ++i) {
        track.noteOn(480 * i, 0, notes[i]);
        track.noteOff(480 * i + 240, 0, notes[i]);
    }
    return pieceOf(track);
}

// A cursor at the output's rate with the piece set, playing from its start.
std::unique_ptr<PieceCursor> playing(const Piece& piece) {
    auto cursor = std::make_unique<PieceCursor>(kRate);
    cursor->setPiece(&piece);
    cursor->play();
    return cursor;
}

std::vector<std::int64_t> noteOnFrames(const std::vector<Applied>& applied) {
    std::vector<std::int64_t> frames;
    for (const Applied& a : applied) {
        if (a.kind == PieceAction::Kind::noteOn) {
            frames.push_back(a.frame);
        }
    }
    return frames;
}

struct TempoRow {
    int percent;
    int block;
    std::vector<std::int64_t> frames;
};

class CursorTempo : public ::testing::TestWithParam<TempoRow> {};

TEST_P(CursorTempo, NotesReachTheVoicesAtTheirSampleWhateverTheBlock) {
    const Piece piece = arpeggio();
    PieceCursor cursor(kRate);
    cursor.setPiece(&piece);
    cursor.setTempoPercent(GetParam().percent);
    cursor.play();
    EXPECT_EQ(noteOnFrames(run(cursor, 3.0, GetParam().block)), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Tempi, CursorTempo,
                         ::testing::Values(TempoRow{100, 256, {0, 24000, 48000}},
                                           TempoRow{100, 1, {0, 24000, 48000}},
                                           TempoRow{100, 1000, {0, 24000, 48000}},
                                           TempoRow{50, 256, {0, 48000, 96000}},
                                           TempoRow{150, 256, {0, 16000, 32000}},
                                           TempoRow{200, 256, {0, 16000, 32000}})); // 150 at most

TEST(PieceCursor, PauseReleasesWhatSoundsAndPlayGoesOnFromThere) {
    const Piece piece = arpeggio();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    run(cursor, 0.1);
    cursor.pause();
    const auto paused = run(cursor, 1.0);
    ASSERT_EQ(paused.size(), 1u);
    EXPECT_EQ(paused[0].kind, PieceAction::Kind::noteOff);
    EXPECT_EQ(paused[0].note, 60);
    const double at = cursor.positionSeconds();
    cursor.play();
    const auto resumed = noteOnFrames(run(cursor, 1.0));
    ASSERT_FALSE(resumed.empty());
    EXPECT_NEAR(static_cast<double>(resumed[0]), (0.5 - at) * kRate, 256);
}

TEST(PieceCursor, SeekReleasesAndPlaysOnFromTheNewTime) {
    const Piece piece = arpeggio();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    run(cursor, 0.1);
    cursor.seek(0.75);
    const auto after = run(cursor, 1.0);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[0].kind, PieceAction::Kind::noteOff); // the c that sounded
    EXPECT_EQ(noteOnFrames(after), (std::vector<std::int64_t>{12000}));
}

TEST(PieceCursor, ThePedalHoldsReleasedKeysUntilItRises) {
    MidiTrackWriter track;
    track.controller(0, 0, 64, 127);
    track.noteOn(0, 0, 60);
    track.noteOff(240, 0, 60);       // released at a quarter second, pedal down
    track.controller(480, 0, 64, 0); // pedal up at half a second
    track.noteOn(480, 1, 62);
    track.noteOff(720, 1, 62);
    const Piece piece = pieceOf(track);
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    const auto applied = run(cursor, 1.0);
    std::vector<std::pair<std::int64_t, int>> offs;
    for (const Applied& a : applied) {
        if (a.kind == PieceAction::Kind::noteOff) {
            offs.emplace_back(a.frame, a.note);
        }
    }
    EXPECT_EQ(offs, (std::vector<std::pair<std::int64_t, int>>{{24000, 60}, {36000, 62}}));
}

TEST(PieceCursor, ANoteTwoChannelsHoldEndsWhenBothLetGo) {
    MidiTrackWriter track;
    track.noteOn(0, 0, 60);
    track.noteOn(0, 1, 60);
    track.noteOff(240, 0, 60);
    track.noteOff(480, 1, 60);
    const Piece piece = pieceOf(track);
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    const auto applied = run(cursor, 1.0);
    ASSERT_EQ(applied.back().kind, PieceAction::Kind::noteOff);
    EXPECT_EQ(applied.back().frame, 24000);
    EXPECT_EQ(std::count_if(applied.begin(), applied.end(),
                            [](const Applied& a) { return a.kind == PieceAction::Kind::noteOff; }),
              1);
}

TEST(PieceCursor, AtTheEndItStopsAndPlayStartsAgain) {
    const Piece piece = arpeggio();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    run(cursor, 2.0);
    EXPECT_FALSE(cursor.playing());
    EXPECT_DOUBLE_EQ(cursor.positionSeconds(), piece.lengthSeconds);
    cursor.play();
    EXPECT_EQ(noteOnFrames(run(cursor, 0.1)), (std::vector<std::int64_t>{0}));
}

TEST(PiecePlayer, CommandsFromTheWindowReachTheCursorAtTheNextBlock) {
    PiecePlayer player(kRate);
    player.load(std::make_shared<const Piece>(arpeggio()));
    player.setTempoPercent(50);
    player.seek(0.5);
    player.play();
    std::vector<int> notes;
    const auto noteOns = [&](int, const PieceAction& e) {
        if (e.kind == PieceAction::Kind::noteOn) {
            notes.push_back(e.note);
        }
    };
    player.advance(480, kRate, noteOns);
    EXPECT_TRUE(player.soundingNotes().test(64));
    EXPECT_EQ(player.soundingNotes().count(), 1u);
    for (int block = 1; block < 100; ++block) {
        player.advance(480, kRate, noteOns);
    }
    EXPECT_EQ(notes, (std::vector<int>{64}));              // the g falls on the next sample
    EXPECT_EQ(player.soundingNotes(), std::bitset<128>()); // the e ended at 0.75 s
    EXPECT_TRUE(player.isPlaying());
    EXPECT_NEAR(player.positionSeconds(), 0.5 + 0.5, 1e-9); // a second at half tempo
    // A second piece replaces the first; the first may be let go.
    player.load(std::make_shared<const Piece>(arpeggio()));
    player.advance(480, kRate, [](int, const PieceAction&) {});
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.positionSeconds(), 0);
}

TEST(PieceCursor, AnotherOutputRateKeepsTheMomentAndTheNotesTimes) {
    const Piece piece = arpeggio();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    run(cursor, 0.25, 240);
    cursor.setSampleRate(44100);
    EXPECT_DOUBLE_EQ(cursor.positionSeconds(), 0.25);
    std::vector<std::int64_t> struck;
    for (std::int64_t done = 0; done < 44100; done += 441) {
        cursor.advance(441, [&](int offset, const PieceAction& e) {
            if (e.kind == PieceAction::Kind::noteOn) {
                struck.push_back(done + offset);
            }
        });
    }
    EXPECT_EQ(struck, (std::vector<std::int64_t>{11025, 33075})); // at 0.5 s and 1.0 s
}

TEST(PiecePlayer, WithoutAnAudioSideCommandsWaitInOrderAndTheWindowNeverBlocks) {
    PiecePlayer player(kRate);
    player.load(std::make_shared<const Piece>(arpeggio()));
    for (int i = 0; i < 1000; ++i) {
        player.setTempoPercent(50 + i % 100);
    }
    player.setTempoPercent(150);
    player.play();
    for (int block = 0; block < 20; ++block) {
        player.flush();
        player.advance(480, kRate, [](int, const PieceAction&) {});
    }
    EXPECT_TRUE(player.isPlaying());
    // 1002 commands reached the cursor in order: the last tempo, then play, a block each time.
    const double before = player.positionSeconds();
    player.advance(480, kRate, [](int, const PieceAction&) {});
    EXPECT_NEAR(player.positionSeconds() - before, 0.015, 1e-9);
}

struct ChannelEvent {
    PieceEvent::Kind kind;
    int channel;
    int key;
    int value;
    bool operator==(const ChannelEvent&) const = default;
};

std::vector<ChannelEvent> channelRun(PieceCursor& cursor, double seconds) {
    std::vector<ChannelEvent> events;
    for (int done = 0; done < seconds * kRate; done += 480) {
        cursor.advance(
            480, [](int, const PieceAction&) {},
            [&](int, const PieceEvent& e) {
                events.push_back({e.kind, e.channel, e.key, e.value});
            });
    }
    return events;
}

// Channel 2 changes to program 40 at a quarter and plays e from there; channel 3 holds g under
// the pedal from the start.
Piece programAndPedal() {
    MidiTrackWriter track;
    track.controller(0, 3, 64, 127);
    track.noteOn(0, 3, 67);
    track.noteOff(120, 3, 67);
    track.program(480, 2, 40);
    track.noteOn(480, 2, 64);
    track.noteOff(960, 2, 64);
    return pieceOf(track);
}

int programSent(const std::vector<ChannelEvent>& events, int channel) {
    int program = -1;
    for (const ChannelEvent& e : events) {
        if (e.kind == PieceEvent::Kind::program && e.channel == channel) {
            program = e.key;
        }
    }
    return program;
}

TEST(PieceCursorChannels, TheFilesEventsPassOnChannelByChannel) {
    const Piece piece = programAndPedal();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    const auto events = channelRun(cursor, 0.6);
    EXPECT_EQ(programSent(events, 2), 40);
    EXPECT_EQ(programSent(events, 3), 0); // sent at the start: no earlier piece's program stays
    EXPECT_NE(
        std::find(events.begin(), events.end(), ChannelEvent{PieceEvent::Kind::noteOn, 2, 64, 100}),
        events.end());
}

TEST(PieceCursorChannels, ASeekPastAProgramChangeSendsItAgain) {
    const Piece piece = programAndPedal();
    PieceCursor cursor(kRate);
    cursor.setPiece(&piece);
    cursor.seek(0.75);
    cursor.play();
    const auto events = channelRun(cursor, 0.05);
    EXPECT_EQ(programSent(events, 2), 40);
    EXPECT_EQ(cursor.programAt(2), 40);
}

TEST(PieceCursorChannels, APauseLetsGoOfEveryKeyAndPedalOfEveryChannel) {
    const Piece piece = programAndPedal();
    const auto played = playing(piece);
    PieceCursor& cursor = *played;
    channelRun(cursor, 0.6);
    cursor.pause();
    const auto released = channelRun(cursor, 0.01);
    EXPECT_EQ(released, (std::vector<ChannelEvent>{{PieceEvent::Kind::noteOff, 2, 64, 0},
                                                   {PieceEvent::Kind::sustain, 3, 0, 0},
                                                   {PieceEvent::Kind::noteOff, 3, 67, 0}}));
}

} // namespace
