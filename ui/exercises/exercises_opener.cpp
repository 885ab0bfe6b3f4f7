#include "ui/exercises/exercises_opener.h"

#include "ui/exercises/exercises_window.h"

#include <random>

ExercisesOpener::ExercisesOpener(QWidget& mainWindow, std::unique_ptr<ExerciseTuning> tuning,
                                 ExerciseVoices& voices, std::optional<unsigned> seed)
    : m_mainWindow(mainWindow), m_tuning(std::move(tuning)), m_voices(voices), m_seed(seed) {}

ExercisesOpener::~ExercisesOpener() {
    // The window goes before the tuning and the voices it uses.
    delete m_window;
}

void ExercisesOpener::open() {
    if (m_window == nullptr) {
        const unsigned seed = m_seed.value_or(std::random_device{}());
        m_window = new ExercisesWindow(*m_tuning, m_voices, seed, SchedulePlayer::Clock::realTime,
                                       &m_mainWindow);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
