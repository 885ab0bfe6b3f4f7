#include "ui/exercises/exercises_window.h"

#include "ui/exercises/exercise_voices.h"
#include "ui/exercises/pure_or_tempered_page.h"
#include "ui/exercises/tune_pure_page.h"
#include "ui/exercises/which_temperament_page.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

ExercisesWindow::ExercisesWindow(ExerciseTuning& tuning, ExerciseVoices& voices, unsigned seed,
                                 SchedulePlayer::Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window), m_random(seed), m_player(voices, clock),
      m_tabs(new QTabWidget(this)) {
    setObjectName("exercisesWindow");
    setWindowTitle(tr("Øvelser"));
    setAccessibleName(tr("Øvelser"));
    const ExerciseContext context{tuning, voices, m_player, m_random};
    m_pureOrTempered = new PureOrTemperedPage(context, m_tabs);
    m_tunePure = new TunePurePage(context, m_tabs);
    m_whichTemperament = new WhichTemperamentPage(context, m_tabs);
    for (ExercisePage* page : pages()) {
        m_tabs->addTab(page, exerciseName(page->kind()));
        page->setAccessibleName(exerciseName(page->kind()));
        connect(page, &ExercisePage::outcomeReady, this, &ExercisesWindow::exerciseFinished);
    }
    m_shownPage = m_pureOrTempered;
    // Another tab leaves the exercise of the one before.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        m_shownPage->leave();
        m_shownPage = &currentPage();
    });
    auto* progress = new QPushButton(tr("Fremskridt"), this);
    progress->setObjectName("exercisesProgress");
    connect(progress, &QPushButton::clicked, this, &ExercisesWindow::progressAsked);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(progress, 0, Qt::AlignRight);
    resize(560, 420);
    watchKeys();
}

QString ExercisesWindow::exerciseName(klangora::ExerciseKind kind) {
    switch (kind) {
    case klangora::ExerciseKind::pureOrTempered:
        return tr("Ren eller tempereret?");
    case klangora::ExerciseKind::tunePure:
        return tr("Stem rent");
    case klangora::ExerciseKind::whichTemperament:
        return tr("Hvilken stemning?");
    }
    return {};
}

ExercisesWindow::~ExercisesWindow() {
    // The tabs go with the window's children, and must not call back into a window half gone.
    disconnect(m_tabs, nullptr, this, nullptr);
    leaveExercise();
}

std::array<ExercisePage*, 3> ExercisesWindow::pages() const {
    return {m_pureOrTempered, m_tunePure, m_whichTemperament};
}

ExercisePage& ExercisesWindow::currentPage() const {
    return *static_cast<ExercisePage*>(m_tabs->currentWidget());
}

void ExercisesWindow::showPage(ExercisePage& page) {
    m_tabs->setCurrentWidget(&page);
}

void ExercisesWindow::leaveExercise() {
    m_shownPage->leave();
}

// The keys are watched for the whole application: a click in the main window or the music
// window takes the focus there, and the exercise that runs must still hear its keys.
void ExercisesWindow::watchKeys() {
    qApp->installEventFilter(this);
}

bool ExercisesWindow::answersKeysOf(const QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget == nullptr) {
        return false; // the window system's window, which hands the key to a widget next
    }
    if (widget->window() == this) {
        return true;
    }
    // In Klangora's other windows only while an exercise runs, and never in a menu or a dialog
    // that has the keys to itself.
    return currentPage().isRunning() && QApplication::activePopupWidget() == nullptr &&
           QApplication::activeModalWidget() == nullptr;
}

bool ExercisesWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool pressed = event->type() == QEvent::KeyPress;
    if ((pressed || event->type() == QEvent::KeyRelease) && answersKeysOf(watched) &&
        keyEvent(*static_cast<QKeyEvent*>(event), pressed)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool ExercisesWindow::keyEvent(QKeyEvent& event, bool pressed) {
    ExercisePage& page = currentPage();
    if (event.key() == Qt::Key_Escape) {
        if (pressed) {
            page.stopSound();
        }
        return true;
    }
    if (page.isRunning()) {
        return pressed ? page.keyPressed(event) : page.keyReleased(event);
    }
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (enter && pressed) {
        page.start();
    }
    return enter;
}

void ExercisesWindow::closeEvent(QCloseEvent* event) {
    leaveExercise();
    QWidget::closeEvent(event);
}

void ExercisesWindow::hideEvent(QHideEvent* event) {
    leaveExercise();
    QWidget::hideEvent(event);
}
