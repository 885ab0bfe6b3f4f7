#include "ui/progress/learner_progress.h"

#include "ui/lessons/lesson_panel.h"
#include "ui/progress/progress_recorder.h"
#include "ui/progress/progress_store.h"
#include "ui/progress/progress_window.h"
#include "ui/texts/language_follower.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>

LearnerProgress::LearnerProgress(QWidget& mainWindow, Session& session, LessonPanel& lessons,
                                 const QString& fileName)
    : m_mainWindow(mainWindow),
      m_store(
          new ProgressStore(fileName.isEmpty() ? ProgressStore::userFileName() : fileName, this)),
      m_recorder(new ProgressRecorder(*m_store, session, this)),
      m_openAction(new QAction(tr("Fremskridt …"), &mainWindow)) {
    m_openAction->setObjectName("openProgressAction");
    connect(m_openAction, &QAction::triggered, this, &LearnerProgress::open);
    connect(&lessons, &LessonPanel::lessonOpened, m_recorder, &ProgressRecorder::follow);
    // Told once the step that stored the result is done, not in the middle of it.
    connect(m_store, &ProgressStore::problem, this, [](const QString& message) {
        QTimer::singleShot(0, [message] { showMessage(message); });
    });
    followLanguage(mainWindow, *this, [this] { m_openAction->setText(tr("Fremskridt …")); });
}

LearnerProgress::~LearnerProgress() {
    delete m_window;
}

void LearnerProgress::open() {
    if (m_window == nullptr) {
        m_window = new ProgressWindow(*m_store, &m_mainWindow);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

ProgressWindow* LearnerProgress::window() const {
    return m_window;
}

void LearnerProgress::addToMenu(QMenu& menu) const {
    menu.addAction(m_openAction);
}
