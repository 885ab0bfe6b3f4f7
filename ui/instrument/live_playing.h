#pragma once

// The live instrument in the window: whatever plays it (the computer keyboard, a pressed note
// name, a MIDI keyboard) ends in the same two commands of the session, whose instrument follows
// every retuning while its tones sound and whose presenter shows what sounds. The window's side
// is the keys, the note names under the mouse and the label of the keys' octave.
#include "sound/instrument/voice_source.h"

#include <QObject>
#include <QStringList>

namespace klangora {
class LiveInstrument;
}
class ComputerKeyboard;
class QLabel;
class QWidget;
class ReadoutPanel;
class Session;
class ToneSelection;

class LivePlaying : public QObject {
    Q_OBJECT

public:
    struct Parts {
        ReadoutPanel& panel;
        const ToneSelection& selection;
        QLabel* octaveLabel; // lbOktav, which says which octave the keys play
    };
    LivePlaying(QWidget& window, Session& session, const Parts& parts);

    void press(klangora::VoiceSource source, int note, float velocity = 1.0f);
    void release(klangora::VoiceSource source, int note);
    // A note the audio side already played: the window's record and what it shows follow.
    void hear(klangora::VoiceSource source, int note, float velocity, bool on);
    // The record of a source taken from what the voices report sounding.
    void hearAllOf(klangora::VoiceSource source);
    klangora::LiveInstrument& instrument();
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
    void showOctave(int octave);
    void pressNoteName(int tone);
    void releaseNoteName();

    Session& m_session;
    Parts m_parts;
    ComputerKeyboard* m_keyboard;
    // The note a pressed note name started, so that its release ends that very note.
    int m_mouseNote = -1;
};
