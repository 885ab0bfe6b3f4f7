#pragma once

// "Ren eller tempereret?": twenty questions, each a pure and a tempered interval one after the
// other; the learner answers 1 or 2 for the pure one, and the tempering follows the staircase.
#include "core/exercises/pure_or_tempered.h"
#include "ui/exercises/exercise_page.h"

#include <optional>

class QRadioButton;

class PureOrTemperedPage : public ExercisePage {
    Q_OBJECT

public:
    explicit PureOrTemperedPage(ExerciseContext context, QWidget* parent = nullptr);

    void start() override;
    bool keyPressed(QKeyEvent& event) override;

    const klangora::PureOrTemperedExercise* exercise() const {
        return m_exercise ? &*m_exercise : nullptr;
    }
    bool awaitsAnswer() const { return m_awaitsAnswer; }

protected:
    klangora::ExerciseKind kind() const override { return klangora::ExerciseKind::pureOrTempered; }
    int defaultRounds() const override { return klangora::TemperingStaircase::kAnswers; }

private:
    klangora::IntervalChoice choice() const;
    void ask();
    void answer(int firstOrSecond);
    void playQuestion();
    QString summary() const;

    QRadioButton* m_thirds;
    QRadioButton* m_fifths;
    QRadioButton* m_both;
    std::optional<klangora::PureOrTemperedExercise> m_exercise;
    bool m_awaitsAnswer = false;
};
