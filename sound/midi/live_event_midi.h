#pragma once

// What the live instrument is told, as MIDI for an instrument outside: the notes of every way of
// playing it on channel 1 (the MIDI input goes out on its own channels instead), and the panic
// as All Notes Off and the pedal up on all sixteen channels. Two ways of playing may hold the
// same note; the receiver hears it start with the first and end with the last.
#include "sound/instrument/live_event.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace klangora {

class LiveEventMidi {
public:
    // The bytes for the event; none for what has no MIDI of its own (a retuning, which the
    // tuning messages carry, a fixed tone at a frequency of its own, the MIDI input's notes).
    std::vector<std::uint8_t> translate(const LiveEvent& event);
    // All Notes Off and the sustain pedal up on every channel; every note forgotten.
    std::vector<std::uint8_t> silenceAll();

    static constexpr int kChannel = 0; // channel 1
    static constexpr int kAllNotesOff = 123;
    static constexpr int kSustainPedal = 64;

private:
    bool heldByAny(int note) const;
    void noteOff(VoiceSource source, int note, std::vector<std::uint8_t>& bytes);

    std::array<std::bitset<128>, kVoiceSourceCount> m_held;
};

} // namespace klangora
