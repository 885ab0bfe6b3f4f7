#pragma once

namespace klangora {

// The sine of one voice, sample after sample, without a sine per sample: the point
// (cos, sin) of the phase is turned by the voice's phase step 2 pi f / rate once per sample.
// Rounding makes the turned point wander off slowly, so it is put back on the exact phase
// every kReseedInterval samples (seek); within an interval its error stays below
// sineErrorBound.
class VoiceOscillator {
public:
    static constexpr int kReseedInterval = 512;

    VoiceOscillator() = default; // a voice at 0 Hz: silent
    VoiceOscillator(double frequencyHz, int sampleRate);

    // Puts the point on the exact phase of sampleIndex.
    void seek(int sampleIndex);

    // The sine of the current sample, then on to the next; at most kReseedInterval samples
    // after a seek.
    double next() {
        const double sine = m_sin;
        const double turnedCos = m_cos * m_cosStep - m_sin * m_sinStep;
        m_sin = m_sin * m_cosStep + m_cos * m_sinStep;
        m_cos = turnedCos;
        return sine;
    }

    // How far the reference's phase, rounded to double, may lie from the exact phase
    // 2 pi f i / rate, for any sample index below sampleCount.
    double phaseErrorBound(int sampleCount) const;

    // How far a sine given by next may lie from the sine of the exact phase, for any sample
    // index below sampleCount.
    double sineErrorBound(int sampleCount) const;

private:
    long double exactPhase(int sampleIndex) const;
    long double largestPhase(int sampleCount) const;

    long double m_frequencyHz = 0.0L;
    long double m_sampleRate = 1.0L;
    long double m_step = 0.0L; // phase step per sample, radians
    double m_cosStep = 1.0;
    double m_sinStep = 0.0;
    double m_cos = 1.0;
    double m_sin = 0.0;
};

} // namespace klangora
