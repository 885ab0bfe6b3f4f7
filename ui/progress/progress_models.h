#pragma once

// The progress as the window shows it, in item models the views draw from:
// - one series per ear exercise, a row per run in time order: column 0 the time (the moment as
//   a QDateTime under Qt::UserRole), column 1 the measure: pure or tempered the staircase's
//   threshold, tune pure the mean cents from pure (both in cents, lower is a finer ear), which
//   temperament the percent of right answers;
// - the lessons, a row each: whether and when the lesson was passed;
// - every result as one table, as "Eksporter CSV …" writes it.
#include "core/progress/progress_record.h"

#include <QObject>
#include <QStandardItemModel>

#include <array>
#include <vector>

class ProgressModels : public QObject {
    Q_OBJECT

public:
    explicit ProgressModels(QObject* parent = nullptr);

    void show(const std::vector<klangora::ProgressRecord>& records);

    QStandardItemModel& series(klangora::ExerciseKind kind) {
        return m_series[static_cast<std::size_t>(kind)];
    }
    QStandardItemModel& lessons() { return m_lessons; }
    QStandardItemModel& results() { return m_results; }

    // What an exercise's series measures.
    static QString measureName(klangora::ExerciseKind kind);

private:
    void nameColumns();
    void addExercise(const QDateTime& time, const klangora::ExerciseOutcome& outcome);
    void addLessons(const std::vector<klangora::ProgressRecord>& records);

    std::array<QStandardItemModel, 3> m_series;
    QStandardItemModel m_lessons;
    QStandardItemModel m_results;
};

// The value an exercise's series shows for one run; none for a staircase that never turned.
std::optional<double> seriesValue(const klangora::ExerciseOutcome& outcome);
