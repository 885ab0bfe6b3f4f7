#pragma once

// What the live instrument is told, as MIDI for an instrument outside: the notes of every way of
// playing it on channel 1 (the MIDI input goes out on its own channels instead), and the panic
// as All Notes Off and the pedal up on all sixteen channels. Two ways of playing may hold the
// same note; the receiver hears it start with the first and end with the last.
//
// An exercise's tones have frequencies of their own: each goes out on the key whose tone in the
// tuning lies nearest, and a tone away from that key's pitch (a pure interval against a tempered
// one) retunes the key first, by a Single Note Tuning Change in the tuning program every channel
// is given, so the instrument outside sounds what Klangora sounds.
#include "core/tuning.h"
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
    // The tuning the receiver was given, for the exercise's tones.
    void setTuning(const Tuning& tuning) { m_tuning = tuning; }
    // True once after the last of the exercise's tones ended where some key was retuned for
    // one: the receiver is to have the whole tuning again.
    bool takeRetuned();

    static constexpr int kChannel = 0; // channel 1

private:
    struct FixedTone {
        int id = -1; // none
        int key = 0;
    };

    bool heldByAny(int note) const;
    void noteOn(VoiceSource source, int note, float velocity, std::vector<std::uint8_t>& bytes);
    void noteOff(VoiceSource source, int note, std::vector<std::uint8_t>& bytes);
    void fixedOn(const LiveEvent& event, std::vector<std::uint8_t>& bytes);
    void fixedOff(VoiceSource source, int id, std::vector<std::uint8_t>& bytes);
    int nearestKey(double frequencyHz) const;

    std::array<std::bitset<128>, kVoiceSourceCount> m_held;
    Tuning m_tuning;
    std::array<FixedTone, 8> m_fixed{}; // the exercise's tones sounding
    bool m_retunedKeys = false;         // some key is off its tuning's pitch
};

} // namespace klangora
