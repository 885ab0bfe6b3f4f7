#include "sound/wav_reader.h"

#include "sound/wav_image.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace klangora {

namespace {

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t n = 0; n < 4; ++n) {
        value |= static_cast<std::uint32_t>(bytes[offset + n]) << (8 * n);
    }
    return value;
}

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

bool tagAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view tag) {
    return std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool isEightBitMonoPcm(std::span<const std::uint8_t> image) {
    const std::uint32_t rate = u32At(image, 24);
    return u32At(image, 16) == 18 && u16At(image, 20) == 1 && u16At(image, 22) == 1 &&
           u16At(image, 34) == 8 && u16At(image, 32) == 1 && u32At(image, 28) == rate &&
           u16At(image, 36) == 0 && rate > 0 &&
           rate <= static_cast<std::uint32_t>(std::numeric_limits<int>::max());
}

} // namespace

std::optional<PcmSound> readPcmSound(std::span<const std::uint8_t> image) {
    if (image.size() < kWavHeaderBytes ||
        image.size() - 8 > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    const auto dataBytes = image.size() - kWavHeaderBytes;
    const bool layout = tagAt(image, 0, "RIFF") && u32At(image, 4) == image.size() - 8 &&
                        tagAt(image, 8, "WAVE") && tagAt(image, 12, "fmt ") &&
                        tagAt(image, 38, "data") && u32At(image, 42) == dataBytes;
    if (!layout || !isEightBitMonoPcm(image)) {
        return std::nullopt;
    }
    return PcmSound{static_cast<int>(u32At(image, 24)), image.subspan(kWavHeaderBytes)};
}

} // namespace klangora
