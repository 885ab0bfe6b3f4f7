#pragma once

// The live instrument in the window: whatever plays it (the computer keyboard, a pressed note
// name, a MIDI keyboard) ends in the same two calls on the instrument, which follows every
// retuning of the model while its tones sound. What sounds is shown: the note names light up
// and the message panel names every major third and fifth between sounding tones, with how far
// it lies from pure and how fast it beats.
#include "sound/instrument/voice_source.h"
#include "ui/model/tuning_model.h"

#include <QObject>
#include <QStringList>

#include <bitset>

namespace klangora {
class LiveInstrument;
}
class ComputerKeyboard;
class MessagePanel;
class QLabel;
class QTimer;
class QWidget;
class ReadoutPanel;
class ToneSelection;

class LivePlaying : public QObject {
    Q_OBJECT

public:
    struct Parts {
        const TuningModel& model;
        ReadoutPanel& panel;
        const ToneSelection& selection;
        MessagePanel& messages;
        QLabel* octaveLabel; // lbOktav, which says which octave the keys play
    };
    LivePlaying(QWidget& window, klangora::LiveInstrument& instrument, const Parts& parts);

    void press(klangora::VoiceSource source, int note, float velocity = 1.0f);
    void release(klangora::VoiceSource source, int note);
    klangora::LiveInstrument& instrument() { return m_instrument; }
    // The panic (Esc, "Stop al lyd"): every sound of the instrument stops, of every source,
    // the pedal's too; whoever plays it hears of it by allSoundStopped().
    void stopAllSound();
    // The MIDI inputs that play the instrument now.
    void setMidiInputs(const QStringList& inputs);

signals:
    void midiInputsChanged(const QStringList& inputs);
    void allSoundStopped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followTuning(const klangora::Tuning& tuning);
    void showOctave(int octave);
    void pressNoteName(int tone);
    void releaseNoteName();
    // The lit names and the panel's text, brought up to date once per burst of notes.
    void scheduleShow();
    void showSounding();
    QStringList intervalTexts() const;
    std::bitset<128> playedNotes(bool sounding) const;

    klangora::LiveInstrument& m_instrument;
    Parts m_parts;
    ComputerKeyboard* m_keyboard;
    QTimer* m_showTimer;
    // The note a pressed note name started, so that its release ends that very note.
    int m_mouseNote = -1;
};
