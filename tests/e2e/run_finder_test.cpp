// The search for a chord in what the sink's monitor recorded. Under load the stream runs dry and
// the monitor fills the gap with its silence value, 128, which a chord also crosses: a gap that
// begins or ends where the chord lies near 128 must still be found, or the end-to-end tests fail
// on a busy machine with a chord that did sound.
#include "sound/reference_synthesis.h"
#include "sound/wav_image.h"
#include "support/private_pulse_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace klangora;
using namespace klangora::test_support;

namespace {

constexpr int kSampleRate = PrivatePulseServer::kSampleRate;

std::vector<std::uint8_t> triadSamples() {
    const std::array<double, 3> hz = {261.0, 326.25, 391.5};
    const auto image = referenceChordImage(hz, 500, 20, kSampleRate);
    return {image.begin() + kWavHeaderBytes, image.end()};
}

// The first sample from which the chord lies within 2 of 128 for `count` samples, the last one
// exactly on it when `onSilence`; the search starts a little into the chord.
std::size_t whereNearSilence(const std::vector<std::uint8_t>& chord, std::size_t count,
                             bool onSilence) {
    for (std::size_t i = 100; i + count < chord.size(); ++i) {
        bool near = true;
        for (std::size_t k = 0; k < count && near; ++k) {
            near = std::abs(chord[i + k] - 128) <= 2 && chord[i + k] != 128;
        }
        if (near && (!onSilence || chord[i + count] == 128)) {
            return i + (onSilence ? count : 0);
        }
    }
    ADD_FAILURE() << "the chord never lies near 128 for " << count << " samples";
    return 100;
}

// The chord recorded after some silence, with a gap of `gapLength` silent samples put in before
// its sample `gapAt`, and some silence after.
std::vector<std::uint8_t> recordedWithGap(const std::vector<std::uint8_t>& chord, std::size_t gapAt,
                                          std::size_t gapLength) {
    constexpr std::size_t kLead = 300;
    std::vector<std::uint8_t> recording(kLead + chord.size() + gapLength + kLead, 128);
    const auto gap = chord.begin() + static_cast<std::ptrdiff_t>(gapAt);
    const auto resumed = std::copy(chord.begin(), gap, recording.begin() + kLead);
    std::copy(gap, chord.end(), resumed + static_cast<std::ptrdiff_t>(gapLength));
    return recording;
}

struct GapCase {
    const char* name;
    std::size_t nearSilenceBefore; // samples of the chord near 128 just before the gap
    bool chordOnSilenceAtGap;      // the chord's own sample at the gap is 128
    std::size_t gapLength;
    std::size_t breaks;
};

} // namespace

TEST(RunFinder, FindsAChordAcrossAGapWhereverTheGapFalls) {
    const auto chord = triadSamples();
    const GapCase cases[] = {
        {"no gap", 0, false, 0, 0},
        {"a gap where the chord is loud", 0, false, 29, 1},
        {"a gap after samples near the silence", 3, false, 29, 1},
        {"a gap on a sample of the silence value", 0, true, 29, 1},
        {"a gap of one sample near the silence", 1, false, 1, 1},
    };
    for (const GapCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t gapAt = chord.size() / 2;
        if (c.nearSilenceBefore > 0 || c.chordOnSilenceAtGap) {
            gapAt = whereNearSilence(chord, c.nearSilenceBefore, c.chordOnSilenceAtGap);
        }
        const auto recording = recordedWithGap(chord, gapAt, c.gapLength);
        const auto found = findRunAcrossBreaks(recording, chord);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->start, 300u);
        EXPECT_EQ(found->end, 300 + chord.size() + c.gapLength);
        EXPECT_EQ(found->breaks, c.gapLength > 0 ? c.breaks : 0u);
    }
}

TEST(RunFinder, ALostOrForeignStretchIsNoChord) {
    const auto chord = triadSamples();
    auto lost = recordedWithGap(chord, 0, 0);
    lost.erase(lost.begin() + 300 + chord.size() / 2, lost.begin() + 300 + chord.size() / 2 + 20);
    EXPECT_FALSE(findRunAcrossBreaks(lost, chord).has_value()) << "twenty samples went missing";

    auto foreign = recordedWithGap(chord, 0, 0);
    foreign[300 + chord.size() / 2] =
        static_cast<std::uint8_t>(foreign[300 + chord.size() / 2] + 9);
    EXPECT_FALSE(findRunAcrossBreaks(foreign, chord).has_value()) << "one sample is off by 9";
}
