#pragma once

// The General MIDI programs a piece's channels play: what a synthesizer must have ready before
// the piece can play in its own instruments.
#include "core/music/piece.h"

#include <vector>

namespace klangora {

// Each program a program change names, and program 0 (the grand piano, every channel's start)
// when some channel plays a note before its first program change; ascending, each once. Empty
// for a piece without notes.
std::vector<int> piecePrograms(const Piece& piece);

} // namespace klangora
