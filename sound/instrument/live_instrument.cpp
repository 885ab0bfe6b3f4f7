// The window's side of the live instrument: hold counts, the tuning, and events for the synth.
#include "sound/instrument/live_instrument.h"

#include "sound/instrument/pulse_live_output.h"

namespace klangora {

namespace {

bool isNote(int note) {
    return note >= 0 && note < 128;
}

} // namespace

LiveInstrument::LiveInstrument() : m_synth(std::make_unique<LiveSynth>()) {
    for (int i = 0; i < 12; ++i) {
        m_cents[static_cast<std::size_t>(i)] = 100.0 * i;
    }
}

LiveInstrument::~LiveInstrument() = default;

std::unique_ptr<LiveInstrument> LiveInstrument::withPulseAudio() {
    auto instrument = std::make_unique<LiveInstrument>();
    instrument->m_output = std::make_unique<PulseLiveOutput>(*instrument->m_synth);
    return instrument;
}

void LiveInstrument::post(const LiveEvent& event) {
    // A full queue means no audio thread drains it (no output): nothing is lost that anyone
    // would hear.
    m_synth->post(event);
}

void LiveInstrument::setTuning(const std::array<double, 12>& centsAboveC) {
    for (std::size_t i = 0; i < 12; ++i) {
        if (centsAboveC[i] != m_cents[i]) {
            m_cents[i] = centsAboveC[i];
            post({LiveEvent::Kind::tune, static_cast<std::uint8_t>(i), 0, centsAboveC[i]});
        }
    }
}

void LiveInstrument::noteOn(int note, float velocity) {
    if (!isNote(note) || m_holds[static_cast<std::size_t>(note)]++ > 0) {
        return;
    }
    if (m_output) {
        m_output->wake();
    }
    post({LiveEvent::Kind::noteOn, static_cast<std::uint8_t>(note), velocity, 0});
}

void LiveInstrument::noteOff(int note) {
    if (!isNote(note) || m_holds[static_cast<std::size_t>(note)] == 0) {
        return;
    }
    if (--m_holds[static_cast<std::size_t>(note)] == 0) {
        post({LiveEvent::Kind::noteOff, static_cast<std::uint8_t>(note), 0, 0});
    }
}

void LiveInstrument::releaseAll() {
    m_holds.fill(0);
    post({LiveEvent::Kind::releaseAll, 0, 0, 0});
}

std::bitset<128> LiveInstrument::heldNotes() const {
    std::bitset<128> held;
    for (std::size_t note = 0; note < 128; ++note) {
        held[note] = m_holds[note] > 0;
    }
    return held;
}

bool LiveInstrument::isHeld(int note) const {
    return isNote(note) && m_holds[static_cast<std::size_t>(note)] > 0;
}

double LiveInstrument::frequencyHz(int note) const {
    return liveNoteHz(note, m_cents);
}

} // namespace klangora
