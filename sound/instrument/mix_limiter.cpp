#include "sound/instrument/mix_limiter.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

// After a loud passage the gain comes back up by this much a second: slowly enough that the
// sound does not pump with the peaks of a big chord's beating partials.
constexpr double kRecoveryPerSecond = 0.5;
// Above the knee the samples are bent smoothly towards full scale, which they never reach.
constexpr double kKnee = 0.9;
constexpr double kKneeWidth = 1.0 - kKnee;

float softKnee(float sample) {
    const double size = std::abs(sample);
    if (size <= kKnee) {
        return sample;
    }
    const double bent = kKnee + kKneeWidth * std::tanh((size - kKnee) / kKneeWidth);
    return static_cast<float>(std::copysign(bent, sample));
}

} // namespace

void MixLimiter::process(std::span<float> block, int sampleRate) {
    float peak = 0;
    for (float sample : block) {
        peak = std::max(peak, std::abs(sample));
    }
    // The gain that keeps this block's loudest sample at the limit.
    const double wanted = peak > kLimit ? kLimit / peak : 1.0;
    const auto samples = static_cast<double>(block.size());
    if (wanted < m_gain.target()) {
        m_gain.rampOver(wanted, samples); // down within this very block
    } else if (m_gain.target() < 1.0 && !m_gain.moving()) {
        const double recovered = m_gain.value() + kRecoveryPerSecond * samples / sampleRate;
        m_gain.rampOver(std::min({wanted, recovered, 1.0}), samples);
    }
    for (float& sample : block) {
        sample = softKnee(static_cast<float>(sample * m_gain.next()));
    }
}

} // namespace klangora
