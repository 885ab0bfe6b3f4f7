#pragma once

// "Stem rent": five rounds, each a third or fifth of the learner's tuning put off pure, which the
// learner tunes back by ear: Space holds the interval, the arrow keys move the tone (with Shift a
// whole cent), Enter says it is pure. Nothing in sight tells how far off it is until then.
#include "core/exercises/tune_pure.h"
#include "ui/exercises/exercise_page.h"

#include <optional>

class TunePurePage : public ExercisePage {
    Q_OBJECT

public:
    explicit TunePurePage(ExerciseContext context, QWidget* parent = nullptr);

    void start() override;
    void stopSound() override;
    bool keyPressed(QKeyEvent& event) override;
    bool keyReleased(QKeyEvent& event) override;

    const klangora::TunePureExercise* exercise() const {
        return m_exercise ? &*m_exercise : nullptr;
    }
    // A round runs: the interval is out of pure and out of sight.
    bool roundRuns() const { return m_roundRuns; }

    // The moving tone moves by a whole cent with Shift.
    static constexpr int kShiftStep = 20;

protected:
    void ended() override;
    klangora::ExerciseKind kind() const override { return klangora::ExerciseKind::tunePure; }
    int defaultRounds() const override { return klangora::kTunePureRounds; }

private:
    void startRound();
    void endRound();
    void move(int positions);
    void sound();
    int roundNumber() const;

    std::optional<klangora::TunePureExercise> m_exercise;
    bool m_roundRuns = false;
    bool m_sounding = false;
};
