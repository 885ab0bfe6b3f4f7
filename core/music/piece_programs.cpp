#include "core/music/piece_programs.h"

#include <array>
#include <bitset>

namespace klangora {

std::vector<int> piecePrograms(const Piece& piece) {
    std::bitset<128> used;
    std::array<bool, 16> programChosen{};
    bool anyNote = false;
    for (const PieceEvent& event : piece.events) {
        const std::size_t channel = event.channel & 15U;
        if (event.kind == PieceEvent::Kind::program) {
            used.set(event.key & 127U);
            programChosen[channel] = true;
        } else if (event.kind == PieceEvent::Kind::noteOn) {
            anyNote = true;
            if (!programChosen[channel]) {
                used.set(0);
            }
        }
    }
    std::vector<int> programs;
    for (std::size_t program = 0; anyNote && program < used.size(); ++program) {
        if (used[program]) {
            programs.push_back(static_cast<int>(program));
        }
    }
    return programs;
}

} // namespace klangora
