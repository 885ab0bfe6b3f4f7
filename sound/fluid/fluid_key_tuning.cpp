#include "sound/fluid/fluid_key_tuning.h"

#include "sound/instrument/live_synth.h"

#include <cmath>

namespace klangora {

namespace {
constexpr double kA4Hz = 440.0;
constexpr double kA4Cents = 6900.0;
} // namespace

double fluidCentsFromHz(double hz) {
    return kA4Cents + 1200.0 * std::log2(hz / kA4Hz);
}

double hzFromFluidCents(double cents) {
    return kA4Hz * std::exp2((cents - kA4Cents) / 1200.0);
}

KeyTuningCents fluidKeyTuning(const std::array<double, 12>& centsAboveC,
                              const KeyCorrections& corrections) {
    KeyTuningCents keys{};
    for (int key = 0; key < 128; ++key) {
        keys[static_cast<std::size_t>(key)] = fluidCentsFromHz(liveNoteHz(key, centsAboveC)) +
                                              kDitherCents +
                                              corrections[static_cast<std::size_t>(key)];
    }
    return keys;
}

} // namespace klangora
