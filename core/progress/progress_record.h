#pragma once

// What a learner's progress keeps, one record for each thing that happened, with the moment it
// happened: an ear exercise run to its end, a lesson question answered, a lesson passed.
#include "core/exercises/exercise_outcome.h"

#include <string>
#include <string_view>
#include <variant>

namespace klangora {

// A lesson as the learner knew it: its title, and the file it was read from (empty when it came
// from nowhere on disk). Two lessons of one title in different files are different lessons.
struct LessonIdentity {
    std::string title;
    std::string file;
};

// An answer to a lesson's question; the step and the answer are counted from 0.
struct LessonAnswerRecord {
    LessonIdentity lesson;
    int stepIndex = 0;
    int answerIndex = 0;
    bool right = false;
};

// A lesson run to its last step with every question answered.
struct LessonPassedRecord {
    LessonIdentity lesson;
    int rightAnswers = 0;
    int questions = 0;
};

struct ProgressRecord {
    // ISO 8601 in UTC to the second, "2026-12-10T11:50:28Z": sorts as text in time order and
    // means the same wherever the file is read.
    std::string time;
    std::variant<ExerciseOutcome, LessonAnswerRecord, LessonPassedRecord> what;
};

// Whether `text` is a time as records keep it.
bool isProgressTime(std::string_view text);

} // namespace klangora
