#include "core/tuning.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace klangora {

Tuning::Tuning(const SliderPositions& positions, TuningIdentity identity)
    : m_positions(positions), m_identity(std::move(identity)) {
    for (int k = kFirstSlider; k <= kLastSlider; ++k) {
        m_cents[static_cast<std::size_t>(k - 1)] = centsFromSliderPosition(k - 1, position(k));
    }
}

Tuning Tuning::preset(PresetId id) {
    return Tuning(presetPositions(id), TuningIdentity::preset(id));
}

int Tuning::position(int sliderNumber) const {
    return m_positions[static_cast<std::size_t>(sliderNumber - kFirstSlider)];
}

double Tuning::cents(int toneIndex) const {
    return m_cents[static_cast<std::size_t>(toneIndex)];
}

double Tuning::frequencyHz(int midiNote) const {
    return noteFrequencyHz(midiNote, m_cents);
}

Tuning Tuning::named(TuningIdentity identity) const {
    Tuning tuning = *this;
    tuning.m_identity = std::move(identity);
    return tuning;
}

Tuning Tuning::withPosition(int sliderNumber, int position) const {
    SliderPositions positions = m_positions;
    positions[static_cast<std::size_t>(sliderNumber - kFirstSlider)] = position;
    return Tuning(positions, TuningIdentity::own());
}

double noteFrequencyHz(int midiNote, const std::array<double, 12>& centsAboveC) {
    const int fromC = midiNote - kFixedCNote;
    const int octave = fromC >= 0 ? fromC / 12 : -((11 - fromC) / 12);
    const int pitchClass = fromC - 12 * octave;
    return static_cast<double>(kFixedCHz) *
           std::exp2(octave + centsAboveC[static_cast<std::size_t>(pitchClass)] / 1200);
}

} // namespace klangora
