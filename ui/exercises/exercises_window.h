#pragma once

// The "Øvelser" window: three exercises that train the ear on temperaments, each on a tab of its
// own. It answers its keys itself (Space, the arrow keys, 1..4, Enter; Esc stops the sound and
// closes nothing), in its own window and, while an exercise runs, in every window of the program,
// and whichever way the learner leaves an exercise, the tuning is theirs again.
#include "ui/exercises/schedule_player.h"

#include "core/exercises/exercise_outcome.h"

#include <QWidget>

#include <array>
#include <random>

class ExercisePage;
class ExerciseTuning;
class ExerciseVoices;
class PureOrTemperedPage;
class QTabWidget;
class TunePurePage;
class WhichTemperamentPage;

class ExercisesWindow : public QWidget {
    Q_OBJECT

public:
    // The exercises draw their questions from a generator seeded with `seed`, so that a test
    // knows what they will ask.
    ExercisesWindow(ExerciseTuning& tuning, ExerciseVoices& voices, unsigned seed,
                    SchedulePlayer::Clock clock = SchedulePlayer::Clock::realTime,
                    QWidget* parent = nullptr);
    ~ExercisesWindow() override;

    PureOrTemperedPage& pureOrTempered() const { return *m_pureOrTempered; }
    TunePurePage& tunePure() const { return *m_tunePure; }
    WhichTemperamentPage& whichTemperament() const { return *m_whichTemperament; }
    SchedulePlayer& player() { return m_player; }
    // "Ren eller tempereret?", "Stem rent", "Hvilken stemning?": the exercise's name, as its tab
    // shows it and the progress window lists it.
    static QString exerciseName(klangora::ExerciseKind kind);
    // The three pages in the order of their tabs.
    std::array<ExercisePage*, 3> pages() const;
    ExercisePage& currentPage() const;
    void showPage(ExercisePage& page);

    // The exercise that runs ends, the learner's tuning comes back.
    void leaveExercise();

signals:
    void exerciseFinished(const klangora::ExerciseOutcome& outcome);
    // "Fremskridt": the learner asks to see their results.
    void progressAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool keyEvent(QKeyEvent& event, bool pressed);
    void watchKeys();
    bool answersKeysOf(const QObject* watched) const;

    std::mt19937 m_random;
    SchedulePlayer m_player;
    QTabWidget* m_tabs;
    PureOrTemperedPage* m_pureOrTempered;
    TunePurePage* m_tunePure;
    WhichTemperamentPage* m_whichTemperament;
    ExercisePage* m_shownPage = nullptr;
};
