// The reader against files the writer makes: where notes fall in seconds under tempo changes and
// SMPTE time, what survives (notes, pedal, programs) and what does not (percussion), and one
// table of files that must be refused with their reason.
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace klangora;

namespace {

using Bytes = std::vector<std::uint8_t>;

Piece readGood(const Bytes& bytes) {
    const MidiFileResult result = readMidiFile(bytes);
    if (const auto* error = std::get_if<MidiFileError>(&result)) {
        ADD_FAILURE() << midiFileReason(*error);
        return {};
    }
    return std::get<Piece>(result);
}

std::vector<double> noteOnSeconds(const Piece& piece) {
    std::vector<double> seconds;
    for (const PieceEvent& e : piece.events) {
        if (e.kind == PieceEvent::Kind::noteOn) {
            seconds.push_back(e.seconds);
        }
    }
    return seconds;
}

// Four quarter notes, c d e f, on one channel.
MidiTrackWriter scale(int channel = 0, std::uint32_t ticksPerQuarter = 480) {
    MidiTrackWriter track;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t start = i * ticksPerQuarter;
        track.noteOn(start, channel, 60 + 2 * i);
        track.noteOff(start + ticksPerQuarter, channel, 60 + 2 * i);
    }
    return track;
}

TEST(MidiFileReader, QuarterNotesAtTheDefaultTempoAreHalfASecondApart) {
    const Piece piece = readGood(writeMidiFile({0, 96}, {scale(0, 96)}));
    EXPECT_EQ(noteOnSeconds(piece), (std::vector<double>{0, 0.5, 1.0, 1.5}));
    EXPECT_EQ(piece.noteCount, 4);
    EXPECT_DOUBLE_EQ(piece.lengthSeconds, 2.0);
}

TEST(MidiFileReader, ATempoChangeInTheFirstTrackTimesTheNotesOfTheOthers) {
    MidiTrackWriter conductor;
    conductor.tempoBpm(0, 60);    // a second a quarter
    conductor.tempoBpm(960, 240); // from the third quarter on, a quarter of a second
    const Piece piece = readGood(writeMidiFile({1, 480}, {conductor, scale()}));
    const auto seconds = noteOnSeconds(piece);
    ASSERT_EQ(seconds.size(), 4u);
    EXPECT_DOUBLE_EQ(seconds[1], 1.0);
    EXPECT_DOUBLE_EQ(seconds[2], 2.0);
    EXPECT_DOUBLE_EQ(seconds[3], 2.25);
    EXPECT_DOUBLE_EQ(piece.lengthSeconds, 2.5);
}

TEST(MidiFileReader, SmpteTimeIsPlayedInFramesAndTicksAndIgnoresTempo) {
    // 25 frames a second, 40 ticks a frame: a millisecond a tick.
    MidiTrackWriter track;
    track.tempoBpm(0, 200);
    track.noteOn(0, 0, 60);
    track.noteOn(250, 0, 64);
    track.noteOff(1000, 0, 60);
    track.noteOff(1000, 0, 64);
    const std::uint16_t division = static_cast<std::uint16_t>((0x100 - 25) << 8 | 40);
    const Piece piece = readGood(writeMidiFile({0, division}, {track}));
    EXPECT_EQ(noteOnSeconds(piece), (std::vector<double>{0, 0.25}));
    EXPECT_DOUBLE_EQ(piece.lengthSeconds, 1.0);
}

TEST(MidiFileReader, RunningStatusAndNoteOnAtVelocityZeroAreUnderstood) {
    MidiTrackWriter track(true);
    track.noteOn(0, 2, 60);
    track.noteOn(0, 2, 64);
    track.noteOn(480, 2, 60, 0);
    track.noteOn(480, 2, 64, 0);
    const Piece piece = readGood(writeMidiFile({0, 480}, {track}));
    ASSERT_EQ(piece.events.size(), 4u);
    EXPECT_EQ(piece.events[2].kind, PieceEvent::Kind::noteOff);
    EXPECT_EQ(piece.events[3].kind, PieceEvent::Kind::noteOff);
    EXPECT_EQ(piece.events[3].key, 64);
    EXPECT_EQ(piece.events[3].channel, 2);
}

TEST(MidiFileReader, PercussionIsDroppedWhilePedalProgramsAndSysexPassOrAreSkipped) {
    MidiTrackWriter track;
    track.sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7});
    track.meta(0, 0x03, {'K', 'o', 'r', 'a', 'l'});
    track.program(0, 1, 19);
    track.controller(0, 1, 64, 127);
    track.noteOn(0, 9, 36); // a bass drum
    track.noteOn(10, 1, 67);
    track.controller(20, 1, 64, 0);
    track.noteOff(30, 1, 67);
    track.noteOff(30, 9, 36);
    const Piece piece = readGood(writeMidiFile({0, 480}, {track}));
    using Kind = PieceEvent::Kind;
    std::vector<Kind> kinds;
    for (const PieceEvent& e : piece.events) {
        EXPECT_NE(e.channel, 9);
        kinds.push_back(e.kind);
    }
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::program, Kind::sustain, Kind::noteOn, Kind::sustain,
                                        Kind::noteOff}));
    EXPECT_EQ(piece.events[0].key, 19);
    EXPECT_EQ(piece.events[1].value, 127);
    EXPECT_EQ(piece.events[3].value, 0);
}

TEST(MidiFileReader, ANoteRepeatedOnOneTickEndsBeforeItStartsAgain) {
    MidiTrackWriter first;
    first.noteOn(0, 0, 60);
    MidiTrackWriter second;
    second.noteOff(480, 0, 60);
    first.noteOn(480, 0, 60);
    first.noteOff(960, 0, 60);
    const Piece piece = readGood(writeMidiFile({1, 480}, {first, second}));
    ASSERT_EQ(piece.events.size(), 4u);
    EXPECT_EQ(piece.events[1].kind, PieceEvent::Kind::noteOff);
    EXPECT_EQ(piece.events[2].kind, PieceEvent::Kind::noteOn);
}

TEST(MidiFileReader, UnknownChunksAreSkipped) {
    Bytes file = writeMidiFile({0, 480}, {scale()});
    const Bytes alien = {'X', 'y', 'z', 'w', 0, 0, 0, 2, 1, 2};
    file.insert(file.begin() + 14, alien.begin(), alien.end());
    EXPECT_EQ(readGood(file).noteCount, 4);
}

// A file made from a good one by a change.
struct BadFile {
    const char* name;
    std::function<Bytes()> make;
    MidiFileFault fault;
};

Bytes good() {
    return writeMidiFile({1, 480}, {scale(), scale(3)});
}

Bytes withByte(std::size_t at, std::uint8_t value) {
    Bytes file = good();
    file.at(at) = value;
    return file;
}

Bytes firstBytes(const Bytes& file, std::size_t count) {
    return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes trackWith(std::initializer_list<std::uint8_t> events) {
    Bytes file = {
        'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
        1,   1,   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(events.size())};
    for (const std::uint8_t byte : events) {
        file.push_back(byte);
    }
    return file;
}

class MidiFileRefusal : public ::testing::TestWithParam<BadFile> {};

TEST_P(MidiFileRefusal, RefusesWithItsReason) {
    const MidiFileResult result = readMidiFile(GetParam().make());
    const auto* error = std::get_if<MidiFileError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->fault, GetParam().fault);
    EXPECT_GT(midiFileReason(*error).size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, MidiFileRefusal,
    ::testing::Values(
        BadFile{"empty", [] { return Bytes{}; }, MidiFileFault::empty},
        BadFile{"text",
                [] {
                    return Bytes{'h', 'e', 'j', '\n'};
                },
                MidiFileFault::notMidi},
        BadFile{"riff", [] { return Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}; },
                MidiFileFault::notMidi},
        BadFile{"short header", [] { return Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 2, 0, 0}; },
                MidiFileFault::badHeader},
        BadFile{"header cut", [] { return firstBytes(good(), 11); }, MidiFileFault::truncated},
        BadFile{"format 2", [] { return withByte(9, 2); }, MidiFileFault::formatTwo},
        BadFile{"format 7", [] { return withByte(9, 7); }, MidiFileFault::unknownFormat},
        BadFile{"zero division",
                [] {
                    Bytes f = withByte(12, 0);
                    f[13] = 0;
                    return f;
                },
                MidiFileFault::zeroDivision},
        BadFile{"smpte 0 ticks a frame",
                [] {
                    Bytes f = withByte(12, 0xE7);
                    f[13] = 0;
                    return f;
                },
                MidiFileFault::zeroDivision},
        BadFile{"smpte 26 frames", [] { return withByte(12, 0xE6); }, MidiFileFault::badFrameRate},
        BadFile{"second track missing",
                [] {
                    const Bytes f = good();
                    return firstBytes(f, 22 + f[21]); // the first track is shorter than 256
                },
                MidiFileFault::truncated},
        BadFile{"more tracks announced", [] { return withByte(11, 3); }, MidiFileFault::truncated},
        BadFile{"lying track length", [] { return withByte(20, 0x7F); },
                MidiFileFault::lyingLength},
        BadFile{"file cut inside a track",
                [] {
                    Bytes f = good();
                    f.resize(f.size() - 5);
                    return f;
                },
                MidiFileFault::lyingLength},
        BadFile{"data without status",
                [] {
                    return trackWith({0, 60, 100});
                },
                MidiFileFault::badEvent},
        BadFile{"system common byte",
                [] {
                    return trackWith({0, 0xF2, 1, 2});
                },
                MidiFileFault::badEvent},
        BadFile{"five-byte delta",
                [] {
                    return trackWith({0x81, 0x81, 0x81, 0x81, 0x01});
                },
                MidiFileFault::badEvent},
        BadFile{"note cut by track end",
                [] {
                    return trackWith({0, 0x90, 60});
                },
                MidiFileFault::eventPastTrack},
        BadFile{"meta longer than track",
                [] {
                    return trackWith({0, 0xFF, 0x01, 0x20, 'a'});
                },
                MidiFileFault::eventPastTrack},
        BadFile{"sysex longer than track",
                [] {
                    return trackWith({0, 0xF0, 0x05, 0x7E});
                },
                MidiFileFault::eventPastTrack},
        BadFile{"zero tempo",
                [] {
                    return trackWith({0, 0xFF, 0x51, 3, 0, 0, 0, 0, 0x90, 60, 100});
                },
                MidiFileFault::absurdTempo},
        BadFile{"tempo of two bytes",
                [] {
                    return trackWith({0, 0xFF, 0x51, 2, 0x07, 0xA1, 0, 0x90, 60, 100});
                },
                MidiFileFault::badEvent},
        BadFile{"only percussion",
                [] {
                    return trackWith({0, 0x99, 36, 100, 0x60, 0x89, 36, 0});
                },
                MidiFileFault::noNotes},
        BadFile{"only a tempo",
                [] {
                    return trackWith({0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20});
                },
                MidiFileFault::noNotes},
        BadFile{"nine hours",
                [] {
                    // A slow tempo and a long last delta: 0x0FFFFFFF ticks of 1/224 s.
                    return trackWith({0, 0xFF, 0x51, 3, 0xFF, 0xFF, 0xFF, 0, 0x90, 60, 100, 0xFF,
                                      0xFF, 0xFF, 0x7F, 0x80, 60, 0});
                },
                MidiFileFault::tooLong}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(MidiFileReader, ALargerFileThanSixteenMebibytesIsRefusedBeforeItIsRead) {
    const auto path = std::filesystem::temp_directory_path() / "klangora-too-large.mid";
    {
        std::ofstream out(path, std::ios::binary);
        const Bytes start = good();
        out.write(reinterpret_cast<const char*>(start.data()),
                  static_cast<std::streamsize>(start.size()));
    }
    std::filesystem::resize_file(path, kMaxMidiFileBytes + 1);
    const MidiFileResult result = readMidiFile(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(std::holds_alternative<MidiFileError>(result));
    EXPECT_EQ(std::get<MidiFileError>(result).fault, MidiFileFault::tooLarge);
}

TEST(MidiFileReader, AMissingFileIsUnreadable) {
    const MidiFileResult result = readMidiFile(std::filesystem::path("/nonexistent/x.mid"));
    ASSERT_TRUE(std::holds_alternative<MidiFileError>(result));
    EXPECT_EQ(std::get<MidiFileError>(result).fault, MidiFileFault::unreadable);
}

} // namespace
