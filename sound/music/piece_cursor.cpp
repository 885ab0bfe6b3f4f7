#include "sound/music/piece_cursor.h"

#include <algorithm>

namespace klangora {

double PieceCursor::eventFrame(std::size_t index) const {
    // Rounded to whole samples, so that at full tempo an event falls on one exact sample.
    return std::round(m_piece->events[index].seconds * m_sampleRate);
}

std::size_t PieceCursor::firstEventFrom(double frame) const {
    const auto& events = m_piece->events;
    const auto first =
        std::lower_bound(events.begin(), events.end(), frame, [&](const PieceEvent& e, double f) {
            return std::round(e.seconds * m_sampleRate) < f;
        });
    return static_cast<std::size_t>(first - events.begin());
}

std::bitset<128> PieceCursor::soundingNotes() const {
    std::bitset<128> notes;
    for (std::size_t note = 0; note < 128; ++note) {
        notes[note] = m_channelsHolding[note] > 0;
    }
    return notes;
}

void PieceCursor::setSampleRate(int sampleRate) {
    if (sampleRate > 0 && sampleRate != m_sampleRate) {
        m_positionFrames *= sampleRate / m_sampleRate;
        m_sampleRate = sampleRate;
    }
}

// The programs in force at the cursor: each channel's last program change before it.
void PieceCursor::findPrograms() {
    m_programs = {};
    for (std::size_t i = 0; m_piece != nullptr && i < m_next; ++i) {
        const PieceEvent& event = m_piece->events[i];
        if (event.kind == PieceEvent::Kind::program) {
            m_programs[event.channel & 0x0F] = event.key & 0x7F;
        }
    }
    m_programsPending = true;
}

void PieceCursor::setPiece(const Piece* piece) {
    m_releasePending = true;
    m_repeating = false;
    m_programs = {};
    m_programsPending = true;
    m_piece = piece;
    m_playing = false;
    m_positionFrames = 0;
    m_next = 0;
}

void PieceCursor::play() {
    if (m_piece == nullptr) {
        return;
    }
    if (m_positionFrames >= m_piece->lengthSeconds * m_sampleRate) {
        seek(0); // played to the end: again from the start
    }
    m_playing = true;
    m_programsPending = true; // a synthesizer chosen while the piece rested hears them again
}

void PieceCursor::pause() {
    m_playing = false;
    m_releasePending = true;
}

void PieceCursor::seek(double seconds) {
    if (m_piece == nullptr) {
        return;
    }
    m_releasePending = true;
    m_positionFrames = std::clamp(seconds, 0.0, m_piece->lengthSeconds) * m_sampleRate;
    m_next = firstEventFrom(m_positionFrames);
    findPrograms();
    m_pedalsPending = true;
}

void PieceCursor::repeatPassage(double fromSeconds, double toSeconds) {
    if (m_piece == nullptr) {
        return;
    }
    // On whole samples, so that at full tempo every round lasts the same number of them.
    const auto frameOf = [this](double seconds) {
        return std::round(std::clamp(seconds, 0.0, m_piece->lengthSeconds) * m_sampleRate);
    };
    m_passageStartFrame = frameOf(fromSeconds);
    m_passageEndFrame = frameOf(toSeconds);
    m_repeating = m_passageEndFrame > m_passageStartFrame;
}

std::array<bool, 16> PieceCursor::pedalsBeforeCursor() const {
    std::array<bool, 16> pedals{};
    for (std::size_t i = 0; m_piece != nullptr && i < m_next; ++i) {
        const PieceEvent& event = m_piece->events[i];
        if (event.kind == PieceEvent::Kind::sustain) {
            pedals[event.channel & 0x0F] = event.value >= 64;
        }
    }
    return pedals;
}

void PieceCursor::setTempoPercent(int percent) {
    m_tempoPercent = std::clamp(percent, kMinTempoPercent, kMaxTempoPercent);
}

} // namespace klangora
