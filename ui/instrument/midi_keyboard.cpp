// MIDI notes into the live instrument, drained on the window's thread when the input signals.
#include "ui/instrument/midi_keyboard.h"

#include "sound/midi/midi_input.h"
#include "ui/instrument/live_playing.h"

#include <QSocketNotifier>
#include <QStringList>
#include <QWidget>

MidiKeyboard::MidiKeyboard(QWidget& window, LivePlaying& live)
    : QObject(&window), m_live(live), m_input(std::make_unique<klangora::MidiInput>(*this)) {
    auto* notifier = new QSocketNotifier(m_input->wakeDescriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &MidiKeyboard::drain);
    // Keys still down on a MIDI keyboard after the panic sound again when struck again.
    connect(&live, &LivePlaying::allSoundStopped, this, [this] { m_input->releaseAll(); });
    drain();
}

MidiKeyboard::~MidiKeyboard() = default;

void MidiKeyboard::noteOn(int note, float velocity) {
    m_live.press(klangora::VoiceSource::midi, note, velocity);
}

void MidiKeyboard::noteOff(int note) {
    m_live.release(klangora::VoiceSource::midi, note);
}

void MidiKeyboard::drain() {
    if (!m_input->drain()) {
        return;
    }
    QStringList inputs;
    for (const std::string& name : m_input->connectedInputs()) {
        inputs << QString::fromStdString(name);
    }
    m_live.setMidiInputs(inputs);
}
