#pragma once

#include <cstdint>

// The sound sequences of the three sound buttons: each tick of Timer3 performs the step that
// sequenceStep names, then counts it on by one. The steps between the named ones do nothing,
// so each one is a pause of one tick.
namespace sequencer {

// Timer3's interval: the pause between two steps.
inline constexpr int kStepIntervalMs = 500;

// The triad comparison: a message, the pure triad, a second message, a pause, the tempered
// triad, the end.
inline constexpr int kTriadMessageStep = 0;
inline constexpr int kPureTriadStep = 1;
inline constexpr int kTemperedMessageStep = 2;
inline constexpr int kTemperedTriadStep = 4;
inline constexpr int kTriadEndStep = 5;

// Each chorale: a message, its seven chords one after the other, the end.
inline constexpr int kChoraleMessageStep = 10;
inline constexpr int kChoraleStep = 11;
inline constexpr int kChoraleEndStep = 12;
inline constexpr int kJazzChoraleMessageStep = 20;
inline constexpr int kJazzChoraleStep = 21;
inline constexpr int kJazzChoraleEndStep = 22;

// Each triad sounds this long; the chorale chords carry their own lengths.
inline constexpr int kTriadMs = 2000;
// Every chord's scale factor, in sample steps of the 8-bit image.
inline constexpr std::uint8_t kAmplitude = 20;

} // namespace sequencer
