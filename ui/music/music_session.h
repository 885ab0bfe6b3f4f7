#pragma once

// The music window together with the player it commands and the sound it plays through: the
// live instrument's voices, in the window's current tuning.
#include "sound/music/piece_player.h"

#include <QString>

#include <memory>

namespace klangora {
class LiveInstrument;
}
class MusicWindow;
class TForm1;

class MusicSession {
public:
    MusicSession(TForm1& form, klangora::LiveInstrument& instrument);
    ~MusicSession();
    MusicSession(const MusicSession&) = delete;
    MusicSession& operator=(const MusicSession&) = delete;

    // Opens the piece in the music window, and plays it at once if asked; false (after a
    // message) when the file cannot be played.
    bool open(const QString& path, bool playAtOnce = false);
    MusicWindow& window() { return *m_window; }
    klangora::PiecePlayer& player() { return *m_player; }

private:
    klangora::LiveInstrument& m_instrument;
    std::unique_ptr<klangora::PiecePlayer> m_player;
    std::unique_ptr<MusicWindow> m_window;
};

// A tuning named as on the command line (a button's id, a library id or a .scl file) onto the
// window, as its button, menu entry or Ctrl+O would put it there. A name that names nothing
// changes nothing (the command line refuses it before the window opens).
void applyTuningName(TForm1& form, const QString& name);
