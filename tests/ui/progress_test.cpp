#include "support/window_test_support.h"

#include "core/progress/progress_file.h"
#include "ui/exercises/exercises_window.h"
#include "ui/lessons/lesson_panel.h"
#include "ui/progress/progress_models.h"
#include "ui/progress/progress_plot.h"
#include "ui/progress/progress_window.h"
#include "ui/session/session.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

using klangora::ExerciseKind;

// The learner's progress in the real window: what the exercises and lessons report is kept in
// the data folder, the "Fremskridt" window plots each exercise's stored series and lists the
// lessons, exports every result as CSV and clears them after asking.
class ProgressTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    WindowFixture m_window;

    QString fileName() const { return m_data.filePath("klangora/progress.txt"); }
    std::filesystem::path diskFile() const { return fileName().toStdString(); }
    ProgressWindow& openProgress() {
        child<QAction>(m_window->form, "openProgressAction")->trigger();
        return *child<ProgressWindow>(m_window->form, "progressWindow");
    }
    static QString day(int n) { return QString("2026-12-%1T09:00:00Z").arg(n, 2, 10, QChar('0')); }
    // A run of an exercise: a staircase's threshold or the mean from pure (none below 0), or
    // for which temperament the answers right of four.
    static klangora::ExerciseOutcome run(ExerciseKind kind, double measure) {
        klangora::ExerciseOutcome outcome{kind, {}, {}, {}, {}, "x"};
        for (int n = 0; n < 4; ++n) {
            outcome.answers.push_back({n < measure, 1.0, "", ""});
        }
        if (kind != ExerciseKind::whichTemperament && measure >= 0) {
            outcome.thresholdCents = measure;
        }
        return outcome;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qputenv("TZ", "UTC");
    }
    void init() {
        QFile::remove(fileName());
        QVERIFY(settle(m_window.emplace().form));
    }
    void cleanup() { m_window.reset(); }

    void storedSeriesIsPlotted_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<double>>("stored");
        QTest::addColumn<QList<double>>("plotted");
        QTest::newRow("staircase, one never turned")
            << 0 << QList{8.0, -1.0, 2.6, 4.0} << QList{8.0, 2.6, 4.0};
        QTest::newRow("tune pure") << 1 << QList{4.5, 1.25} << QList{4.5, 1.25};
        QTest::newRow("which temperament") << 2 << QList{1.0, 3.0, 4.0} << QList{25.0, 75.0, 100.0};
    }
    void storedSeriesIsPlotted() {
        QFETCH(int, kind);
        QFETCH(QList<double>, stored);
        QFETCH(QList<double>, plotted);
        std::vector<klangora::ProgressRecord> records;
        for (int n = 0; n < stored.size(); ++n) {
            records.push_back(
                {day(n + 1).toStdString(), run(static_cast<ExerciseKind>(kind), stored[n])});
        }
        // Another exercise's run between them is no point of this one.
        records.push_back({day(20).toStdString(), run(ExerciseKind((kind + 1) % 3), 3.0)});
        QVERIFY(klangora::saveProgressFile(diskFile(), records));
        ProgressPlot& plot = openProgress().plot(static_cast<ExerciseKind>(kind));
        const QAbstractItemModel& model = *plot.model();
        QCOMPARE(model.rowCount(), plotted.size());
        const QVector<QPointF> points = plot.plottedPoints();
        for (int row = 0; row < plotted.size(); ++row) {
            QCOMPARE(model.index(row, 1).data().toDouble(), plotted[row]);
            if (row > 0) {
                QVERIFY(points[row].x() > points[row - 1].x());
                // A larger measure stands higher, nearer the top of the widget.
                QCOMPARE(points[row].y() < points[row - 1].y(), plotted[row] > plotted[row - 1]);
            }
        }
        QCOMPARE(model.index(0, 0).data(Qt::UserRole).toDateTime(),
                 QDateTime::fromString(day(1), Qt::ISODate));
    }

    void exercisesAndLessonsAreKept() {
        m_window->form.session().finishExercise(run(ExerciseKind::tunePure, 1.5));
        QTemporaryDir folder;
        QFile lesson(folder.filePath("terts.lektion"));
        QVERIFY(lesson.open(QIODevice::WriteOnly));
        lesson.write("klangora-lektion 1\ntitel: Tertsen\n= spørgsmål Ren?\n* Ja\n- Nej\n"
                     "= tekst\nSlut.\n");
        lesson.close();
        QVERIFY(m_window->form.openLesson(lesson.fileName()));
        const LessonPanel& panel = m_window->form.lessonPanel();
        child<QPushButton>(panel, "lessonAnswer2")->click();
        child<QPushButton>(panel, "lessonAnswer1")->click();
        child<QPushButton>(panel, "lessonNext")->click();
        const klangora::ProgressLoad load = klangora::loadProgressFile(diskFile(), "");
        QVERIFY(load.faults.empty());
        QCOMPARE(load.records.size(), 4u);
        QCOMPARE(std::get<klangora::ExerciseOutcome>(load.records[0].what).thresholdCents, 1.5);
        QCOMPARE(std::get<klangora::LessonAnswerRecord>(load.records[1].what).right, false);
        QCOMPARE(std::get<klangora::LessonAnswerRecord>(load.records[2].what).answerIndex, 0);
        const auto& passed = std::get<klangora::LessonPassedRecord>(load.records[3].what);
        QCOMPARE(passed.lesson.file, lesson.fileName().toStdString());
        QCOMPARE(passed.rightAnswers, 1);
        // The exercises window opens the same progress window.
        child<QAction>(m_window->form, "openExercisesAction")->trigger();
        auto* exercises = child<ExercisesWindow>(m_window->form, "exercisesWindow");
        child<QPushButton>(*exercises, "exercisesProgress")->click();
        ProgressWindow& window = *child<ProgressWindow>(m_window->form, "progressWindow");
        QVERIFY(window.isVisible());
        QCOMPARE(window.models().lessons().index(0, 2).data().toString(), QString("Ja"));
    }

    void exportsCsvAndClears() {
        const klangora::LessonIdentity lesson{"Komma, \"terts\"", "k.lektion"};
        QVERIFY(klangora::saveProgressFile(
            diskFile(), {{day(1).toStdString(), run(ExerciseKind::pureOrTempered, 2.6)},
                         {day(2).toStdString(), klangora::LessonPassedRecord{lesson, 2, 3}}}));
        ProgressWindow& window = openProgress();
        const QString csv = m_data.filePath("ud.csv");
        QVERIFY(window.exportCsv(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).split("\r\n"),
                 QStringList({"Tid,Øvelse eller lektion,Mål,Værdi,Rigtige,Ud af",
                              "2026-12-01 09:00,Ren eller tempereret?,Tærskel (cent),2.6,3,4",
                              "2026-12-02 09:00,\"Komma, \"\"terts\"\"\",Bestået,,2,3", ""}));
        QTimer::singleShot(0, [] {
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->buttons()[0]->click();
        });
        child<QPushButton>(window, "progressClear")->click();
        QCOMPARE(window.models().results().rowCount(), 0);
        QVERIFY(klangora::loadProgressFile(diskFile(), "").records.empty());
    }

    void damagedFileIsSetAsideWithAMessage() {
        QDir().mkpath(QFileInfo(fileName()).path());
        QFile file(fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("klangora-progress 1\n2026-12-01T09:00:00Z\tfailed\n");
        file.close();
        SeenBox seen;
        closeNextBox(seen);
        openProgress();
        QTRY_VERIFY(seen.opened);
        QVERIFY2(seen.text.contains("linje 2") && seen.text.contains(".damaged-"),
                 qPrintable(seen.text));
        QCOMPARE(QDir(QFileInfo(fileName()).path()).entryList({"progress.txt.damaged-*"}).size(),
                 1);
    }
};

QTEST_MAIN(ProgressTest)
#include "progress_test.moc"
