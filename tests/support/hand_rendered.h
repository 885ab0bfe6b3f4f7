#pragma once

// The live instrument with the test as its audio thread: its output never renders by itself, so
// the test renders when it likes, in callbacks of 256 samples, and may stall it.
#include "sound/instrument/live_instrument.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace klangora::test_support {

class HandRenderedOutput : public AudioOutput {
public:
    void open() override {}
};

inline std::unique_ptr<LiveInstrument> handRendered() {
    return std::make_unique<LiveInstrument>(
        [](AudioRenderer&) { return std::make_unique<HandRenderedOutput>(); });
}

inline std::vector<double> render(LiveSynth& synth, double seconds, int rate = 48000) {
    std::vector<float> block(static_cast<std::size_t>(seconds * rate));
    for (std::size_t start = 0; start < block.size(); start += 256) {
        synth.render(
            std::span(block).subspan(start, std::min<std::size_t>(256, block.size() - start)),
            rate);
    }
    return {block.begin(), block.end()};
}

} // namespace klangora::test_support
