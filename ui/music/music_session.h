#pragma once

// Music in the window: the music window, which shows the session's piece and commands it, the
// keys P (play or pause) and B (the tuning before the last whole-tuning change, and back), and
// the tuning the piece plays in. The piece plays through the live instrument's voices, so every
// retuning reaches it as it reaches held keys; what it sounds the session's presenter shows.
#include <QObject>
#include <QString>

namespace klangora {
class PiecePlayer;
}
class MusicWindow;
class QAction;
class QWidget;
class Session;

class MusicSession : public QObject {
    Q_OBJECT

public:
    MusicSession(QWidget& window, Session& session);
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
    klangora::PiecePlayer& player();

private:
    void showTuning();

    Session& m_session;
    MusicWindow* m_window;
    QAction* m_playKey;
    QAction* m_switchKey;
};
