#include "sound/voice_oscillator.h"

#include <cmath>
#include <numbers>

namespace klangora {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Unit roundoff of double, and a generous bound for one extended-precision sine or cosine
// (the library's are within one unit in the last of the 64 mantissa bits).
const double kRoundoff = std::ldexp(1.0, -53);
const double kExtendedSineError = std::ldexp(1.0, -62);
// Relative error of a phase formed in four extended steps (pi and three operations).
const double kExtendedPhaseError = std::ldexp(1.0, -61);

} // namespace

VoiceOscillator::VoiceOscillator(double frequencyHz, int sampleRate)
    : m_frequencyHz(frequencyHz), m_sampleRate(sampleRate),
      m_step(2.0L * kPi * m_frequencyHz / m_sampleRate),
      m_cosStep(static_cast<double>(std::cos(m_step))),
      m_sinStep(static_cast<double>(std::sin(m_step))) {}

long double VoiceOscillator::exactPhase(int sampleIndex) const {
    const long double twiceIndex = 2 * sampleIndex;
    return twiceIndex * kPi * m_frequencyHz / m_sampleRate;
}

void VoiceOscillator::seek(int sampleIndex) {
    const long double phase = exactPhase(sampleIndex);
    m_cos = static_cast<double>(std::cos(phase));
    m_sin = static_cast<double>(std::sin(phase));
}

long double VoiceOscillator::largestPhase(int sampleCount) const {
    return std::fabs(m_step) * static_cast<long double>(sampleCount) * (1.0L + 0x1p-60L);
}

double VoiceOscillator::phaseErrorBound(int sampleCount) const {
    // Rounding the extended phase to double moves it by at most half an ulp, which is below
    // kRoundoff times the phase; the extended steps before it add their own tiny share.
    const auto largest = static_cast<double>(largestPhase(sampleCount));
    return largest * (kRoundoff + kExtendedPhaseError);
}

double VoiceOscillator::sineErrorBound(int sampleCount) const {
    const auto largest = static_cast<double>(largestPhase(sampleCount));
    const auto step = static_cast<double>(std::fabs(m_step));
    // A seeded point: each coordinate rounded once to double after an extended sine of an
    // extended phase; the error vector is at most sqrt 2 times the coordinate error.
    const double seed =
        std::sqrt(2.0) * (kRoundoff + kExtendedSineError + largest * kExtendedPhaseError);
    // The rounded cosine and sine of the step make a slightly wrong turn; the difference of
    // the two turns is a scaled rotation whose norm is that of the coordinate errors.
    const double turn =
        std::sqrt(2.0) * (kRoundoff + kExtendedSineError + step * kExtendedPhaseError);
    // One turn in double: two products and a sum per coordinate, at most 2u of a unit point
    // each, so 2 sqrt 2 u for the vector; taken as 3u.
    const double perStep = 3.0 * kRoundoff + turn;
    // Errors are carried on by turns of norm 1 + turn, which over one interval grow them by
    // far less than the 1 % allowed here.
    return 1.01 * (seed + (kReseedInterval - 1) * perStep);
}

} // namespace klangora
