#pragma once

// A piece of music as the players need it: what happens, on which channel, and when, in seconds
// from the start, with the file's tempo changes already applied.
#include <cstdint>
#include <string>
#include <vector>

namespace klangora {

struct PieceEvent {
    enum class Kind : std::uint8_t { noteOn, noteOff, sustain, program };
    double seconds = 0;
    Kind kind = Kind::noteOn;
    std::uint8_t channel = 0; // 0..15; 9, General MIDI's percussion, never appears
    std::uint8_t key = 0;     // noteOn, noteOff: the MIDI note; program: the program number
    std::uint8_t value = 0;   // noteOn: the velocity 1..127; sustain: 0 up, 127 down
};

struct Piece {
    std::string name;               // for the window's title; the reader leaves it empty
    std::vector<PieceEvent> events; // in time order; at one time, note-offs before note-ons
    double lengthSeconds = 0;       // to the end of the longest track
    int noteCount = 0;
};

} // namespace klangora
