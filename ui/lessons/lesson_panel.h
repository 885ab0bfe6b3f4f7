#pragma once

// The lesson panel: a lesson's steps one at a time, with next and back (and Page Down and Page
// Up, as a presenter's clicker sends them, while the panel has the focus). A text step shows its
// text, a question its answers and, once answered, whether it was right and why; the other steps
// say what they do, which the session carries out.
#include <QWidget>

#include <memory>

class LessonRun;
class QLabel;
class QPushButton;
class QVBoxLayout;
class Session;

class LessonPanel : public QWidget {
    Q_OBJECT

public:
    LessonPanel(Session& session, QWidget* parent = nullptr);
    ~LessonPanel() override;

    // Reads the lesson and shows its first step; a lesson with faults says them all, line by
    // line, in a message box, and nothing of it runs.
    bool open(const QString& path);
    LessonRun* run() const { return m_run.get(); }

signals:
    // A lesson read from `path` begins its run; the run lasts until another lesson is opened.
    void lessonOpened(LessonRun& run, const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void nameControls();
    void showStep();
    void showQuestion();
    void showAnswer(int index, bool right);
    void showExerciseResult();
    void showPosition();
    QString stepText() const;

    Session& m_session;
    std::unique_ptr<LessonRun> m_run;
    QLabel* m_title;
    QLabel* m_position;
    QLabel* m_body;
    QWidget* m_answers;
    QVBoxLayout* m_answerRows;
    QLabel* m_explanation;
    QPushButton* m_back;
    QPushButton* m_next;
};
