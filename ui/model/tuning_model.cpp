// The tuning model: slider positions in, tone table and change news out.
#include "ui/model/tuning_model.h"

// The chords of the sound sequences are built at this rate; it is part of the tuning's tables
// because the synthesis reads it from there.
static constexpr int kChordSampleRate = 11025;

TuningModel::TuningModel(QObject* parent) : QObject(parent) {
    m_tones.sampleRate = kChordSampleRate;
    klangora::scrolTILcent(m_tones, m_positions);
    klangora::deriveThirdsAndFifths(m_tones);
}

int TuningModel::position(int sliderNumber) const {
    return m_positions[static_cast<std::size_t>(sliderNumber - klangora::kFirstSlider)];
}

void TuningModel::setPosition(int sliderNumber, int position) {
    int& stored = m_positions[static_cast<std::size_t>(sliderNumber - klangora::kFirstSlider)];
    if (stored == position) {
        return;
    }
    stored = position;
    klangora::applySliderPosition(m_tones, sliderNumber, position);
    klangora::restenCent(m_tones);
    klangora::deriveThirdsAndFifths(m_tones);
    emit tonesChanged(toneBit(sliderNumber - 1));
}

void TuningModel::IndlaesFrek() {
    klangora::IndlaesFrek(m_tones);
}
