#pragma once

// The MIDI Tuning Standard's messages that put a tuning on an instrument. Klangora's fixed c
// sounds 261.6 Hz; a receiver tunes against its own A4 = 440 Hz, on whose equal temperament c
// lies at 261.6256 Hz, so every offset sent carries the small difference (-0.17 cent) too.
#include "core/tuning.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace klangora::mts {

using Bytes = std::vector<std::uint8_t>;

// The cents by which pitch class 0..11 (c .. h) of the tuning lies above the receiver's equal
// temperament at A4 = 440 Hz.
double offsetFromEqualCents(const Tuning& tuning, int pitchClass);

// The frequency of a MIDI note on equal temperament at A4 = 440 Hz, and the fractional note
// number of a frequency on that scale.
double equalFrequencyHz(double noteNumber);
double equalNoteNumber(double frequencyHz);

// Scale/Octave Tuning, real-time, 2-byte form, for all sixteen channels: twelve 14-bit offsets,
// 0x2000 the equal-tempered pitch, 100/8192 cent a step (±100 cent).
Bytes scaleOctaveTuning2Byte(const Tuning& tuning);
// The 1-byte form: whole cents from -64 (0x00) through +63 (0x7F), 0x40 the equal pitch.
Bytes scaleOctaveTuning1Byte(const Tuning& tuning);

// A key's pitch as the standard writes it: the equal-tempered semitone at or below it and the
// fraction above that in 1/16384 semitone; pitches outside notes 0 .. 127 are held at its ends.
struct KeyPitch {
    std::uint8_t semitone = 0;
    std::uint16_t fraction = 0; // 14 bits
};
KeyPitch keyPitch(double frequencyHz);

// The tuning program the key-based messages fill and every channel is set to.
inline constexpr int kTuningProgram = 0;
inline constexpr int kTuningBank = 0;

// Single Note Tuning Change, real-time: all 128 keys, in two messages of 64 (a message counts
// its changes in seven bits), each key at the tuning's own pitch, octaves exact.
std::vector<Bytes> singleNoteTuningChanges(const Tuning& tuning);
// Single Note Tuning Change, real-time, of one key to a frequency of its own, in the program
// above: sounding notes of the key follow at once.
Bytes singleKeyTuningChange(int key, double frequencyHz);
// On every channel, the registered parameters 4 (tuning bank) and 3 (tuning program) set to the
// program above, then the null parameter, so that later data entry changes nothing.
Bytes selectTuningProgramOnAllChannels();

// MIDI Tuning Bulk Dump (non-real-time): the 128 keys under a 16-character name, with the
// checksum the standard asks for (all bytes from 0x7E through the data, exclusive-or, 7 bits).
Bytes bulkTuningDump(const Tuning& tuning, std::string_view name);

} // namespace klangora::mts
