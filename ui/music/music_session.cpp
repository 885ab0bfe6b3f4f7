#include "ui/music/music_session.h"

#include "sound/instrument/live_instrument.h"
#include "ui/model/tuning_model.h"
#include "ui/music/music_window.h"
#include "ui/music/passage_repeat.h"
#include "ui/session/session.h"
#include "ui/texts/key_table.h"
#include "ui/texts/language_follower.h"
#include "ui/tuning/tuning_name.h"

#include <QAction>
#include <QWidget>

namespace {

QAction* keyAction(QWidget& window, MusicWindow& music, keys::Command command,
                   const char* objectName) {
    auto* action = new QAction(&window);
    action->setObjectName(objectName);
    action->setShortcut(QKeySequence(keys::keyOf(command)));
    window.addAction(action);
    music.addAction(action);
    return action;
}

} // namespace

MusicSession::MusicSession(QWidget& window, Session& session)
    : QObject(&window), m_session(session) {
    klangora::LiveInstrument& instrument = session.instrument();
    m_window = new MusicWindow(MusicWindow::Sound{session.piecePlayer(),
                                                  [&instrument] {
                                                      if (instrument.output() != nullptr) {
                                                          instrument.output()->open();
                                                      }
                                                  },
                                                  [&session] { return session.tuning(); },
                                                  &session.piece()},
                               &window);
    new PassageRepeat(*m_window, session.piecePlayer()); // A and B, owned by the window
    // P is one binding for all of the program's windows, the music window's closed or open.
    m_playKey = keyAction(window, *m_window, keys::Command::playPausePiece, "playPausePieceAction");
    m_playKey->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_playKey, &QAction::triggered, this, &MusicSession::playOrPause);
    m_switchKey =
        keyAction(window, *m_window, keys::Command::previousTuning, "previousTuningAction");
    connect(m_switchKey, &QAction::triggered, this, &MusicSession::switchTuning);
    connect(&session, &Session::tuningSwitchChanged, this, &MusicSession::showTuning);
    connect(&session.model(), &TuningModel::identityChanged, this, &MusicSession::showTuning);
    followLanguage(window, *this, [this] { showTuning(); });
    showTuning();
}

// The music window goes with the main window, before the session it shows.
MusicSession::~MusicSession() {
    delete m_window;
}

klangora::PiecePlayer& MusicSession::player() {
    return m_session.piecePlayer();
}

void MusicSession::pause() {
    if (m_window->playing()) {
        m_window->playOrPause();
    }
}

void MusicSession::showTuning() {
    const auto other = m_session.otherTuning();
    m_window->showTuning(tuningName(m_session.model().identity()),
                         other ? tuningName(other->identity()) : QString());
}

void MusicSession::playOrPause() {
    if (m_window->isHidden() && m_window->piece() != nullptr) {
        m_window->show();
        m_window->raise();
        if (!m_window->playing()) {
            m_window->playOrPause();
        }
        return;
    }
    m_window->playOrPause();
}

void MusicSession::startWith(const QString& tuningName, const QString& piece, bool playAtOnce) {
    if (!tuningName.isEmpty()) {
        applyTuningName(tuningName);
    }
    if (!piece.isEmpty()) {
        open(piece, playAtOnce);
    }
}

void MusicSession::switchTuning() {
    m_session.switchTuning();
}

bool MusicSession::open(const QString& path, bool playAtOnce) {
    if (!m_window->openPiece(path)) {
        return false;
    }
    if (playAtOnce) {
        m_window->playOrPause();
    }
    return true;
}

void MusicSession::applyTuningName(const QString& name) {
    m_session.chooseTuning(name);
}
