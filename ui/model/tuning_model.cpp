// The tuning model: slider positions in, tone table and change news out.
#include "ui/model/tuning_model.h"

TuningModel::TuningModel(QObject* parent) : QObject(parent) {
    m_tones.sampleRate = klangora::kChordSampleRate;
    klangora::scrolTILcent(m_tones, m_tuning.positions());
    klangora::deriveThirdsAndFifths(m_tones);
}

void TuningModel::setPosition(int sliderNumber, int position) {
    if (moveTone(sliderNumber, position)) {
        emit tuningChanged(m_tuning);
    }
}

void TuningModel::setPositions(const klangora::SliderPositions& positions) {
    bool moved = false;
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        moved |= moveTone(k, positions[static_cast<std::size_t>(k - klangora::kFirstSlider)]);
    }
    if (moved) {
        emit tuningChanged(m_tuning);
    }
}

// The tones move one after the other, each as if its slider had been moved by hand, so every
// view of the tables follows the tuning tone by tone and the caption says "own tuning" until the
// whole tuning has arrived and names itself. What sounds hears of it once, whole.
void TuningModel::setTuning(const klangora::Tuning& tuning) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        moveTone(k, tuning.position(k));
    }
    m_tuning = tuning;
    emit identityChanged(m_tuning.identity());
    emit tuningSet();
    emit tuningChanged(m_tuning);
}

// A tone moved by hand makes the tuning the learner's own. False when the tone was already there.
bool TuningModel::moveTone(int sliderNumber, int position) {
    if (this->position(sliderNumber) == position) {
        return false;
    }
    if (identity().kind() != TuningIdentity::Kind::own) {
        m_tuning = m_tuning.named(TuningIdentity::own());
        emit identityChanged(m_tuning.identity());
    }
    m_tuning = m_tuning.withPosition(sliderNumber, position);
    klangora::applySliderPosition(m_tones, sliderNumber, position);
    klangora::restenCent(m_tones);
    klangora::deriveThirdsAndFifths(m_tones);
    emit tonesChanged(toneBit(sliderNumber - 1));
    return true;
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
