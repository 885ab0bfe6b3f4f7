#pragma once

// A lesson as a teacher writes it: a title and steps shown one at a time. Each step either
// tells (text to read), sets (a tuning, the key, the arrangement), sounds (a mark, given notes,
// a passage of a piece) or asks (a question, an ear exercise). A lesson read from a file is
// checked whole before any step runs, so a broken lesson does nothing.
#include "core/exercises/exercise_kind.h"

#include <optional>
#include <string>
#include <vector>

namespace klangora {

enum class LessonStepKind {
    text,
    tuning,
    key,
    arrangement,
    mark,
    notes,
    piece,
    question,
    exercise
};

enum class MarkRow { root, third, fifth };
using LessonExercise = ExerciseKind;

struct LessonAnswer {
    std::string text; // the answer as shown, or a tuning name
    bool right = false;
};

struct LessonStep {
    LessonStepKind kind = LessonStepKind::text;
    int line = 0; // where the step begins in its file, for messages

    // text: the paragraphs (a small subset of Markdown) and the pictures beside the file.
    std::string text;
    std::vector<std::string> pictures;

    // tuning: a name as --tuning takes it, a .scl beside the lesson made absolute.
    std::string tuningName;
    // key: the tone number 1..13 (C .. c'); mark: its column.
    int toneNumber = 0;
    // arrangement
    bool fifths = false;
    // mark
    MarkRow row = MarkRow::root;
    // notes: MIDI note numbers (the fixed c is 60).
    std::vector<int> notes;
    // mark, notes: how long it sounds.
    double seconds = 3.0;

    // piece: a file beside the lesson, or an example's name; the passage, repeated or once,
    // in a sound ("own", "harpsichord", "organ", "piano"; empty: as chosen).
    std::string pieceFile;
    double fromSeconds = 0.0;
    std::optional<double> toSeconds;
    bool repeat = false;
    std::string sound;

    // question: the question, two to four answers, the explanation shown after answering. With
    // `askForTuning` the answers are tuning names, and the right one sounds, unnamed, before.
    std::string question;
    std::vector<LessonAnswer> answers;
    std::string explanation;
    bool askForTuning = false;

    // exercise: which, how many rounds, the share of right answers (percent) that passes.
    LessonExercise exercise = LessonExercise::pureOrTempered;
    int rounds = 10;
    int passPercent = 80;
};

struct Lesson {
    std::string title;
    std::string language; // "da" or "en"
    std::vector<LessonStep> steps;
};

} // namespace klangora
