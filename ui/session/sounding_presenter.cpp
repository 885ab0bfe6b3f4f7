#include "ui/session/sounding_presenter.h"

#include "core/musical_facts.h"
#include "sound/instrument/live_instrument.h"
#include "sound/music/piece_player.h"
#include "ui/model/descriptions.h"
#include "ui/model/tuning_model.h"
#include "ui/texts/palette.h"

#include <QTimer>

namespace {

// How often what is played is compared again with what the audio side reports.
constexpr int kCatchUpMs = 15;
// How often a piece's sounding notes are looked at.
constexpr int kPieceViewMs = 40;

// The note name a played note lights: c' when it is the c above the keys' c, else its pitch
// class.
int lightedName(int note, int keysOctave) {
    if (note - (klangora::kFixedCNote + 12 * keysOctave) == 12) {
        return 13;
    }
    return note % 12 + 1;
}

} // namespace

QStringList soundingIntervalLines(const klangora::ToneTable& tones, const std::bitset<128>& notes) {
    QStringList lines;
    for (int lower = 0; lower < 128; ++lower) {
        if (!notes.test(static_cast<std::size_t>(lower))) {
            continue;
        }
        for (int upper :
             {lower + klangora::kMajorThirdSemitones, lower + klangora::kFifthSemitones}) {
            if (upper < 128 && notes.test(static_cast<std::size_t>(upper))) {
                lines << descriptions::soundingIntervalText(tones, lower, upper);
            }
        }
    }
    return lines;
}

SoundingPresenter::SoundingPresenter(const TuningModel& model, klangora::LiveInstrument& instrument,
                                     const klangora::PiecePlayer& piece, MessageBoard& board,
                                     QObject* parent)
    : QObject(parent), m_model(model), m_instrument(instrument), m_piece(piece), m_board(board),
      m_playedView(new QTimer(this)), m_pieceView(new QTimer(this)) {
    m_playedView->setSingleShot(true);
    connect(m_playedView, &QTimer::timeout, this, &SoundingPresenter::showPlayed);
    // A retuning changes the sounding intervals' sizes, though the same notes sound on.
    connect(&model, &TuningModel::tonesChanged, this, [this] {
        m_retuned = true;
        if (m_instrument.heldNotes().any()) {
            scheduleShow();
        }
    });
    m_pieceView->setInterval(kPieceViewMs);
    connect(m_pieceView, &QTimer::timeout, this, &SoundingPresenter::showPiece);
    m_pieceView->start();
}

void SoundingPresenter::setKeysOctave(int octave) {
    m_keysOctave = octave;
}

void SoundingPresenter::scheduleShow() {
    // A burst of notes (a chord, a MIDI flood) is shown once, at the next turn of the loop.
    if (!m_playedView->isActive()) {
        m_playedView->start(0);
    }
}

// What the learner plays: a piece's notes are shown with a priority of their own.
std::bitset<128> SoundingPresenter::playedNotes(bool sounding) const {
    std::bitset<128> notes;
    for (int s = 0; s < klangora::kVoiceSourceCount; ++s) {
        const auto source = static_cast<klangora::VoiceSource>(s);
        if (source != klangora::VoiceSource::piece) {
            notes |= sounding ? m_instrument.soundingNotes(source) : m_instrument.heldNotes(source);
        }
    }
    return notes;
}

void SoundingPresenter::showPlayed() {
    // Until what was asked and what is heard agree (a few milliseconds, longer while the sound
    // server stalls) the presenter looks again.
    m_played = playedNotes(true);
    if (m_played != playedNotes(false) || !m_instrument.settle()) {
        m_playedView->start(kCatchUpMs);
    }
    light();
    tellIntervals(MessageBoard::Priority::liveInstrument, m_played);
}

void SoundingPresenter::showPiece() {
    const std::bitset<128> sounding = m_piece.soundingNotes();
    if (sounding == m_pieceSounding && !m_retuned) {
        return;
    }
    m_pieceSounding = sounding;
    m_retuned = false;
    light();
    tellIntervals(MessageBoard::Priority::piece, sounding);
}

// The sounding thirds and fifths among the notes, in the panel at this priority; none: released.
void SoundingPresenter::tellIntervals(MessageBoard::Priority priority,
                                      const std::bitset<128>& notes) {
    const QStringList lines = soundingIntervalLines(m_model.tones(), notes);
    if (lines.isEmpty()) {
        m_board.release(priority);
    } else {
        m_board.request(priority, lines, windowTextColour());
    }
}

void SoundingPresenter::light() {
    LitNames lit{};
    for (int note = 0; note < 128; ++note) {
        if (m_played.test(static_cast<std::size_t>(note))) {
            lit[static_cast<std::size_t>(lightedName(note, m_keysOctave))] = true;
        } else if (m_pieceSounding.test(static_cast<std::size_t>(note))) {
            lit[static_cast<std::size_t>(note % 12 + 1)] = true;
        }
    }
    if (lit != m_lit) {
        m_lit = lit;
        emit namesLit(m_lit);
    }
}
