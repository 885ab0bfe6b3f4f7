#include "ui/exercises/exercises_opener.h"

#include "ui/exercises/exercise_page.h"
#include "ui/exercises/exercises_window.h"
#include "ui/exercises/pure_or_tempered_page.h"
#include "ui/exercises/tune_pure_page.h"
#include "ui/exercises/which_temperament_page.h"
#include "ui/texts/key_table.h"
#include "ui/texts/language_follower.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <random>

ExercisesOpener::ExercisesOpener(QWidget& mainWindow, std::unique_ptr<ExerciseTuning> tuning,
                                 ExerciseVoices& voices, std::optional<unsigned> seed)
    : m_mainWindow(mainWindow), m_tuning(std::move(tuning)), m_voices(voices), m_seed(seed),
      m_openAction(new QAction(tr("Øvelser …"), &mainWindow)) {
    m_openAction->setObjectName("openExercisesAction");
    m_openAction->setShortcut(QKeySequence(keys::keyOf(keys::Command::openExercises)));
    connect(m_openAction, &QAction::triggered, this, &ExercisesOpener::open);
    // Actions of the window answer their keys wherever the focus is inside it.
    mainWindow.addAction(m_openAction);
    followLanguage(mainWindow, *this, [this] { m_openAction->setText(tr("Øvelser …")); });
}

void ExercisesOpener::addToMenu(QMenu& menu) const {
    menu.addAction(m_openAction);
}

ExercisesOpener::~ExercisesOpener() {
    // The window goes before the tuning and the voices it uses.
    delete m_window;
}

void ExercisesOpener::open() {
    show();
    for (ExercisePage* page : m_window->pages()) {
        page->setRounds(std::nullopt);
    }
}

void ExercisesOpener::show() {
    if (m_window == nullptr) {
        const unsigned seed = m_seed.value_or(std::random_device{}());
        m_window = new ExercisesWindow(*m_tuning, m_voices, seed, SchedulePlayer::Clock::realTime,
                                       &m_mainWindow);
        connect(m_window, &ExercisesWindow::exerciseFinished, this,
                &ExercisesOpener::exerciseFinished);
        connect(m_window, &ExercisesWindow::progressAsked, this, &ExercisesOpener::progressAsked);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ExercisesOpener::openAt(int exercise, std::optional<int> rounds) {
    show();
    const auto pages = m_window->pages();
    if (exercise >= 0 && exercise < static_cast<int>(pages.size())) {
        ExercisePage& page = *pages[static_cast<std::size_t>(exercise)];
        page.setRounds(rounds);
        m_window->showPage(page);
    }
}

ExercisesWindow* ExercisesOpener::window() const {
    return m_window;
}
