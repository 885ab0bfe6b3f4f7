#pragma once

// The MIDI status bytes and controller numbers the program reads and writes. A status byte is
// ORed with its channel (0..15).
#include <cstdint>

namespace klangora::midi {

inline constexpr std::uint8_t kNoteOff = 0x80;
inline constexpr std::uint8_t kNoteOn = 0x90;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;

inline constexpr std::uint8_t kSustainPedal = 64;
inline constexpr std::uint8_t kAllSoundOff = 120;
inline constexpr std::uint8_t kResetAllControllers = 121;
inline constexpr std::uint8_t kAllNotesOff = 123;

} // namespace klangora::midi
