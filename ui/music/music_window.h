#pragma once

// The music window: a small tool window beside the main one that plays a MIDI file in the
// current tuning. It shows the piece's name and the tuning it plays in (and the one B switches
// to), plays and pauses, goes back to the start, shows and moves the position ("0:42 / 2:15",
// draggable while the piece plays or pauses), sets the tempo (50–150 %), and saves the piece as
// sound. Closed, it pauses the piece. The audio thread is the clock; this window only sends
// commands and reads where the piece is.
#include "core/music/piece.h"
#include "core/tuning.h"
#include "sound/fluid/offline_instrument_sound.h"
#include "sound/music/piece_player.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;
class PieceSaver;
class PieceTransport;

class MusicWindow : public QWidget {
    Q_OBJECT

public:
    struct Sound {
        klangora::PiecePlayer& player;
        std::function<void()> wake;               // a tone is about to sound
        std::function<klangora::Tuning()> tuning; // for saving
        // The session's piece; without one the window keeps a piece of its own.
        PieceTransport* transport = nullptr;
    };
    explicit MusicWindow(const Sound& sound, QWidget* parent = nullptr);
    ~MusicWindow() override;

    // A MIDI file into the window (shown, stopped at its start). On failure a message says why
    // and nothing changes: the piece that was loaded, or plays, stays.
    bool openPiece(const QString& path);
    void playOrPause();
    void backToStart();
    void setTempoPercent(int percent);
    // Saves the piece in the current tuning, with a progress bar and a cancel button.
    void saveAsSound(const QString& path);
    // The sound a piece is saved in: the one chosen for playing (else the own tone).
    void setSoundToSave(std::function<klangora::SoundToRender()> sound) {
        m_soundToSave = std::move(sound);
    }
    // The choice of sound and the volume, under the other controls and after them for Tab.
    void addSoundRow(QWidget* row);
    // The tuning the piece plays in, and the one B switches to (empty before there is one).
    void showTuning(const QString& playing, const QString& other);

    const klangora::Piece* piece() const;
    std::shared_ptr<const klangora::Piece> sharedPiece() const;
    bool playing() const;

    // "m:ss / m:ss"
    static QString timeText(double positionSeconds, double lengthSeconds);

signals:
    void pieceOpened(const QString& name);
    void saveFinished(bool saved);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void seekTo(double seconds);
    void showPosition();
    void askToSaveAsSound();
    void showOpened(const QString& name);
    void showPlaying(bool playing);

    Sound m_sound;
    PieceTransport* m_transport;
    std::function<klangora::SoundToRender()> m_soundToSave;
    QString m_piecePath; // the file it was read from
    QLabel* m_name = nullptr;
    QLabel* m_tuning = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_rewind = nullptr;
    QSlider* m_position = nullptr;
    QLabel* m_time = nullptr;
    QSpinBox* m_tempo = nullptr;
    QPushButton* m_save = nullptr;
    QTimer* m_clockView = nullptr;
    PieceSaver* m_saver = nullptr;
    QString m_soundFolder;
    // Where the piece was last sent: shown until the audio side has gone there, which a paused
    // piece's sleeping output does only once it plays again.
    double m_soughtSeconds = 0;
};
