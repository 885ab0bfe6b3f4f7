#include "ui/progress/progress_models.h"

#include "ui/exercises/exercises_window.h"

#include <QDateTime>
#include <QFile>

#include <map>

namespace {

using klangora::ExerciseKind;
constexpr std::array kKinds{ExerciseKind::pureOrTempered, ExerciseKind::tunePure,
                            ExerciseKind::whichTemperament};

QDateTime recordTime(const std::string& time) {
    return QDateTime::fromString(QString::fromStdString(time), Qt::ISODate);
}

// The time as the learner reads it: their own clock, to the minute.
QString shownTime(const QDateTime& time) {
    return time.toLocalTime().toString("yyyy-MM-dd HH:mm");
}

QStandardItem* item(const QVariant& value) {
    auto* cell = new QStandardItem;
    cell->setData(value, Qt::DisplayRole);
    cell->setEditable(false);
    return cell;
}

QString lessonKey(const klangora::LessonIdentity& lesson) {
    return QString::fromStdString(lesson.title + '\n' + lesson.file);
}

} // namespace

std::optional<double> seriesValue(const klangora::ExerciseOutcome& outcome) {
    if (outcome.kind == ExerciseKind::whichTemperament) {
        return outcome.answers.empty() ? std::nullopt : std::optional(outcome.percentRight());
    }
    return outcome.thresholdCents;
}

ProgressModels::ProgressModels(QObject* parent) : QObject(parent) {
    nameColumns();
}

QString ProgressModels::measureName(ExerciseKind kind) {
    switch (kind) {
    case ExerciseKind::pureOrTempered:
        return tr("Tærskel (cent)");
    case ExerciseKind::tunePure:
        return tr("Afstand fra rent (cent)");
    case ExerciseKind::whichTemperament:
        return tr("Rigtige (%)");
    }
    return {};
}

void ProgressModels::nameColumns() {
    for (const ExerciseKind kind : kKinds) {
        series(kind).setHorizontalHeaderLabels({tr("Tid"), measureName(kind)});
    }
    m_lessons.setHorizontalHeaderLabels(
        {tr("Lektion"), tr("Fil"), tr("Bestået"), tr("Hvornår"), tr("Rigtige")});
    m_results.setHorizontalHeaderLabels({tr("Tid"), tr("Øvelse eller lektion"), tr("Mål"),
                                         tr("Værdi"), tr("Rigtige"), tr("Ud af")});
}

void ProgressModels::show(const std::vector<klangora::ProgressRecord>& records) {
    for (QStandardItemModel* model :
         {&m_series[0], &m_series[1], &m_series[2], &m_lessons, &m_results}) {
        model->clear();
    }
    nameColumns();
    for (const klangora::ProgressRecord& record : records) {
        const QDateTime time = recordTime(record.time);
        if (const auto* outcome = std::get_if<klangora::ExerciseOutcome>(&record.what)) {
            addExercise(time, *outcome);
        } else if (const auto* answer = std::get_if<klangora::LessonAnswerRecord>(&record.what)) {
            m_results.appendRow(
                {item(shownTime(time)), item(QString::fromStdString(answer->lesson.title)),
                 item(tr("Svar på trin %1").arg(answer->stepIndex + 1)),
                 item(answer->answerIndex + 1), item(answer->right ? 1 : 0), item(1)});
        } else {
            const auto& passed = std::get<klangora::LessonPassedRecord>(record.what);
            m_results.appendRow({item(shownTime(time)),
                                 item(QString::fromStdString(passed.lesson.title)),
                                 item(tr("Bestået")), item(QVariant()), item(passed.rightAnswers),
                                 item(passed.questions)});
        }
    }
    addLessons(records);
}

void ProgressModels::addExercise(const QDateTime& time, const klangora::ExerciseOutcome& outcome) {
    const auto value = seriesValue(outcome);
    if (value) {
        QStandardItem* when = item(shownTime(time));
        when->setData(time, Qt::UserRole);
        series(outcome.kind).appendRow({when, item(*value)});
    }
    m_results.appendRow({item(shownTime(time)), item(ExercisesWindow::exerciseName(outcome.kind)),
                         item(measureName(outcome.kind)),
                         item(value ? QVariant(*value) : QVariant()), item(outcome.rightAnswers()),
                         item(outcome.rounds())});
}

// One row a lesson, in the order the learner first met them; passed at its latest passing.
void ProgressModels::addLessons(const std::vector<klangora::ProgressRecord>& records) {
    std::map<QString, int> rows;
    for (const klangora::ProgressRecord& record : records) {
        const auto* answer = std::get_if<klangora::LessonAnswerRecord>(&record.what);
        const auto* passed = std::get_if<klangora::LessonPassedRecord>(&record.what);
        if (answer == nullptr && passed == nullptr) {
            continue;
        }
        const klangora::LessonIdentity& lesson = answer ? answer->lesson : passed->lesson;
        const auto [row, added] = rows.try_emplace(lessonKey(lesson), m_lessons.rowCount());
        if (added) {
            m_lessons.appendRow({item(QString::fromStdString(lesson.title)),
                                 item(QFile::decodeName(lesson.file.c_str())), item(tr("Nej")),
                                 item(QVariant()), item(QVariant())});
        }
        if (passed != nullptr) {
            m_lessons.setItem(row->second, 2, item(tr("Ja")));
            m_lessons.setItem(row->second, 3, item(shownTime(recordTime(record.time))));
            m_lessons.setItem(
                row->second, 4,
                item(tr("%1 af %2").arg(passed->rightAnswers).arg(passed->questions)));
        }
    }
}
