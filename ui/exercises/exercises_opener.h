#pragma once

// Opens the "Øvelser" window of a main window: made at the first request, shown and raised at
// every one. Its owner keeps it beside the tuning model and destroys it before the model, since
// the window gives the learner's tuning back as it goes.
#include "core/exercises/exercise_outcome.h"
#include "ui/exercises/exercise_tuning.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class ExerciseVoices;
class ExercisesWindow;
class QAction;
class QMenu;
class QWidget;

class ExercisesOpener : public QObject {
    Q_OBJECT

public:
    // Without a seed the exercises draw from the system's entropy, a new course each run.
    ExercisesOpener(QWidget& mainWindow, std::unique_ptr<ExerciseTuning> tuning,
                    ExerciseVoices& voices, std::optional<unsigned> seed = std::nullopt);
    ~ExercisesOpener() override;

    // Opens the window as the learner does, every exercise with its own number of questions.
    void open();
    // Opens the window on one exercise's page: 0 pure or tempered, 1 tune pure, 2 which
    // temperament; a lesson may ask for its number of questions or rounds.
    void openAt(int exercise, std::optional<int> rounds = std::nullopt);
    ExercisesWindow* window() const;
    // "Øvelser …" with its key, Ctrl+E, which works wherever the focus is in the main window.
    void addToMenu(QMenu& menu) const;

signals:
    // An exercise was answered to its end.
    void exerciseFinished(const klangora::ExerciseOutcome& outcome);
    // The window's "Fremskridt" pressed.
    void progressAsked();

private:
    void show();

    QWidget& m_mainWindow;
    std::unique_ptr<ExerciseTuning> m_tuning;
    ExerciseVoices& m_voices;
    std::optional<unsigned> m_seed;
    QPointer<ExercisesWindow> m_window;
    QAction* m_openAction;
};
