#pragma once

// The live instrument in the window: whatever plays it (the computer keyboard, a pressed note
// name, a MIDI keyboard) ends in the same two calls on the instrument, which follows every
// retuning of the model while its tones sound. What sounds is shown: the note names light up
// and the message panel names every major third and fifth between sounding tones, with how far
// it lies from pure and how fast it beats.
#include "ui/model/tuning_model.h"

#include <QObject>

#include <array>

namespace klangora {
class LiveInstrument;
}
class ComputerKeyboard;
class QLabel;
class QTimer;
class QWidget;
class ReadoutPanel;
class SoundSequence;
class ToneSelection;

class LivePlaying : public QObject {
    Q_OBJECT

public:
    struct Parts {
        const TuningModel& model;
        ReadoutPanel& panel;
        const ToneSelection& selection;
        const SoundSequence& sequence;
    };
    LivePlaying(QWidget& window, klangora::LiveInstrument& instrument, const Parts& parts);

    void press(int note, float velocity = 1.0f);
    void release(int note);
    klangora::LiveInstrument& instrument() { return m_instrument; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followTuning();
    void showOctave(int octave);
    // The lit names and the panel's text, brought up to date once per burst of notes.
    void scheduleShow();
    void showSounding();
    QString intervalTexts() const;

    klangora::LiveInstrument& m_instrument;
    Parts m_parts;
    ComputerKeyboard* m_keyboard;
    QLabel* m_duHoer;
    QLabel* m_octaveLabel;
    QTimer* m_showTimer;
    std::array<bool, 14> m_lit{};
    // The note a pressed note name started, so that its release ends that very note.
    int m_mouseNote = -1;
    bool m_panelIsMine = false;
};
