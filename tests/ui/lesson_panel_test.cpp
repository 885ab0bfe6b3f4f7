#include "support/window_test_support.h"

#include "sound/music/piece_player.h"
#include "ui/lessons/lesson_panel.h"
#include "ui/session/lesson_run.h"
#include "ui/session/piece_transport.h"
#include "ui/session/session.h"

#include <QPushButton>
#include <QTemporaryDir>

// The lesson panel in the window: it steps forward and back by its buttons and by a clicker's
// Page Down and Page Up, a question shows its explanation once answered, a piece step plays the
// passage it names, and a broken lesson runs nothing.
class LessonPanelTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    WindowFixture m_window;

    QString write(const char* name, const QByteArray& text) {
        QFile file(m_folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }
    LessonPanel& panel() { return m_window->form.lessonPanel(); }
    QString shown(const char* name) { return child<QLabel>(panel(), name)->text(); }

private slots:
    void init() { QVERIFY(settle(m_window.emplace().form)); }
    void cleanup() { m_window.reset(); }

    void stepsAnswersAndPlaysAPassage() {
        const QString lesson = write("prøve.lektion", R"(klangora-lektion 1
titel: Prøve
= tekst
Læs **dette**.
= stemning werckmeister3
= spørgsmål Er tertsen ren?
- Ja
* Nej
forklaring: Den er 3,9 cent for bred.
= stykke eksempel:kadence-kvintcirklen fra 0:05 til 0:10 gentag
)");
        QVERIFY(m_window->form.openLesson(lesson));
        QVERIFY(panel().isVisible());
        QCOMPARE(shown("lessonTitle"), QString("Prøve"));
        QCOMPARE(shown("lessonPosition"), QString("Trin 1 af 4"));
        QTest::keyClick(&panel(), Qt::Key_PageDown);
        QCOMPARE(shown("lessonPosition"), QString("Trin 2 af 4"));
        QCOMPARE(m_window->form.model().identity(),
                 TuningIdentity::preset(klangora::PresetId::werck1)); // Werckmeister III
        QTest::keyClick(&panel(), Qt::Key_PageUp);
        QCOMPARE(shown("lessonPosition"), QString("Trin 1 af 4"));
        child<QPushButton>(panel(), "lessonNext")->click();
        child<QPushButton>(panel(), "lessonNext")->click();
        QCOMPARE(shown("lessonStep"), QString("Er tertsen ren?"));
        QVERIFY(!child<QLabel>(panel(), "lessonExplanation")->isVisible());
        child<QPushButton>(panel(), "lessonAnswer1")->click();
        QVERIFY(child<QLabel>(panel(), "lessonExplanation")->isVisible());
        QCOMPARE(shown("lessonExplanation"), QString("Ikke rigtigt. Den er 3,9 cent for bred."));

        // From 0:05 to 0:10, twice: what a player of its own strikes in those five seconds.
        child<QPushButton>(panel(), "lessonNext")->click();
        klangora::PiecePlayer& player = m_window->form.session().piecePlayer();
        QVERIFY(m_window->form.session().piece().playing());
        klangora::PiecePlayer alone(48000);
        alone.load(m_window->form.session().piece().sharedPiece());
        alone.seek(5);
        alone.play();
        const std::vector<int> passage = struckNotes(alone, 5.0);
        QVERIFY(!passage.empty());
        std::vector<int> twice = passage;
        twice.insert(twice.end(), passage.begin(), passage.end());
        QCOMPARE(struckNotes(player, 10.0), twice);
        QVERIFY(!child<QPushButton>(panel(), "lessonNext")->isEnabled());
        QVERIFY(panel().run()->completed());
    }

    void aBrokenLessonRunsNothing() {
        const QString lesson = write("brudt.lektion", "klangora-lektion 1\ntitel: Brudt\n"
                                                      "= stemning lige\n= toneart B\n");
        SeenBox seen;
        closeNextBox(seen);
        QVERIFY(!m_window->form.openLesson(lesson));
        QVERIFY(seen.text.contains("linje 4"));
        QVERIFY(!panel().isVisible());
        QCOMPARE(m_window->form.model().identity(),
                 TuningIdentity::preset(klangora::PresetId::pyt));
    }
};

QTEST_MAIN(LessonPanelTest)
#include "lesson_panel_test.moc"
