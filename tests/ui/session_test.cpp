#include "support/recording_player.h"

#include "core/lessons/lesson_reader.h"
#include "core/presets.h"
#include "sound/instrument/live_instrument.h"
#include "ui/session/lesson_run.h"
#include "ui/session/piece_transport.h"
#include "ui/session/session.h"

#include <QDir>

#include <QSignalSpy>
#include <QTest>

// The program driven through its session, with no window: what sounds is shown in words and lit
// names whoever plays it, B switches between whole tunings, and commands that cannot be carried
// out say why and change nothing.
class SessionTest : public QObject {
    Q_OBJECT

    RecordingPlayer player;
    klangora::LiveInstrument instrument;

    QStringList told(Session& session) {
        const MessageBoard::Message* shown = session.messages().shown();
        return shown != nullptr ? shown->lines : QStringList();
    }

    static klangora::ExerciseOutcome outcome(klangora::ExerciseKind kind, int rounds, int right) {
        klangora::ExerciseOutcome outcome;
        outcome.kind = kind;
        outcome.answers.resize(static_cast<std::size_t>(rounds));
        for (int n = 0; n < right; ++n) {
            outcome.answers[static_cast<std::size_t>(n)].right = true;
        }
        return outcome;
    }

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Played notes light their names and every major third and fifth among them is named, from
    // any source, until the last is let go; a retuning while they sound renames the sizes.
    void whatSoundsIsShownWhoeverPlays() {
        Session session(player, instrument);
        session.choosePreset(klangora::PresetId::pyt);
        using klangora::VoiceSource;
        session.press(VoiceSource::computerKeys, 60); // c'
        session.press(VoiceSource::midi, 64);         // e'
        session.press(VoiceSource::exercise, 67);     // g'
        QTRY_COMPARE(told(session).size(), 2);        // the third c'-e', the fifth c'-g'
        const auto& lit = session.sounding().litNames();
        QVERIFY(lit[1] && lit[5] && lit[8] && !lit[3]);
        QVERIFY(told(session)[0].contains("16.5")); // Pythagorean c'-e' beats 16.5 times a second
        session.choosePreset(klangora::PresetId::ren);
        QTRY_VERIFY(told(session)[0].contains(" 0.0 ")); // the pure third does not beat
        session.release(VoiceSource::midi, 64);
        QTRY_COMPARE(told(session).size(), 1);
        session.stopAllSound();
        QTRY_VERIFY(told(session).isEmpty());
        QVERIFY(!session.sounding().litNames()[1]);
    }

    // B: the tuning before the last whole change, and back, with a tone moved by hand in it
    // before the change.
    void bSwitchesBetweenTheLastTwoWholeTunings() {
        Session session(player, instrument);
        session.choosePreset(klangora::PresetId::pyt);
        QSignalSpy told(&session, &Session::tuningSwitchChanged);
        session.moveTone(5, 100);
        session.choosePreset(klangora::PresetId::werck3);
        QCOMPARE(session.otherTuning()->position(5), 100);
        session.switchTuning();
        QCOMPARE(session.model().position(5), 100);
        QCOMPARE(session.model().position(3),
                 klangora::Tuning::preset(klangora::PresetId::pyt).position(3));
        session.switchTuning();
        QCOMPARE(session.model().identity(), TuningIdentity::preset(klangora::PresetId::werck3));
        QCOMPARE(told.size(), 3);
    }

    // A sound by value or by name, told once; a name that names no sound changes nothing.
    void theSoundIsToldOnlyWhenAnotherIsChosen() {
        using klangora::InstrumentSound;
        Session session(player, instrument);
        QSignalSpy chosen(&session, &Session::soundChosen);
        QVERIFY(session.chooseSound(QString("organ")));
        session.chooseSound(InstrumentSound::organ);
        QVERIFY(!session.chooseSound(QString("tuba")));
        QCOMPARE(session.sound(), InstrumentSound::organ);
        session.chooseSound(InstrumentSound::own);
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen[1][0].value<InstrumentSound>(), InstrumentSound::own);
    }

    void tuningsByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        QTest::newRow("a button's id") << "meantone" << true;
        QTest::newRow("a Danish name") << "Ligesvævende" << true;
        QTest::newRow("a library id") << "kirnberger3" << true;
        QTest::newRow("nothing") << "ingenting" << false;
        QTest::newRow("a missing file") << "/ikke/her.scl" << false;
    }
    void tuningsByName() {
        QFETCH(QString, name);
        QFETCH(bool, known);
        Session session(player, instrument);
        session.choosePreset(klangora::PresetId::pyt);
        const auto problem = session.chooseTuning(name);
        QCOMPARE(!problem.has_value(), known);
        QCOMPARE(session.model().identity() == TuningIdentity::preset(klangora::PresetId::pyt),
                 !known);
        if (problem) {
            QVERIFY(!problem->isEmpty());
        }
    }

    // Each lesson shipped runs through a session to its end: every step carried out by the
    // session's commands, every question answered, every exercise answered first below its pass
    // mark, then at it; an exercise of another kind counts for nothing.
    void shippedLessonsRunToTheirEnd_data() {
        QTest::addColumn<QString>("file");
        const QDir folder(KLANGORA_LESSONS_DIR);
        for (const QString& name : folder.entryList({"*.lektion"})) {
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
        }
    }
    void shippedLessonsRunToTheirEnd() {
        QFETCH(QString, file);
        const klangora::LessonContext examples{[](const std::string& name) {
            return std::optional(std::filesystem::path(KLANGORA_EXAMPLES_DIR) / (name + ".mid"));
        }};
        auto read = klangora::readLesson(file.toStdString(), examples);
        QVERIFY(std::holds_alternative<klangora::Lesson>(read));
        Session session(player, instrument);
        QSignalSpy exercises(&session, &Session::exerciseStarted);
        LessonRun run(session, std::get<klangora::Lesson>(std::move(read)));
        run.start();
        using Kind = klangora::LessonStepKind;
        int exerciseSteps = 0;
        do {
            const klangora::LessonStep& step = run.step();
            if (step.kind == Kind::tuning) {
                QVERIFY(session.model().identity().kind() != TuningIdentity::Kind::own);
            } else if (step.kind == Kind::mark) {
                QCOMPARE(instrument.heldNotes(klangora::VoiceSource::mark).count(),
                         step.row == klangora::MarkRow::root ? 3u : 2u);
            } else if (step.kind == Kind::piece) {
                QVERIFY(session.piece().playing());
            } else if (step.kind == Kind::question) {
                const auto right = std::find_if(step.answers.begin(), step.answers.end(),
                                                [](const auto& answer) { return answer.right; });
                QVERIFY(run.answer(static_cast<int>(right - step.answers.begin())));
            }
            if (step.kind == Kind::exercise) {
                ++exerciseSteps;
                QCOMPARE(exercises.last().at(1).value<std::optional<int>>(),
                         std::optional(step.rounds));
                const int enough = (step.rounds * step.passPercent + 99) / 100;
                const auto other = klangora::ExerciseKind(int(step.exercise) == 0 ? 1 : 0);
                session.finishExercise(outcome(other, step.rounds, step.rounds));
                QVERIFY(!run.exerciseOutcome());
                session.finishExercise(outcome(step.exercise, step.rounds, enough - 1));
                QVERIFY(!klangora::passes(*run.exerciseOutcome(), step.passPercent));
                session.finishExercise(outcome(step.exercise, step.rounds, enough));
                QCOMPARE(run.exerciseOutcome()->rightAnswers(), enough);
            }
        } while (run.next());
        QVERIFY(run.completed());
        QVERIFY(run.passed());
        QCOMPARE(run.rightAnswers(), run.questionCount());
        QCOMPARE(exercises.size(), exerciseSteps);
        QVERIFY(!session.piece().playing());
    }

    void theArrangementIsTheSessions() {
        Session session(player, instrument);
        QSignalSpy arranged(&session, &Session::arranged);
        session.switchArrangement();
        session.switchArrangement();
        QCOMPARE(arranged.size(), 2);
        QCOMPARE(arranged.at(0).at(0).toBool(), true);
        QVERIFY(!session.inFifths());
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
