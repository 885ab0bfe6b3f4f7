#include "sound/fast_chord_wave.h"

#include "sound/reference_synthesis.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {
const double kRoundoff = std::ldexp(1.0, -53);
} // namespace

FastChordWave::FastChordWave(std::span<const double> frequenciesHz, int sampleRate)
    : m_voiceCount(std::min(frequenciesHz.size(), kMaxVoices)),
      m_thirdWeight(static_cast<double>(kThirdPartialWeight)),
      m_fifthWeight(
          static_cast<double>(kFifthPartialWeight / fifthPartialDivisor(frequenciesHz.size()))) {
    for (std::size_t k = 0; k < m_voiceCount; ++k) {
        m_voices[k] = VoiceOscillator(frequenciesHz[k], sampleRate);
    }
}

void FastChordWave::compute(int firstSample, std::span<double> waves) {
    constexpr auto interval = static_cast<std::size_t>(VoiceOscillator::kReseedInterval);
    for (std::size_t done = 0; done < waves.size(); done += interval) {
        const int first = firstSample + static_cast<int>(done);
        const std::span<double> part = waves.subspan(done, std::min(interval, waves.size() - done));
        switch (m_voiceCount) {
        case 4:
            computeInterval<4>(first, part);
            break;
        case 3:
            computeInterval<3>(first, part);
            break;
        case 2:
            computeInterval<2>(first, part);
            break;
        case 1:
            computeInterval<1>(first, part);
            break;
        default:
            std::fill(part.begin(), part.end(), 0.0);
        }
    }
}

// The voices are stepped side by side, so that the multiplications of one voice's turn overlap
// with those of the others instead of waiting for each other.
template <std::size_t Voices>
void FastChordWave::computeInterval(int firstSample, std::span<double> waves) {
    std::array<VoiceOscillator, Voices> voices;
    for (std::size_t k = 0; k < Voices; ++k) {
        voices[k] = m_voices[k];
        voices[k].seek(firstSample);
    }
    for (double& wave : waves) {
        double first = 0.0;
        double third = 0.0;
        double fifth = 0.0;
        for (auto& voice : voices) {
            // sin 3a = 3s - 4s^3 and sin 5a = 16s^5 - 20s^3 + 5s, from s = sin a alone.
            const double s = voice.next();
            const double s2 = s * s;
            first += s;
            third += s * (3.0 - 4.0 * s2);
            fifth += s * (5.0 + s2 * (16.0 * s2 - 20.0));
        }
        wave = first - m_thirdWeight * third + m_fifthWeight * fifth;
    }
}

double FastChordWave::errorBound(int sampleCount) const {
    // Per voice: the reference's phase error moves sin a, sin 3a and sin 5a by at most 1, 3 and
    // 5 times itself; an error in s moves 3s - 4s^3 by at most 9 and the fifth polynomial by at
    // most 25 times itself (their largest slopes on [-1, 1]); evaluating the two polynomials
    // in double costs at most 12u and 100u (u the unit roundoff of double).
    const double third = static_cast<double>(kThirdPartialWeight);
    const double fifth = static_cast<double>(kFifthPartialWeight) / 10.0;
    double bound = 0.0;
    for (std::size_t k = 0; k < m_voiceCount; ++k) {
        const double phase = m_voices[k].phaseErrorBound(sampleCount);
        const double sine = m_voices[k].sineErrorBound(sampleCount);
        bound += (1.0 + 3.0 * third + 5.0 * fifth) * phase +
                 (1.0 + 9.01 * third + 25.1 * fifth) * sine +
                 (12.0 * third + 100.0 * fifth) * kRoundoff;
    }
    // The sums and weights of at most four voices in double (30u), the reference's rounding of
    // W to double (4.5u) and its own extended-precision sines and sums (below 2^-57).
    return bound + 34.5 * kRoundoff + std::ldexp(1.0, -57);
}

} // namespace klangora
