#pragma once

// What the window (or a player on the audio thread) tells the live instrument's voices.
#include "sound/instrument/voice_source.h"

#include <cstdint>

namespace klangora {

struct LiveEvent {
    enum class Kind : std::uint8_t {
        noteOn,        // key: MIDI note; follows the tuning
        noteOff,       // key: MIDI note
        fixedOn,       // key: the caller's id; value: the frequency in Hz, never retuned
        fixedOff,      // key: the caller's id
        tune,          // key: pitch class 0..11; value: its cents above the fixed c
        releaseSource, // every note and fixed tone of the source
        releaseAll,    // every note of every source
        handOver,      // key: the number of the wanted state to take over (see StateHandOver)
    };
    Kind kind = Kind::noteOn;
    VoiceSource source = VoiceSource::computerKeys;
    float velocity = 0; // noteOn, fixedOn: 0..1
    std::int32_t key = 0;
    double value = 0;

    static LiveEvent noteOn(VoiceSource source, int note, float velocity) {
        return {Kind::noteOn, source, velocity, note, 0};
    }
    static LiveEvent noteOff(VoiceSource source, int note) {
        return {Kind::noteOff, source, 0, note, 0};
    }
    static LiveEvent fixedOn(VoiceSource source, int id, double frequencyHz, float velocity) {
        return {Kind::fixedOn, source, velocity, id, frequencyHz};
    }
    static LiveEvent fixedOff(VoiceSource source, int id) {
        return {Kind::fixedOff, source, 0, id, 0};
    }
    static LiveEvent tune(int pitchClass, double centsAboveC) {
        return {Kind::tune, VoiceSource::computerKeys, 0, pitchClass, centsAboveC};
    }
    static LiveEvent releaseSource(VoiceSource source) {
        return {Kind::releaseSource, source, 0, 0, 0};
    }
    static LiveEvent releaseAll() { return {Kind::releaseAll, VoiceSource::computerKeys, 0, 0, 0}; }
};

} // namespace klangora
