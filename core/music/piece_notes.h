#pragma once

// A piece's events paired into notes that sound from a start to an end, as the triad analysis
// reads them.
#include "core/music/piece.h"
#include "core/music/triad_analysis.h"

#include <vector>

namespace klangora::music {

// Each note-on is paired with the next note-off of its key on its channel (the earliest struck
// of several is released first). A note released while its channel's sustain pedal is down
// sounds on until the pedal rises. A note never released sounds to the end of the piece.
std::vector<TimedNote> soundingNotes(const Piece& piece);

// The triads of a whole piece, its length the piece's own: the stretches in which they sound
// and the time each sounds, from one pairing of the notes.
struct PieceTriads {
    std::vector<TriadSpan> spans;
    TriadTimes times;
};
PieceTriads pieceTriads(const Piece& piece);
TriadTimes triadTimes(const Piece& piece);

} // namespace klangora::music
