// The window's side of the live instrument: the wanted state, and events for the synth.
#include "sound/instrument/live_instrument.h"

#include <algorithm>

namespace klangora {

namespace {

bool isNote(int note) {
    return note >= 0 && note < 128;
}

} // namespace

LiveInstrument::LiveInstrument() : m_synth(std::make_unique<LiveSynth>()) {
    for (int i = 0; i < 12; ++i) {
        m_wanted.centsAboveC[static_cast<std::size_t>(i)] = 100.0 * i;
    }
}

LiveInstrument::LiveInstrument(const AudioOutputFactory& makeOutput) : LiveInstrument() {
    m_output = makeOutput(*m_synth);
}

LiveInstrument::~LiveInstrument() = default;

// An event goes into the queue only while no hand-over waits: after a lost event, the next
// thing the audio side hears of the window is the whole state.
void LiveInstrument::send(const LiveEvent& event) {
    if (m_tap) {
        m_tap(event);
    }
    const bool sounds =
        event.kind == LiveEvent::Kind::noteOn || event.kind == LiveEvent::Kind::fixedOn;
    if (m_output && (sounds || m_handOverPending)) {
        m_output->open();
    }
    if (m_handOverPending || !m_synth->post(event)) {
        m_handOverPending = true;
        settle();
    }
    if (!m_output) {
        m_synth->applyEventsSilently();
    }
}

// Race-free because each side owns what it touches: the state goes into the hand-over's slot
// that only this thread writes, is published by an atomic exchange, and only then is the event
// that names it queued, into a queue that has room (only this thread fills it). See
// LiveSynth::takeOver for the audio side.
bool LiveInstrument::settle() {
    if (!m_handOverPending) {
        return true;
    }
    if (!m_synth->hasRoom()) {
        return false;
    }
    ++m_wanted.number;
    StateHandOver& handOver = m_synth->handOver();
    handOver.back() = m_wanted;
    handOver.publish();
    m_synth->post({LiveEvent::Kind::handOver, VoiceSource::computerKeys, 0, 0,
                   static_cast<double>(m_wanted.number)});
    m_handOverPending = false;
    if (!m_output) {
        m_synth->applyEventsSilently();
    }
    return true;
}

void LiveInstrument::setTuning(const std::array<double, 12>& centsAboveC) {
    for (std::size_t i = 0; i < 12; ++i) {
        if (centsAboveC[i] != m_wanted.centsAboveC[i]) {
            m_wanted.centsAboveC[i] = centsAboveC[i];
            send(LiveEvent::tune(static_cast<int>(i), centsAboveC[i]));
        }
    }
}

void LiveInstrument::noteOn(VoiceSource source, int note, float velocity) {
    if (!isNote(note)) {
        return;
    }
    const auto n = static_cast<std::size_t>(note);
    Holds& holds = m_holds[sourceIndex(source)];
    if (holds.count[n] == 255 || holds.count[n]++ > 0) {
        return;
    }
    // Fresh, or struck again while the pedal holds it: either way it sounds anew.
    holds.sustained.reset(n);
    wanted(source).notes.set(n);
    wanted(source).velocity[n] = velocity;
    send(LiveEvent::noteOn(source, note, velocity));
}

void LiveInstrument::recordPlayed(VoiceSource source, int note, float velocity, bool on) {
    if (!isNote(note)) {
        return;
    }
    const auto n = static_cast<std::size_t>(note);
    wanted(source).notes.set(n, on);
    if (on) {
        wanted(source).velocity[n] = velocity;
    }
}

void LiveInstrument::noteOff(VoiceSource source, int note) {
    if (!isNote(note)) {
        return;
    }
    const auto n = static_cast<std::size_t>(note);
    Holds& holds = m_holds[sourceIndex(source)];
    if (holds.count[n] == 0 || --holds.count[n] > 0) {
        return;
    }
    if (holds.pedal) {
        holds.sustained.set(n);
    } else {
        endNote(source, note);
    }
}

void LiveInstrument::endNote(VoiceSource source, int note) {
    wanted(source).notes.reset(static_cast<std::size_t>(note));
    send(LiveEvent::noteOff(source, note));
}

void LiveInstrument::sustain(VoiceSource source, bool down) {
    Holds& holds = m_holds[sourceIndex(source)];
    holds.pedal = down;
    if (down) {
        return;
    }
    for (int note = 0; note < 128; ++note) {
        if (holds.sustained.test(static_cast<std::size_t>(note))) {
            holds.sustained.reset(static_cast<std::size_t>(note));
            endNote(source, note);
        }
    }
}

void LiveInstrument::fixedOn(VoiceSource source, int id, double frequencyHz, float velocity) {
    auto& tones = wanted(source).fixed;
    auto tone = std::find_if(tones.begin(), tones.end(),
                             [id](const auto& t) { return t.on && t.id == id; });
    if (tone == tones.end()) {
        tone = std::find_if(tones.begin(), tones.end(), [](const auto& t) { return !t.on; });
    }
    if (tone == tones.end() || !(frequencyHz > 0)) {
        return; // as many fixed tones as a source may hold already sound
    }
    *tone = {true, id, velocity, frequencyHz};
    send(LiveEvent::fixedOn(source, id, frequencyHz, velocity));
}

void LiveInstrument::fixedOff(VoiceSource source, int id) {
    auto& tones = wanted(source).fixed;
    const auto tone = std::find_if(tones.begin(), tones.end(),
                                   [id](const auto& t) { return t.on && t.id == id; });
    if (tone != tones.end()) {
        tone->on = false;
        send(LiveEvent::fixedOff(source, id));
    }
}

void LiveInstrument::releaseSource(VoiceSource source) {
    m_holds[sourceIndex(source)] = {};
    wanted(source) = {};
    send(LiveEvent::releaseSource(source));
}

void LiveInstrument::releaseAll() {
    m_holds = {};
    for (auto& source : m_wanted.sources) {
        source = {};
    }
    send(LiveEvent::releaseAll());
}

std::bitset<128> LiveInstrument::heldNotes(VoiceSource source) const {
    return m_wanted.sources[sourceIndex(source)].notes;
}

std::bitset<128> LiveInstrument::heldNotes() const {
    std::bitset<128> notes;
    for (const auto& source : m_wanted.sources) {
        notes |= source.notes;
    }
    return notes;
}

bool LiveInstrument::isHeld(int note) const {
    return isNote(note) && heldNotes().test(static_cast<std::size_t>(note));
}

double LiveInstrument::frequencyHz(int note) const {
    return liveNoteHz(note, m_wanted.centsAboveC);
}

} // namespace klangora
