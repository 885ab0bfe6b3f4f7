#include "ui/progress/progress_recorder.h"

#include "ui/progress/progress_store.h"
#include "ui/session/lesson_run.h"
#include "ui/session/session.h"

#include <QFile>

ProgressRecorder::ProgressRecorder(ProgressStore& store, Session& session, QObject* parent)
    : QObject(parent), m_store(store) {
    connect(&session, &Session::exerciseFinished, this,
            [this](const klangora::ExerciseOutcome& outcome) {
                m_store.add({ProgressStore::now(), outcome});
            });
}

void ProgressRecorder::follow(LessonRun& run, const QString& file) {
    const klangora::LessonIdentity lesson{run.lesson().title,
                                          QFile::encodeName(file).toStdString()};
    connect(&run, &LessonRun::answered, this, [this, &run, lesson](int index, bool right) {
        m_store.add({ProgressStore::now(),
                     klangora::LessonAnswerRecord{lesson, run.stepIndex(), index, right}});
    });
    // Passed once a run, when every exercise has reached its mark (an exercise answered again
    // after falling short may pass it later); going back and forth over the last step passes it
    // no more times.
    connect(&run, &LessonRun::completedChanged, this, [this, &run, lesson, kept = false]() mutable {
        if (!kept && run.passed()) {
            kept = true;
            m_store.add(
                {ProgressStore::now(),
                 klangora::LessonPassedRecord{lesson, run.rightAnswers(), run.questionCount()}});
        }
    });
}
