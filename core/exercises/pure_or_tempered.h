#pragma once

// "Ren eller tempereret?": a major third or a fifth sounds twice, once pure and once tempered by
// the staircase's amount (wider or narrower at random), in random order; the learner says which
// of the two was pure.
#include "core/exercises/interval.h"
#include "core/exercises/scheduled_tone.h"
#include "core/exercises/staircase.h"

#include <array>
#include <random>

namespace klangora {

enum class IntervalChoice { thirds, fifths, both };

// One held interval.
struct SoundedInterval {
    double lowerHz = 0;
    double upperHz = 0;
};

struct PureOrTemperedQuestion {
    IntervalKind kind = IntervalKind::third;
    int rootToneIndex = 0;     // 0 = c .. 11 = h, of the fixed octave
    double temperingCents = 0; // positive: the tempered interval is wider than pure
    bool pureFirst = true;
    SoundedInterval first;
    SoundedInterval second;

    // The answer that is right: 1 when the first interval was the pure one, else 2.
    int pureAnswer() const { return pureFirst ? 1 : 2; }
};

// How long each interval is held, and the silence between the two.
inline constexpr int kHeldIntervalMs = 2000;
inline constexpr int kBetweenIntervalsMs = 500;

// A question on a root drawn from c..h, its pitch as the current tuning has it (c at 261.6 Hz;
// `toneCents` are the cents of c..h above c), tempered by `temperingCents` up or down.
PureOrTemperedQuestion makePureOrTemperedQuestion(IntervalChoice choice,
                                                  const std::array<double, 12>& toneCents,
                                                  double temperingCents, std::mt19937& random);

// The two intervals one after the other: ids 0 and 1 the first, 2 and 3 the second.
ToneSchedule scheduleOf(const PureOrTemperedQuestion& question);

// The whole exercise: twenty questions (or as many as asked) whose tempering follows the
// staircase.
class PureOrTemperedExercise {
public:
    PureOrTemperedExercise(IntervalChoice choice, std::mt19937& random,
                           int questions = TemperingStaircase::kAnswers)
        : m_choice(choice), m_random(random), m_staircase(questions) {}

    // The next question in the current tuning.
    const PureOrTemperedQuestion& nextQuestion(const std::array<double, 12>& toneCents);
    const PureOrTemperedQuestion& question() const { return m_question; }

    // The learner's answer (1 or 2) to the current question; whether it was right.
    bool answer(int firstOrSecond);

    const TemperingStaircase& staircase() const { return m_staircase; }
    int rightAnswers() const { return m_right; }
    bool finished() const { return m_staircase.finished(); }
    IntervalChoice choice() const { return m_choice; }

private:
    IntervalChoice m_choice;
    std::mt19937& m_random;
    TemperingStaircase m_staircase;
    PureOrTemperedQuestion m_question;
    int m_right = 0;
};

} // namespace klangora
