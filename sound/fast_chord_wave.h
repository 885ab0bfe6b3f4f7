#pragma once

#include "sound/voice_oscillator.h"

#include <array>
#include <cstddef>
#include <span>

namespace klangora {

// The waveform W of a chord of up to four voices from their oscillators, in double precision,
// with a proven bound on how far it may lie from the extended-precision reference.
class FastChordWave {
public:
    static constexpr std::size_t kMaxVoices = 4;

    // frequenciesHz holds up to kMaxVoices frequencies; the weight of the fifth partial
    // follows their number as in the reference.
    FastChordWave(std::span<const double> frequenciesHz, int sampleRate);

    // W for the samples firstSample, firstSample + 1, ... into waves.
    void compute(int firstSample, std::span<double> waves);

    // A bound on |W - reference W| for every sample index below sampleCount.
    double errorBound(int sampleCount) const;

private:
    template <std::size_t Voices> void computeInterval(int firstSample, std::span<double> waves);

    std::array<VoiceOscillator, kMaxVoices> m_voices{};
    std::size_t m_voiceCount = 0;
    double m_thirdWeight = 0.0;
    double m_fifthWeight = 0.0;
};

} // namespace klangora
