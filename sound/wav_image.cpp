#include "sound/wav_image.h"

#include <algorithm>
#include <string_view>

namespace klangora {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 8;
constexpr std::uint32_t kFormatRecordBytes = 18;

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void tag(std::string_view fourCharacters) {
        m_out.insert(m_out.end(), fourCharacters.begin(), fourCharacters.end());
    }
    void u16(std::uint16_t value) {
        for (int shift = 0; shift < 16; shift += 8) {
            m_out.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            m_out.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }

private:
    std::vector<std::uint8_t>& m_out;
};

// The WAVEFORMATEX record as Windows defines it for PCM.
void writeFormatRecord(LittleEndianWriter& out, std::uint32_t sampleRate) {
    const auto blockAlign = static_cast<std::uint16_t>((kChannels * kBitsPerSample) >> 3);
    out.u16(kFormatPcm);
    out.u16(kChannels);
    out.u32(sampleRate);
    out.u32(blockAlign * sampleRate); // bytes per second
    out.u16(blockAlign);
    out.u16(kBitsPerSample);
    out.u16(0); // no extra format bytes
}

} // namespace

int sampleCount(int durationMs, int sampleRate) {
    if (sampleRate <= 0) {
        return 0;
    }
    // The product is formed in 32 bits and wraps, like the header's 32-bit size fields: an
    // absurd duration gives a short or empty image rather than one too large to hold.
    const auto product = static_cast<std::int32_t>(static_cast<std::int64_t>(durationMs) *
                                                   static_cast<std::int64_t>(sampleRate));
    return std::max(0, static_cast<int>(product / 1000));
}

std::vector<std::uint8_t> newWavImage(int sampleRate, int sampleCount) {
    const auto n = static_cast<std::uint32_t>(std::max(0, sampleCount));
    std::vector<std::uint8_t> image;
    image.reserve(kWavHeaderBytes + n);
    LittleEndianWriter out(image);
    out.tag("RIFF");
    // "WAVE", "fmt " and "data", the format size field, the record and the data size field.
    out.u32(4 + 4 + 4 + 4 + kFormatRecordBytes + 4 + n);
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(kFormatRecordBytes);
    writeFormatRecord(out, static_cast<std::uint32_t>(sampleRate));
    out.tag("data");
    out.u32(n);
    image.resize(kWavHeaderBytes + n, kSilenceSample);
    return image;
}

std::span<std::uint8_t> wavSamples(std::vector<std::uint8_t>& image) {
    return std::span<std::uint8_t>(image).subspan(std::min(image.size(), kWavHeaderBytes));
}

} // namespace klangora
