#pragma once

// "Hvilken stemning?": the learner (or the teacher) chooses two to four temperaments; a passage of
// cadences sounds in one of them, and the learner names it with 1..4. Afterwards the diagram
// shows the one that sounded, with the triads where the chosen ones differ most marked.
#include "core/exercises/which_temperament.h"
#include "ui/exercises/exercise_page.h"

#include <optional>
#include <vector>

class QCheckBox;
class QPushButton;

class WhichTemperamentPage : public ExercisePage {
    Q_OBJECT

public:
    explicit WhichTemperamentPage(ExerciseContext context, QWidget* parent = nullptr);

    static constexpr int kQuestions = 5;

    void start() override;
    bool keyPressed(QKeyEvent& event) override;

    // Ticks the box of a temperament (for the teacher's set-up, and for tests).
    void choose(const klangora::TemperamentRef& temperament, bool chosen);
    const std::optional<klangora::WhichTemperamentQuestion>& question() const { return m_question; }
    bool awaitsAnswer() const { return m_awaitsAnswer; }
    int rightAnswers() const { return m_right; }

protected:
    void ended() override;
    klangora::ExerciseKind kind() const override {
        return klangora::ExerciseKind::whichTemperament;
    }
    int defaultRounds() const override { return kQuestions; }

private:
    std::vector<klangora::TemperamentRef> chosen() const;
    void ask();
    void play();
    void answer(int number);
    void noteAnswer(bool right, const QString& played, const QString& chosen);
    QString choicesText() const;
    void showAnswerButtons();

    std::vector<std::pair<klangora::TemperamentRef, QCheckBox*>> m_boxes;
    std::vector<QPushButton*> m_answerButtons;
    std::vector<klangora::TemperamentRef> m_choices;
    std::optional<klangora::WhichTemperamentQuestion> m_question;
    bool m_awaitsAnswer = false;
    int m_asked = 0;
    int m_right = 0;
};
