#include "sound/music/piece_player.h"

#include <algorithm>

namespace klangora {

void PiecePlayer::send(const Command& command) {
    // The queue holds far more than a hand can click between two blocks; should the audio side
    // not run at all (no sound server), commands wait in order rather than being lost, and the
    // window never waits for them.
    m_waiting.push_back(command);
    flush();
}

void PiecePlayer::flush() {
    while (!m_waiting.empty() && m_commands.push(m_waiting.front())) {
        m_waiting.pop_front();
    }
}

std::bitset<128> PiecePlayer::soundingNotes() const {
    std::bitset<128> notes;
    for (std::size_t half = 0; half < 2; ++half) {
        const std::uint64_t bits = m_sounding[half].load(std::memory_order_relaxed);
        for (std::size_t bit = 0; bit < 64; ++bit) {
            notes[64 * half + bit] = (bits >> bit) & 1u;
        }
    }
    return notes;
}

void PiecePlayer::load(std::shared_ptr<const Piece> piece) {
    // Pieces loaded before the one the audio thread plays are no longer read by it: commands
    // arrive in order.
    const Piece* audioPiece = m_audioPiece.load(std::memory_order_acquire);
    const auto playing = std::find_if(m_pieces.begin(), m_pieces.end(),
                                      [&](const auto& p) { return p.get() == audioPiece; });
    if (playing != m_pieces.end()) {
        m_pieces.erase(m_pieces.begin(), playing);
    }
    m_pieces.push_back(std::move(piece));
    send({Command::Kind::load, 0, m_pieces.back().get()});
}

void PiecePlayer::applyCommands() {
    while (const auto command = m_commands.pop()) {
        switch (command->kind) {
        case Command::Kind::load:
            m_cursor.setPiece(command->piece);
            m_audioPiece.store(command->piece, std::memory_order_release);
            break;
        case Command::Kind::play:
            m_cursor.play();
            break;
        case Command::Kind::pause:
            m_cursor.pause();
            break;
        case Command::Kind::seek:
            m_cursor.seek(command->value);
            ++m_seeksAppliedHere;
            break;
        case Command::Kind::tempo:
            m_cursor.setTempoPercent(static_cast<int>(command->value));
            break;
        case Command::Kind::repeat:
            m_cursor.repeatPassage(command->value, command->until);
            break;
        case Command::Kind::stopRepeating:
            m_cursor.stopRepeating();
            break;
        }
    }
}

} // namespace klangora
