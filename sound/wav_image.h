#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace klangora {

// Header of the 8-bit mono PCM image: RIFF, WAVE, an 18-byte "fmt " record (the Windows
// WAVEFORMATEX with a zero extra size) and the "data" chunk header. The samples follow at once
// and no pad byte ever follows them, even when their number is odd.
inline constexpr std::size_t kWavHeaderBytes = 46;

// Unsigned 8-bit PCM is centred on 128; the program's own silence sits one step lower.
inline constexpr std::uint8_t kSilenceSample = 127;

// N = durationMs * sampleRate div 1000, the product taken in 32 bits and the remainder dropped
// (1100 ms at 11025 Hz give 12127 samples, not 12128). No sound has a negative length, so a
// negative result, or a sample rate that is not positive, gives 0.
int sampleCount(int durationMs, int sampleRate);

// An image of sampleCount samples at sampleRate with its header written and every sample at
// kSilenceSample; a negative count is taken as 0.
std::vector<std::uint8_t> newWavImage(int sampleRate, int sampleCount);

// The samples of an image made by newWavImage.
std::span<std::uint8_t> wavSamples(std::vector<std::uint8_t>& image);

} // namespace klangora
