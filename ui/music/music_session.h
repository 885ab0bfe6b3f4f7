#pragma once

// Music in the window: the music window with the player it commands, the keys P (play or pause)
// and B (the tuning before the last whole-tuning change, and back), and what a playing piece
// shows in the main window: its note names lit and its sounding thirds and fifths named in the
// message panel, as for the live instrument. The piece plays through the live instrument's
// voices, so every retuning reaches it as it reaches held keys.
#include "core/music/tuning_toggle.h"
#include "sound/music/piece_player.h"
#include "sound/music/piece_scheduler.h"
#include "ui/model/tuning_identity.h"

#include <QObject>
#include <QString>

#include <bitset>
#include <memory>

namespace klangora {
class LiveInstrument;
}
class MessagePanel;
class MusicWindow;
class QAction;
class QTimer;
class QWidget;
class ReadoutPanel;
class TuningModel;

class MusicSession : public QObject {
    Q_OBJECT

public:
    struct Parts {
        TuningModel& model;
        MessagePanel& messages;
        ReadoutPanel& panel;
    };
    MusicSession(QWidget& window, klangora::LiveInstrument& instrument, const Parts& parts);
    ~MusicSession() override;

    // Opens the piece in the music window, and plays it at once if asked; false (after a
    // message) when the file cannot be played.
    bool open(const QString& path, bool playAtOnce = false);
    // A tuning named as on the command line (a temperament's name or its button's id, a library
    // id or a .scl file), set as its button, menu entry or file would set it. A name that names
    // nothing changes nothing.
    void applyTuningName(const QString& name);
    // What the command line asks for once the window shows: its tuning, then its piece (whose
    // first notes then sound in that tuning), played at once if asked.
    void startWith(const QString& tuningName, const QString& piece, bool playAtOnce);
    // P, wherever it is pressed: plays or pauses the piece; with the music window closed, opens
    // it and plays.
    void playOrPause();
    // B: the tuning before the last whole-tuning change, and back; nothing before the first.
    void switchTuning();
    // Esc: the piece stops where it is, with everything else that sounds.
    void pause();

    MusicWindow& window() { return *m_window; }
    klangora::PiecePlayer& player() { return *m_player; }

private:
    using Whole = klangora::Tuning;
    Whole current() const;
    void noteWholeChange();
    void showSounding();
    void showTuning();

    klangora::LiveInstrument& m_instrument;
    Parts m_parts;
    std::unique_ptr<klangora::PiecePlayer> m_player;
    std::unique_ptr<klangora::PieceScheduler> m_scheduler;
    std::unique_ptr<MusicWindow> m_window;
    QAction* m_playKey;
    QAction* m_switchKey;
    QTimer* m_soundingView;
    klangora::TuningToggle m_toggle;
    Whole m_settled; // the tuning as it stood before the change now under way
    bool m_switching = false;
    std::bitset<128> m_shownSounding;
    bool m_retuned = false; // the shown intervals' sizes are out of date
};
