#include "core/exercises/exercise_outcome.h"

#include <algorithm>

namespace klangora {

int ExerciseOutcome::rightAnswers() const {
    return static_cast<int>(std::count_if(answers.begin(), answers.end(),
                                          [](const ExerciseAnswer& a) { return a.right; }));
}

double ExerciseOutcome::percentRight() const {
    return answers.empty() ? 0.0 : 100.0 * rightAnswers() / static_cast<double>(answers.size());
}

bool passes(const ExerciseOutcome& outcome, int passPercent) {
    return !outcome.answers.empty() && outcome.percentRight() + 1e-9 >= passPercent;
}

} // namespace klangora
