#pragma once

// The learner's progress in a main window: the file it is kept in, what keeps it, and the
// "Fremskridt" window, made at the first request, opened from the context menu and the
// exercises window. What goes wrong with the file is said in a message box.
#include <QObject>
#include <QPointer>
#include <QString>

class LessonPanel;
class ProgressRecorder;
class ProgressStore;
class ProgressWindow;
class QAction;
class QMenu;
class QWidget;
class Session;

class LearnerProgress : public QObject {
    Q_OBJECT

public:
    LearnerProgress(QWidget& mainWindow, Session& session, LessonPanel& lessons,
                    const QString& fileName = QString());
    ~LearnerProgress() override;

    ProgressStore& store() { return *m_store; }
    void open();
    ProgressWindow* window() const;
    // "Fremskridt …"
    void addToMenu(QMenu& menu) const;

private:
    QWidget& m_mainWindow;
    ProgressStore* m_store;
    ProgressRecorder* m_recorder;
    QPointer<ProgressWindow> m_window;
    QAction* m_openAction;
};
