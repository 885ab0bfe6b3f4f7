#include "ui/exercises/exercise_tuning.h"

#include "ui/model/tuning_model.h"

klangora::SliderPositions ModelExerciseTuning::positions() const {
    return m_model.positions();
}

void ModelExerciseTuning::setPositions(const klangora::SliderPositions& positions) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_model.setPosition(k, positions[static_cast<std::size_t>(k - klangora::kFirstSlider)]);
    }
}

std::array<double, 12> octaveCents(const klangora::SliderPositions& positions) {
    klangora::ToneTable table;
    klangora::scrolTILcent(table, positions);
    std::array<double, 12> cents{};
    std::copy_n(table.toneCents.begin(), cents.size(), cents.begin());
    return cents;
}
