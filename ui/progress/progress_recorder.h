#pragma once

// Keeps what the learner does as it happens: every ear exercise run to its end, every answer to
// a lesson's question, and a lesson once it is passed (its last step reached with every question
// answered).
#include <QObject>

class LessonRun;
class ProgressStore;
class Session;

class ProgressRecorder : public QObject {
    Q_OBJECT

public:
    ProgressRecorder(ProgressStore& store, Session& session, QObject* parent = nullptr);

    // The run of a lesson read from `file`, kept for as long as it runs.
    void follow(LessonRun& run, const QString& file);

private:
    ProgressStore& m_store;
};
