#pragma once

// One exercise of the "Øvelser" window: its own controls, the keys it answers while it runs, and
// the learner's tuning given back whenever it ends, finished or left.
#include "core/exercises/exercise_outcome.h"
#include "core/tone_table.h"

#include <QWidget>

#include <optional>
#include <random>

class ExerciseTuning;
class ExerciseVoices;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class SchedulePlayer;

struct ExerciseContext {
    ExerciseTuning& tuning;
    ExerciseVoices& voices;
    SchedulePlayer& player;
    std::mt19937& random;
};

class ExercisePage : public QWidget {
    Q_OBJECT

public:
    ExercisePage(ExerciseContext context, QWidget* parent = nullptr);

    // Which of the exercises the page asks.
    virtual klangora::ExerciseKind kind() const = 0;
    // Starts the exercise from its first question; a running one starts over.
    virtual void start() = 0;
    bool isRunning() const { return m_learnersTuning.has_value(); }
    // Leaves the exercise: the sound stops and the learner's tuning comes back.
    void leave();
    // Only the sound stops.
    virtual void stopSound();

    // How many questions or rounds the next start asks: a lesson's number, or none for the
    // exercise's own.
    void setRounds(std::optional<int> rounds) { m_rounds = rounds; }
    int rounds() const { return m_rounds.value_or(defaultRounds()); }

    // The exercise's keys while it runs; true when the key was the exercise's.
    virtual bool keyPressed(QKeyEvent& event) = 0;
    virtual bool keyReleased(QKeyEvent& /*event*/) { return false; }

    // What the exercise says now: the question, the answer, the summary.
    QString statusText() const;
    QString scoreText() const;

signals:
    // The exercise is over; its summary in one short text.
    void finished(const QString& summary);
    // The same end in numbers: every answer and the exercise's own measure.
    void outcomeReady(const klangora::ExerciseOutcome& outcome);

protected:
    // The learner's tuning is kept from here until leave() or finish().
    void begin();
    // The outcome so far is completed with `summary` and told.
    void finish(const QString& summary);
    virtual int defaultRounds() const = 0;
    virtual void ended() {}

    void setStatus(const QString& text);
    void setScore(const QString& text);
    // The explanation, the choices and the start button the page adds, above the status.
    void addToTop(QWidget* widget);
    // A button under the status that does what its key does, for a learner who clicks: held
    // down as long as the key would be for Space, pressed once for any other key.
    QPushButton* addKeyButton(const QString& text, Qt::Key key, const char* objectName);

    ExerciseContext m_context;
    // The answers of the run under way, and what the page adds to them at its end.
    klangora::ExerciseOutcome m_outcome;

private:
    void pressKey(Qt::Key key, bool pressed);

    std::optional<klangora::SliderPositions> m_learnersTuning;
    std::optional<int> m_rounds;
    QHBoxLayout* m_keyButtons;
    QLabel* m_status;
    QLabel* m_score;
};
