#pragma once

#include <cstdint>
#include <vector>

// The one seam between the program and the system's sound output: it is handed a complete WAV
// image in memory, as the Windows player of the original program was, and returns only when
// the sound has been heard (or could not be played at all, which nobody is told about).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::vector<std::uint8_t>& wavImage) = 0;
};
