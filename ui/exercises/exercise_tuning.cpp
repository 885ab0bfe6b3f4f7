#include "ui/exercises/exercise_tuning.h"

#include "ui/model/tuning_model.h"

klangora::SliderPositions ModelExerciseTuning::positions() const {
    return m_model.positions();
}

void ModelExerciseTuning::setPositions(const klangora::SliderPositions& positions) {
    m_model.setPositions(positions);
}
