// MIDI notes into the live instrument, drained on the window's thread when the input signals.
// Where the sound's JACK client plays the JACK MIDI input itself, the window only hears of its
// notes afterwards, looking every few milliseconds.
#include "ui/instrument/midi_keyboard.h"

#include "sound/instrument/live_instrument.h"
#include "sound/midi/midi_input.h"
#include "ui/instrument/live_playing.h"

#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace {

// How often the window looks for notes played on the audio side: their names light a little
// later than they sound, which nobody sees.
constexpr int kHeardPollMs = 10;

// With an output, the notes are played where the sound is made; without one (the calling
// thread plays the voices' part), through this thread as before.
klangora::MidiInput::AudioSide audioSideOf(LivePlaying& live) {
    klangora::AudioOutput* output = live.instrument().output();
    if (output == nullptr) {
        return {};
    }
    return {output->midiHost(), &live.instrument().synth()};
}

} // namespace

MidiKeyboard::MidiKeyboard(QWidget& window, LivePlaying& live)
    : QObject(&window), m_live(live),
      m_input(std::make_unique<klangora::MidiInput>(*this, audioSideOf(live))) {
    auto* notifier = new QSocketNotifier(m_input->wakeDescriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &MidiKeyboard::drain);
    // Keys still down on a MIDI keyboard after the panic sound again when struck again.
    connect(&live, &LivePlaying::allSoundStopped, this, [this] { m_input->releaseAll(); });
    if (m_input->jack().host() != nullptr || m_input->threadSide() != nullptr) {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &MidiKeyboard::hearAudioSide);
        poll->start(kHeardPollMs);
    }
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
    if (m_input->drain()) {
        tellInputs();
    }
}

void MidiKeyboard::tellInputs() {
    QStringList inputs;
    for (const std::string& name : m_input->connectedInputs()) {
        inputs << QString::fromStdString(name);
    }
    m_live.setMidiInputs(inputs);
}

// What the audio side played, into the window's record; and when its client is gone (the server
// went away), the notes it held end, and the input's names are told anew.
void MidiKeyboard::hearAudioSide() {
    if (klangora::ThreadSideMidi* thread = m_input->threadSide()) {
        thread->retryWaiting();
        hear(*thread);
    }
    klangora::JackMidiHost* host = m_input->jack().host();
    if (host == nullptr) {
        return;
    }
    hear(host->midi());
    if (m_hosted && !host->hostsMidi()) {
        m_live.instrument().releaseSource(klangora::VoiceSource::midi);
        tellInputs();
    }
    m_hosted = host->hostsMidi();
}

template <typename Side> void MidiKeyboard::hear(Side& side) {
    klangora::MidiNews news;
    while (side.takeNews(news)) {
        if (news.kind == klangora::MidiNews::Kind::message) {
            m_input->passOn(news.message);
        } else {
            m_live.hear(klangora::VoiceSource::midi, news.note, news.velocity,
                        news.kind == klangora::MidiNews::Kind::noteOn);
        }
    }
    if (side.takeNewsLost()) {
        m_live.hearAllOf(klangora::VoiceSource::midi);
    }
}
