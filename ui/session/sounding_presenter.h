#pragma once

// What sounds, shown: whatever plays (the computer keyboard, a note name, a MIDI keyboard, an
// exercise, a piece) the lit note names and the message lines naming every major third and fifth
// between sounding tones come from here, with how far each lies from pure and how fast it beats.
// It reads what the audio side reports, not what was asked of it, so a note shows when it is
// heard and goes dark when it has ended.
#include "sound/instrument/voice_source.h"
#include "ui/messages/message_board.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <bitset>

namespace klangora {
class LiveInstrument;
class PiecePlayer;
class ToneTable;
} // namespace klangora
class QTimer;
class TuningModel;

// The lines for every major third and fifth between the given notes, lowest first.
QStringList soundingIntervalLines(const klangora::ToneTable& tones, const std::bitset<128>& notes);

class SoundingPresenter : public QObject {
    Q_OBJECT

public:
    // Index 1..13 stands for a note name (C .. c'); index 0 is unused.
    using LitNames = std::array<bool, 14>;

    SoundingPresenter(const TuningModel& model, klangora::LiveInstrument& instrument,
                      const klangora::PiecePlayer& piece, MessageBoard& board,
                      QObject* parent = nullptr);

    // The octave the computer keyboard plays: the c above its c lights c', not C.
    void setKeysOctave(int octave);
    // Something played or let go: shown at the next turn of the loop, once for a burst.
    void scheduleShow();
    const LitNames& litNames() const { return m_lit; }

signals:
    void namesLit(const LitNames& lit);

private:
    void showPlayed();
    void showPiece();
    void tellIntervals(MessageBoard::Priority priority, const std::bitset<128>& notes);
    void light();
    std::bitset<128> playedNotes(bool sounding) const;

    const TuningModel& m_model;
    klangora::LiveInstrument& m_instrument;
    const klangora::PiecePlayer& m_piece;
    MessageBoard& m_board;
    QTimer* m_playedView;
    QTimer* m_pieceView;
    int m_keysOctave = 0;
    std::bitset<128> m_played;
    std::bitset<128> m_pieceSounding;
    bool m_retuned = false; // the piece's shown intervals' sizes are out of date
    LitNames m_lit{};
};
