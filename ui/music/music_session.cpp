#include "ui/music/music_session.h"

#include "core/historical_temperaments.h"
#include "core/music/temperament_names.h"
#include "core/music/tuning_name.h"
#include "core/presets.h"
#include "sound/instrument/live_instrument.h"
#include "ui/messages/message_panel.h"
#include "ui/model/descriptions.h"
#include "ui/model/tuning_model.h"
#include "ui/music/music_window.h"
#include "ui/music/passage_repeat.h"
#include "ui/panel/readout_panel.h"
#include "ui/texts/key_table.h"
#include "ui/texts/language_follower.h"
#include "ui/texts/palette.h"
#include "ui/tuning/tuning_name.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <thread>

namespace {

// The rate most sound servers run at; the player follows the output's own once it runs.
constexpr int kAssumedSampleRate = 48000;
// Longer than any audio callback takes.
constexpr auto kCallbackPatience = std::chrono::milliseconds(100);
// How often the window looks which of the piece's notes sound.
constexpr int kSoundingViewMs = 40;

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

MusicSession::MusicSession(QWidget& window, klangora::LiveInstrument& instrument,
                           const Parts& parts)
    : QObject(&window), m_instrument(instrument), m_parts(parts),
      m_player(std::make_unique<klangora::PiecePlayer>(kAssumedSampleRate)),
      m_scheduler(std::make_unique<klangora::PieceScheduler>(*m_player)),
      m_soundingView(new QTimer(this)) {
    // The piece's events reach the voices from the audio thread, at their samples.
    m_instrument.synth().setScheduler(m_scheduler.get());
    m_window =
        std::make_unique<MusicWindow>(MusicWindow::Sound{*m_player,
                                                         [this] {
                                                             if (m_instrument.output() != nullptr) {
                                                                 m_instrument.output()->wake();
                                                             }
                                                         },
                                                         [this] { return m_parts.model.tuning(); }},
                                      &window);
    new PassageRepeat(*m_window, *m_player); // A and B, owned by the window
    // P is one binding for all of the program's windows, the music window's closed or open.
    m_playKey = keyAction(window, *m_window, keys::Command::playPausePiece, "playPausePieceAction");
    m_playKey->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_playKey, &QAction::triggered, this, &MusicSession::playOrPause);
    m_switchKey =
        keyAction(window, *m_window, keys::Command::previousTuning, "previousTuningAction");
    connect(m_switchKey, &QAction::triggered, this, &MusicSession::switchTuning);

    m_settled = current();
    // A retuning tone by tone settles when the loop turns; a whole tuning arrives in one call,
    // so at its tuningSet the settled tuning is still the one before it.
    connect(&m_parts.model, &TuningModel::tonesChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { m_settled = current(); }); });
    connect(&m_parts.model, &TuningModel::tuningSet, this, &MusicSession::noteWholeChange);
    // A retuning changes the sounding intervals' sizes, though the same notes sound on.
    connect(&m_parts.model, &TuningModel::tonesChanged, this, [this] { m_retuned = true; });
    connect(&m_parts.model, &TuningModel::identityChanged, this, &MusicSession::showTuning);
    followLanguage(window, *this, [this] { showTuning(); });
    showTuning();
    m_soundingView->setInterval(kSoundingViewMs);
    connect(m_soundingView, &QTimer::timeout, this, &MusicSession::showSounding);
    m_soundingView->start();
}

MusicSession::~MusicSession() {
    m_instrument.synth().setScheduler(nullptr);
    if (m_instrument.output() != nullptr) {
        // The audio thread takes the change at its next callback; one that has begun may still
        // be using the scheduler. Callbacks last a few milliseconds.
        std::this_thread::sleep_for(kCallbackPatience);
    }
}

void MusicSession::pause() {
    if (m_window->playing()) {
        m_window->playOrPause();
    }
}

MusicSession::Whole MusicSession::current() const {
    return m_parts.model.tuning();
}

void MusicSession::noteWholeChange() {
    const Whole now = current();
    if (!m_switching) {
        m_toggle.wholeChange(m_settled, now);
    }
    m_settled = now;
    showTuning();
}

void MusicSession::showTuning() {
    const auto other = m_toggle.next();
    m_window->showTuning(tuningName(m_parts.model.identity()),
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
    if (const auto other = m_toggle.toggle()) {
        m_switching = true;
        m_parts.model.setTuning(*other);
        m_switching = false;
    }
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
    const auto tuning = klangora::resolveTuningName(name.toStdString());
    if (const auto* named = std::get_if<klangora::NamedTuning>(&tuning)) {
        m_parts.model.setTuning(named->tuning);
    }
}

void MusicSession::showSounding() {
    const std::bitset<128> sounding = m_player->soundingNotes();
    if (sounding == m_shownSounding && !m_retuned) {
        return;
    }
    m_shownSounding = sounding;
    m_retuned = false;
    std::array<bool, 14> lit{};
    QStringList lines;
    const std::bitset<128> held = sounding | m_instrument.heldNotes();
    for (int note = 0; note < 128; ++note) {
        if (!held.test(static_cast<std::size_t>(note))) {
            continue;
        }
        lit[static_cast<std::size_t>(note % 12 + 1)] = true;
        for (int upper :
             {note + klangora::kMajorThirdSemitones, note + klangora::kFifthSemitones}) {
            if (upper < 128 && sounding.test(static_cast<std::size_t>(upper)) &&
                sounding.test(static_cast<std::size_t>(note))) {
                lines << descriptions::soundingIntervalText(m_parts.model.tones(), note, upper);
            }
        }
    }
    m_parts.panel.lightTones(lit);
    using Priority = MessagePanel::Priority;
    if (lines.isEmpty()) {
        m_parts.messages.release(Priority::piece);
    } else {
        m_parts.messages.request(Priority::piece, lines, windowTextColour());
    }
}
