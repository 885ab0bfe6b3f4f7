#pragma once

// The choice of sound ("Klang") and the volume: the program's own tone or one of FluidSynth's
// General MIDI instruments for everything the keys and the music play, a sound font for the
// session, and a volume slider. A font that cannot serve is said once, in Danish, and the own
// tone is chosen again.
#include "sound/fluid/instrument_sound.h"

#include <QObject>

#include <functional>
#include <vector>

namespace klangora {
class FluidRenderer;
class OutputVolume;
} // namespace klangora
class QActionGroup;
class QMenu;
class QSlider;
class QTimer;
class QWidget;

class SoundChoice : public QObject {
    Q_OBJECT

public:
    SoundChoice(QWidget& window, klangora::FluidRenderer& renderer, klangora::OutputVolume& volume);

    // The "Klang" submenu: the sounds, "Vælg lydfont …" and the volume.
    void addToMenu(QMenu& menu);
    // A volume slider ("Lydstyrke") for a window of its own: 0 silent .. 100 the full level.
    QSlider* createVolumeSlider(QWidget* parent);

    void choose(klangora::InstrumentSound sound);
    klangora::InstrumentSound chosen() const { return m_chosen; }
    // The programs a loaded piece's channels ask for; none: no piece, and its choice disabled.
    void setPiecePrograms(std::vector<int> programs);
    void askForSoundFont();
    // Opens the instrument's output, so that a font is loaded at the rate the output runs at
    // before the first key is struck.
    void setOutputWaker(std::function<void()> wake) { m_wakeOutput = std::move(wake); }

signals:
    void chosenChanged(klangora::InstrumentSound sound);

private:
    void poll();
    void setVolumePercent(int percent);

    QWidget& m_window;
    klangora::FluidRenderer& m_renderer;
    klangora::OutputVolume& m_volume;
    QActionGroup* m_group;
    QTimer* m_poll;
    std::vector<int> m_piecePrograms;
    klangora::InstrumentSound m_chosen = klangora::InstrumentSound::own;
    int m_volumePercent = 100;
    std::function<void()> m_wakeOutput;
};
