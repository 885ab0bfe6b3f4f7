#pragma once

// How one run of an ear exercise ended, in numbers a lesson can judge and a learner's progress
// can keep: each answer, how many were right, and the exercise's own measure (the staircase's
// threshold, the mean distance from pure, the temperaments asked).
#include "core/exercises/exercise_kind.h"

#include <optional>
#include <string>
#include <vector>

namespace klangora {

// One answer as the learner gave it. `cents` is what the question was about: the tempering
// asked (pure or tempered), how far from pure the learner left the interval (tune pure); none
// for which temperament. `played` and `chosen` name the temperaments there.
struct ExerciseAnswer {
    bool right = false;
    std::optional<double> cents;
    std::string played;
    std::string chosen;
};

struct ExerciseOutcome {
    ExerciseKind kind = ExerciseKind::pureOrTempered;
    std::vector<ExerciseAnswer> answers;
    // Pure or tempered: the staircase's threshold in cents (none before its first reversal);
    // tune pure: the mean distance from pure in cents.
    std::optional<double> thresholdCents;
    // Tune pure: the mean beats a second of the intervals left.
    std::optional<double> beatsPerSecond;
    // Which temperament: the temperaments the questions played, in order, without repeats.
    std::vector<std::string> temperaments;
    // The summary the exercise showed, in the interface's language.
    std::string summary;

    int rounds() const { return static_cast<int>(answers.size()); }
    int rightAnswers() const;
    // The share of right answers in percent, 0 with no answer.
    double percentRight() const;
};

// Whether an outcome reaches a pass mark given as the percent of right answers.
bool passes(const ExerciseOutcome& outcome, int passPercent);

} // namespace klangora
