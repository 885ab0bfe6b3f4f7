#include "sound/wav_image.h"
#include "sound/wav_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace klangora;

namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::string tagAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at) + 4);
}

} // namespace

TEST(SampleCount, DropsTheRemainderOfTheMilliseconds) {
    EXPECT_EQ(sampleCount(1000, 11025), 11025);
    EXPECT_EQ(sampleCount(1100, 11025), 12127); // 12127.5
    EXPECT_EQ(sampleCount(2000, 11025), 22050);
    EXPECT_EQ(sampleCount(1, 11025), 11);
    EXPECT_EQ(sampleCount(0, 11025), 0);
    EXPECT_EQ(sampleCount(-1000, 11025), 0);
    EXPECT_EQ(sampleCount(1000, 0), 0);
    EXPECT_EQ(sampleCount(-1000, -11025), 0);
}

TEST(SampleCount, MultipliesInThirtyTwoBits) {
    // 200000 ms * 11025 is 2205000000, past 2^31: the product wraps to a negative count.
    EXPECT_EQ(sampleCount(194000, 11025), 2138850);
    EXPECT_EQ(sampleCount(200000, 11025), 0);
}

class WavHeader : public testing::TestWithParam<int> {};

TEST_P(WavHeader, IsLaidOutForEightBitMonoPcm) {
    const int n = sampleCount(GetParam(), 11025);
    const std::vector<std::uint8_t> image = newWavImage(11025, n);
    ASSERT_EQ(image.size(), 46u + static_cast<std::size_t>(n)); // no pad byte, even when odd
    EXPECT_EQ(tagAt(image, 0), "RIFF");
    EXPECT_EQ(u32At(image, 4), 38u + static_cast<std::uint32_t>(n));
    EXPECT_EQ(tagAt(image, 8), "WAVE");
    EXPECT_EQ(tagAt(image, 12), "fmt ");
    EXPECT_EQ(u32At(image, 16), 18u);
    EXPECT_EQ(u16At(image, 20), 1u);     // PCM
    EXPECT_EQ(u16At(image, 22), 1u);     // mono
    EXPECT_EQ(u32At(image, 24), 11025u); // samples per second
    EXPECT_EQ(u32At(image, 28), 11025u); // bytes per second
    EXPECT_EQ(u16At(image, 32), 1u);     // block align
    EXPECT_EQ(u16At(image, 34), 8u);     // bits per sample
    EXPECT_EQ(u16At(image, 36), 0u);     // no extra format bytes
    EXPECT_EQ(tagAt(image, 38), "data");
    EXPECT_EQ(u32At(image, 42), static_cast<std::uint32_t>(n));
}

INSTANTIATE_TEST_SUITE_P(Durations, WavHeader, testing::Values(1000, 1100, 2000),
                         [](const auto& info) { return std::to_string(info.param) + "ms"; });

TEST(WavImage, StartsSilentAndGivesItsSamples) {
    std::vector<std::uint8_t> image = newWavImage(8000, 3);
    auto samples = wavSamples(image);
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(samples[0], 127);
    EXPECT_EQ(samples[2], 127);
    samples[2] = 200;
    EXPECT_EQ(image.back(), 200);
    EXPECT_EQ(u32At(image, 24), 8000u);
    EXPECT_EQ(newWavImage(11025, -5).size(), 46u);
}

TEST(WavReader, ReadsBackTheImagesThisProgramMakes) {
    std::vector<std::uint8_t> image = newWavImage(11025, 11025);
    wavSamples(image)[0] = 1;
    const auto sound = readPcmSound(image);
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->sampleRate, 11025);
    ASSERT_EQ(sound->samples.size(), 11025u);
    EXPECT_EQ(sound->samples.data(), image.data() + 46);
    EXPECT_EQ(sound->samples[0], 1);
    const auto empty = readPcmSound(newWavImage(11025, 0));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->samples.empty());
}

TEST(WavReader, RefusesEverythingElse) {
    const std::vector<std::uint8_t> good = newWavImage(11025, 100);
    EXPECT_FALSE(readPcmSound({}));
    EXPECT_FALSE(readPcmSound(std::span(good).first(45)));
    EXPECT_FALSE(readPcmSound(std::span(good).first(good.size() - 1))); // sizes disagree
    auto extended = good;
    extended.push_back(0); // a pad byte the header does not account for
    EXPECT_FALSE(readPcmSound(extended));

    // Change one field at a time: tags, sizes and every format field.
    const std::vector<std::pair<std::size_t, std::uint8_t>> corruptions = {
        {0, 'X'},   {4, 0},  {8, 'X'}, {12, 'X'}, {16, 16}, {20, 3},   {22, 2},
        {24, 0x22}, {28, 0}, {32, 2},  {34, 16},  {36, 1},  {38, 'X'}, {42, 99}};
    for (const auto& [offset, value] : corruptions) {
        auto bad = good;
        bad[offset] = value;
        EXPECT_FALSE(readPcmSound(bad)) << "byte " << offset;
    }
    auto zeroRate = good;
    std::memset(zeroRate.data() + 24, 0, 8);
    EXPECT_FALSE(readPcmSound(zeroRate));
}
