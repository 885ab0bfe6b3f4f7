#include "core/exercises/pure_or_tempered.h"

#include "core/readings.h"

namespace klangora {

namespace {

IntervalKind drawKind(IntervalChoice choice, std::mt19937& random) {
    switch (choice) {
    case IntervalChoice::thirds:
        return IntervalKind::third;
    case IntervalChoice::fifths:
        return IntervalKind::fifth;
    case IntervalChoice::both:
        break;
    }
    return std::bernoulli_distribution(0.5)(random) ? IntervalKind::third : IntervalKind::fifth;
}

} // namespace

PureOrTemperedQuestion makePureOrTemperedQuestion(IntervalChoice choice,
                                                  const std::array<double, 12>& toneCents,
                                                  double temperingCents, std::mt19937& random) {
    PureOrTemperedQuestion question;
    question.kind = drawKind(choice, random);
    question.rootToneIndex = std::uniform_int_distribution<int>(0, 11)(random);
    const bool wide = std::bernoulli_distribution(0.5)(random);
    question.temperingCents = wide ? temperingCents : -temperingCents;
    question.pureFirst = std::bernoulli_distribution(0.5)(random);

    const auto rootHz = static_cast<double>(
        displayFrequencyHz(toneCents[static_cast<std::size_t>(question.rootToneIndex)]));
    const double pureHz = rootHz * pureRatio(question.kind);
    const SoundedInterval pure{rootHz, pureHz};
    const SoundedInterval tempered{rootHz, shiftedByCents(pureHz, question.temperingCents)};
    question.first = question.pureFirst ? pure : tempered;
    question.second = question.pureFirst ? tempered : pure;
    return question;
}

ToneSchedule scheduleOf(const PureOrTemperedQuestion& question) {
    const int secondStart = kHeldIntervalMs + kBetweenIntervalsMs;
    const int secondEnd = secondStart + kHeldIntervalMs;
    return {
        {0, question.first.lowerHz, 0, kHeldIntervalMs},
        {1, question.first.upperHz, 0, kHeldIntervalMs},
        {2, question.second.lowerHz, secondStart, secondEnd},
        {3, question.second.upperHz, secondStart, secondEnd},
    };
}

const PureOrTemperedQuestion&
PureOrTemperedExercise::nextQuestion(const std::array<double, 12>& toneCents) {
    m_question =
        makePureOrTemperedQuestion(m_choice, toneCents, m_staircase.temperingCents(), m_random);
    return m_question;
}

bool PureOrTemperedExercise::answer(int firstOrSecond) {
    const bool right = firstOrSecond == m_question.pureAnswer();
    if (finished()) {
        return right;
    }
    m_right += right ? 1 : 0;
    m_staircase.answer(right);
    return right;
}

} // namespace klangora
