#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace klangora {

// The sound of an 8-bit mono PCM image: its rate and its samples, pointing into the image.
struct PcmSound {
    int sampleRate = 0;
    std::span<const std::uint8_t> samples;
};

// Reads back exactly the images newWavImage lays out: RIFF/WAVE, an 18-byte PCM "fmt " record
// for one channel of 8 bits, then the "data" chunk filling the rest of the image. Anything
// else (another layout, another format, sizes that disagree with the image) gives nothing.
std::optional<PcmSound> readPcmSound(std::span<const std::uint8_t> image);

} // namespace klangora
