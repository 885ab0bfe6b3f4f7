#pragma once

// A MIDI keyboard plays the live instrument like the computer keyboard does, and tells it which
// MIDI inputs are connected (the hint panel's tooltip names them).
#include "sound/midi/midi_notes.h"

#include <QObject>

#include <memory>

namespace klangora {
class MidiInput;
}
class LivePlaying;
class QWidget;

class MidiKeyboard : public QObject, public klangora::NoteSink {
    Q_OBJECT

public:
    MidiKeyboard(QWidget& window, LivePlaying& live);
    ~MidiKeyboard() override;

    // The notes of the MIDI input, played on the live instrument.
    void noteOn(int note, float velocity) override;
    void noteOff(int note) override;
    // The input, whose clients carry the MIDI output's ports too.
    klangora::MidiInput& input() { return *m_input; }

private:
    void drain();
    void hearAudioSide();
    template <typename Side> void hear(Side& side);
    void tellInputs();

    LivePlaying& m_live;
    std::unique_ptr<klangora::MidiInput> m_input;
    bool m_hosted = true; // the sound's JACK client played the JACK MIDI input when last looked
};
