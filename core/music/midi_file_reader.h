#pragma once

// A reader of Standard MIDI Files (.mid): the header chunk, then each track's events with their
// delta times in ticks, turned into seconds by the tempo map (or by the SMPTE frame rate). Only
// what the voices play is kept: notes, the sustain pedal and program changes, and never the
// percussion channel, whose note numbers name drums rather than pitches.
#include "core/file_check.h"
#include "core/music/piece.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <variant>

namespace klangora {

// A piece far beyond a long symphony; a larger file is refused before it is read (also a FIFO
// or a device, which would keep the reader waiting).
inline constexpr std::uintmax_t kMaxMidiFileBytes = maxFileBytes(FileKind::piece);
// Longer than any piece a class listens to, and what a mutated delta time could otherwise make.
inline constexpr double kMaxPieceSeconds = 6 * 3600;

enum class MidiFileFault {
    empty,          // no bytes at all
    notMidi,        // does not begin with an MThd chunk
    badHeader,      // the header chunk is shorter than its six bytes
    formatTwo,      // independent sequences, not one piece
    unknownFormat,  // a format number above 2
    zeroDivision,   // zero ticks per quarter note (or per SMPTE frame)
    badFrameRate,   // SMPTE division with a rate other than 24, 25, 29.97 or 30 frames
    truncated,      // the file ends inside a chunk or before all its tracks
    lyingLength,    // a track's length field runs past the end of the file
    badEvent,       // a byte that starts no event, or data without a status before it
    eventPastTrack, // an event runs over the end of its track
    absurdTempo,    // a tempo of zero or faster than kMaxQuarterNotesPerMinute
    tooLong,        // the piece lasts longer than kMaxPieceSeconds
    noNotes,        // no note to play outside the percussion channel
    tooLarge,       // over kMaxMidiFileBytes
    unreadable,     // the file cannot be opened or read
};

// Above this a tempo is no tempo but a mistake: a thousand quarter notes a minute.
inline constexpr double kMaxQuarterNotesPerMinute = 1000;

struct MidiFileError {
    MidiFileFault fault = MidiFileFault::notMidi;
    int track = 0;                // the track concerned, counted from 1; 0 where none
    std::uint64_t byteOffset = 0; // where in the file the reader stopped
    int format = 0;               // unknownFormat
};

using MidiFileResult = std::variant<Piece, MidiFileError>;

MidiFileResult readMidiFile(std::span<const std::uint8_t> bytes);

// The file's size is checked before a byte of it is read.
MidiFileResult readMidiFile(const std::filesystem::path& path);

// Why the file cannot be played, as one Danish sentence (UTF-8) for a message or stderr.
std::string midiFileReason(const MidiFileError& error);

} // namespace klangora
