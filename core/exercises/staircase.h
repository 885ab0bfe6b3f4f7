#pragma once

// The adaptive staircase of "Ren eller tempereret?": how far the tempered interval lies from pure
// follows the learner's answers, two down one up, so that it settles where the learner is right
// about seven times in ten.
#include <optional>
#include <vector>

namespace klangora {

class TemperingStaircase {
public:
    static constexpr double kStartCents = 16.0;
    static constexpr double kMinCents = 0.5;
    static constexpr double kMaxCents = 16.0;
    static constexpr double kAfterTwoRight = 0.7;
    static constexpr double kAfterWrong = 1.4;
    static constexpr int kAnswers = 20;
    static constexpr int kReversalsAveraged = 6;

    // A course of `answers` questions; a lesson may ask for fewer or more than the usual twenty.
    explicit TemperingStaircase(int answers = kAnswers) : m_answersAsked(answers) {}

    // The tempering in cents of the next question.
    double temperingCents() const { return m_cents; }
    int answers() const { return m_answers; }
    int answersAsked() const { return m_answersAsked; }
    bool finished() const { return m_answers >= m_answersAsked; }

    // Two right in a row make the next question harder, one wrong makes it easier; the tempering
    // where the course turns is a reversal. Answers after the last one change nothing.
    void answer(bool right);

    // The tempering at every reversal so far, in order.
    const std::vector<double>& reversalsCents() const { return m_reversals; }

    // The mean of the last six reversals (of all of them while there are fewer); none before the
    // first reversal.
    std::optional<double> thresholdCents() const;

private:
    enum class Direction { none, down, up };
    void step(Direction direction, double factor);

    int m_answersAsked = kAnswers;
    double m_cents = kStartCents;
    int m_answers = 0;
    int m_rightInARow = 0;
    Direction m_lastDirection = Direction::none;
    std::vector<double> m_reversals;
};

} // namespace klangora
