#include "sound/midi/midi_notes.h"

#include "sound/midi/midi_bytes.h"

namespace klangora {

namespace {

using namespace midi;
constexpr float kMaxVelocity = 127.0f;

} // namespace

bool MidiNotes::sounding(int channel, int note) const {
    const auto c = static_cast<std::size_t>(channel);
    const auto n = static_cast<std::size_t>(note);
    return m_keys[c][n] || m_sustained[c][n];
}

void MidiNotes::handle(const MidiMessage& message) {
    const int channel = message.channel();
    switch (message.kind()) {
    case kNoteOn:
        // A note-on with velocity 0 is how many keyboards say note-off.
        if (message.data2 == 0) {
            noteOff(channel, message.data1);
        } else {
            noteOn(channel, message.data1, message.data2);
        }
        break;
    case kNoteOff:
        noteOff(channel, message.data1);
        break;
    case kControlChange:
        control(channel, message.data1, message.data2);
        break;
    default:
        break;
    }
}

void MidiNotes::control(int channel, int controller, int value) {
    switch (controller) {
    case kSustainPedal:
        pedal(channel, value >= 64);
        break;
    case kResetAllControllers:
        pedal(channel, false);
        break;
    case kAllNotesOff:
        releaseKeys(channel);
        break;
    case kAllSoundOff:
        silenceChannel(channel);
        break;
    default:
        break;
    }
}

void MidiNotes::noteOn(int channel, int note, int velocity) {
    const auto c = static_cast<std::size_t>(channel);
    const auto n = static_cast<std::size_t>(note);
    if (m_keys[c][n]) {
        return;
    }
    const bool wasSounding = m_sustained[c][n];
    m_keys[c][n] = true;
    m_sustained[c][n] = false;
    if (!wasSounding) {
        m_sink.noteOn(note, static_cast<float>(velocity) / kMaxVelocity);
    }
}

void MidiNotes::noteOff(int channel, int note) {
    const auto c = static_cast<std::size_t>(channel);
    const auto n = static_cast<std::size_t>(note);
    if (!m_keys[c][n]) {
        return; // never on: nothing to stop
    }
    m_keys[c][n] = false;
    if (m_pedalDown[c]) {
        m_sustained[c][n] = true;
    } else {
        m_sink.noteOff(note);
    }
}

void MidiNotes::pedal(int channel, bool down) {
    const auto c = static_cast<std::size_t>(channel);
    m_pedalDown[c] = down;
    if (down) {
        return;
    }
    for (int note = 0; note < 128; ++note) {
        if (m_sustained[c][static_cast<std::size_t>(note)]) {
            m_sustained[c][static_cast<std::size_t>(note)] = false;
            m_sink.noteOff(note);
        }
    }
}

// Every key let go as by its note-off: a pedal that is down holds them on.
void MidiNotes::releaseKeys(int channel) {
    for (int note = 0; note < 128; ++note) {
        noteOff(channel, note);
    }
}

void MidiNotes::silenceChannel(int channel) {
    const auto c = static_cast<std::size_t>(channel);
    for (int note = 0; note < 128; ++note) {
        if (sounding(channel, note)) {
            m_sink.noteOff(note);
        }
    }
    m_keys[c].reset();
    m_sustained[c].reset();
}

void MidiNotes::releaseAll() {
    for (int channel = 0; channel < 16; ++channel) {
        silenceChannel(channel);
    }
    m_pedalDown.reset();
}

} // namespace klangora
