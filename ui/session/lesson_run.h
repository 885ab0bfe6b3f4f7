#pragma once

// A lesson as it runs: one step at a time, forward and back, each step carried out through the
// session's commands (a tuning set, a mark sounded, a passage played, an exercise begun) and
// never through the window's widgets, so that a lesson runs the same with a window or without.
// A step's sound ends when the lesson leaves it.
#include "core/exercises/exercise_outcome.h"
#include "core/lessons/lesson.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QTimer;
class Session;

class LessonRun : public QObject {
    Q_OBJECT

public:
    LessonRun(Session& session, klangora::Lesson lesson, QObject* parent = nullptr);
    ~LessonRun() override;

    const klangora::Lesson& lesson() const { return m_lesson; }
    int stepIndex() const { return m_index; }
    int stepCount() const { return static_cast<int>(m_lesson.steps.size()); }
    const klangora::LessonStep& step() const;

    // The first step, carried out.
    void start();
    // The next or the previous step; false where there is none.
    bool next();
    bool back();
    // The learner's answer to the question shown (0-based); whether it was right. The
    // explanation may then be shown.
    bool answer(int index);
    std::optional<int> answerGiven() const { return m_answers[static_cast<std::size_t>(m_index)]; }
    // The questions answered right, of those asked.
    int rightAnswers() const;
    int questionCount() const;
    // How the exercise of the step shown last ended, once answered to its end; the newest run
    // counts.
    const std::optional<klangora::ExerciseOutcome>& exerciseOutcome() const {
        return m_outcomes[static_cast<std::size_t>(m_index)];
    }
    // Whether every question has been answered, every exercise done and the last step reached.
    bool completed() const;
    // Completed, with every exercise at or above its pass mark.
    bool passed() const;

signals:
    void stepEntered(int index);
    // A piece step names the sound it plays in ("own", "harpsichord", "organ", "piano"); the
    // window's choice of sound takes it, as the user's choice would for this run.
    void soundAsked(const QString& sound);
    void answered(int index, bool right);
    // The exercise of the step shown ended, with its share of right answers against the mark.
    void exerciseJudged(bool passed);
    void completedChanged();

private:
    void enter();
    void leave();
    void sound(const std::vector<int>& notes, double seconds);
    void playPassage(const klangora::LessonStep& step);
    void followPassage();
    std::vector<int> markNotes(const klangora::LessonStep& step) const;
    void exerciseFinished(const klangora::ExerciseOutcome& outcome);

    Session& m_session;
    klangora::Lesson m_lesson;
    int m_index = -1;
    std::vector<std::optional<int>> m_answers;
    std::vector<std::optional<klangora::ExerciseOutcome>> m_outcomes;
    std::vector<int> m_held;
    QTimer* m_release;
    QTimer* m_passage;
    bool m_reachedEnd = false;
};
