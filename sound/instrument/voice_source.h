#pragma once

// Who holds a note of the live instrument. Every note belongs to one of these, so that one way
// of playing letting go (a key released, a MIDI keyboard unplugged, a piece stopped) ends only
// its own notes, while Esc ends them all.
#include <cstddef>
#include <cstdint>

namespace klangora {

enum class VoiceSource : std::uint8_t {
    computerKeys, // the letters of the computer keyboard
    mark,         // Space on the diagram's selected mark
    noteName,     // a note name pressed with the mouse
    midi,         // the MIDI input, every channel and sender together
    piece,        // a piece of music playing
    exercise,     // an ear exercise
};
inline constexpr int kVoiceSourceCount = 6;

inline constexpr std::size_t sourceIndex(VoiceSource source) {
    return static_cast<std::size_t>(source);
}

} // namespace klangora
