#pragma once

// The choice of sound ("Klang") and the volume: the program's own tone or one of FluidSynth's
// General MIDI instruments for everything the keys and the music play, a sound font for the
// session, and a volume slider. A font that cannot serve is said once, in Danish, and the own
// tone is chosen again.
#include "core/tuning.h"
#include "sound/fluid/instrument_sound.h"
#include "sound/fluid/offline_instrument_sound.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

namespace klangora {
class FluidRenderer;
class OutputVolume;
} // namespace klangora
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QWidget;
class Session;

class SoundChoice : public QObject {
    Q_OBJECT

public:
    SoundChoice(QWidget& window, klangora::FluidRenderer& renderer, klangora::OutputVolume& volume);

    // The "Klang" submenu: the sounds, "Vælg lydfont …" and the volume.
    void addToMenu(QMenu& menu);
    // A volume slider ("Lydstyrke") for a window of its own: 0 silent .. 100 the full level.
    QSlider* createVolumeSlider(QWidget* parent);
    // The choice as a list box ("Klang") beside a volume slider, for the music window: Tab
    // reaches both, the arrow keys change them, and they keep in step with the menu's choice.
    QWidget* createSoundRow(QWidget* parent);

    // Shows and sounds what the session chooses, and tells it of the user's choices and of a
    // font that failed.
    void follow(Session& session);
    // The program's choices (at the start, after a font failed); the user's come as signals too.
    void choose(klangora::InstrumentSound sound);
    void setVolumePercent(int percent);
    // The tuning a sound font is loaded in, so that its first notes are in tune.
    void setTuning(const klangora::Tuning& tuning);
    int volumePercent() const { return m_volumePercent; }
    klangora::InstrumentSound chosen() const { return m_chosen; }
    // The chosen sound as a piece is saved in it, with the fonts it is loaded from.
    klangora::SoundToRender soundToRender();
    // The programs a loaded piece's channels ask for; none: no piece, and its choice disabled.
    void setPiecePrograms(std::vector<int> programs);
    void askForSoundFont();
    // Opens the instrument's output, so that a font is loaded at the rate the output runs at
    // before the first key is struck.
    void setOutputWaker(std::function<void()> wake) { m_wakeOutput = std::move(wake); }

signals:
    void chosenChanged(klangora::InstrumentSound sound);
    // The user chose, in a menu or a list box, or moved a volume slider: worth remembering.
    void chosenByUser(klangora::InstrumentSound sound);
    void volumeSetByUser(int percent);
    // While a chosen instrument loads, what to tell (the own tone plays meanwhile); empty once
    // the instrument plays, or its font failed.
    void loadingNoteChanged(const QString& note);

private:
    void poll();
    void chooseByUser(klangora::InstrumentSound sound);
    void showChoice();
    void retell();
    void tellLoading();

    QWidget& m_window;
    klangora::FluidRenderer& m_renderer;
    klangora::OutputVolume& m_volume;
    QActionGroup* m_group;
    QTimer* m_poll;
    // Menus come and go with their widgets; the music window's stay.
    QList<QPointer<QSlider>> m_sliders;
    QList<QPointer<QComboBox>> m_boxes;
    std::vector<std::pair<QPointer<QLabel>, const char*>> m_labels; // with their Danish text
    std::vector<int> m_piecePrograms;
    klangora::InstrumentSound m_chosen = klangora::InstrumentSound::own;
    QString m_loadingNote;
    int m_volumePercent = 100;
    std::function<void()> m_wakeOutput;
};
