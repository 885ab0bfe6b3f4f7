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
    if (this->position(sliderNumber) == position) {
        return;
    }
    if (m_identity.kind() != TuningIdentity::Kind::own) {
        m_identity = TuningIdentity::own();
        emit identityChanged(m_identity);
    }
    moveTone(sliderNumber, position);
}

// The tones move one after the other, each as if its slider had been moved by hand, so every
// view follows the tuning tone by tone and the caption says "own tuning" until the whole tuning
// has arrived and names itself.
void TuningModel::setTuning(const klangora::SliderPositions& positions,
                            const TuningIdentity& identity) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        setPosition(k, positions[static_cast<std::size_t>(k - klangora::kFirstSlider)]);
    }
    m_identity = identity;
    emit identityChanged(m_identity);
    emit tuningSet();
}

void TuningModel::moveTone(int sliderNumber, int position) {
    m_positions[static_cast<std::size_t>(sliderNumber - klangora::kFirstSlider)] = position;
    klangora::applySliderPosition(m_tones, sliderNumber, position);
    klangora::restenCent(m_tones);
    klangora::deriveThirdsAndFifths(m_tones);
    emit tonesChanged(toneBit(sliderNumber - 1));
}

void TuningModel::setKey(int key) {
    if (key == m_key) {
        return;
    }
    m_key = key;
    emit keyChanged(key);
}

void TuningModel::IndlaesFrek() {
    klangora::IndlaesFrek(m_tones);
}
