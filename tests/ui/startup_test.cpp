#include "support/window_test_support.h"

#include "core/presets.h"

#include "ui/widgets/shape.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        m_window.emplace();
    }
    void cleanup() { m_window.reset(); }
    void opensInPythagoreanTuning();
    void rootsStandOnTheirLine();
    void readoutsShowPythagoreanFrequencies();
    void everythingStandsInItsChromaticColumn();
    void keyAndHintStartOnC();
    void slidersHideBehindThePanel();
    void marksWearTheColourOfTheirTone();
    void timersAndSoundStartIdle();
    void switchesToFifthsAfterFiftyMilliseconds();
    void writesAScreenshot();
    void smallIconsShowTheTriadsColours_data();
    void smallIconsShowTheTriadsColours();

private:
    WindowFixture m_window;
};

void StartupTest::opensInPythagoreanTuning() {
    auto& [player, form] = *m_window;
    QCOMPARE(sliderPositions(form), listOf(klangora::presetPositions(klangora::PresetId::pyt)));
    QCOMPARE(form.model().tones().toneCents[7], 702.0);
    QCOMPARE(form.model().tones().toneCents[19], 1902.0);
    auto* caption = child<QLabel>(form, "lbStemning");
    QCOMPARE(caption->text(), QString("Pythagoræisk stemning"));
    QCOMPARE(caption->x(), 664);
    QCOMPARE(caption->y(), 24);
    QCOMPARE(form.windowTitle(),
             QString("Klangora: Lyt til dur-treklange i forskellige stemninger!"));
}

// The third and fifth marks' heights are the Pythagorean preset's (its row in the presets'
// table); the roots stand on their line, the last two a pixel lower.
void StartupTest::rootsStandOnTheirLine() {
    auto& [player, form] = *m_window;
    for (int n = 1; n <= 13; ++n) {
        QCOMPARE(mark(form, n, 0)->y(), n >= 12 ? 265 : 264);
    }
}

void StartupTest::readoutsShowPythagoreanFrequencies() {
    auto& [player, form] = *m_window;
    const QStringList expected = {"261.6", "279.4", "294.3", "310", "331.1", "348.8", "372.5",
                                  "392.4", "419.1", "441.5", "465", "496.7", "523.2"};
    for (int n = 1; n <= 13; ++n) {
        QCOMPARE(readout(form, n)->text(), expected[n - 1]);
    }
    QVERIFY(child<QRadioButton>(form, "rbFre")->isChecked());
}

void StartupTest::everythingStandsInItsChromaticColumn() {
    auto& [player, form] = *m_window;
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            // 40N + 89.5 is a tie and goes to the even neighbour.
            QCOMPARE(mark(form, n, row)->x(), 40 * n + 90);
        }
        QCOMPARE(bar(form, n, 1)->pos(), QPoint(40 * n + 100, 128));
        QCOMPARE(bar(form, n, 2)->pos(), QPoint(40 * n + 100, 16));
        auto* key = keyButton(form, n);
        QVERIFY(key->text().isEmpty());
        QCOMPARE(key->y(), 300);
        // Readout and note name are centred on the column line, in panel coordinates.
        auto* name = note(form, n);
        auto* shown = readout(form, n);
        QVERIFY(qAbs(name->x() + name->width() / 2.0 - (40 * n - 20)) <= 1.0);
        QVERIFY(qAbs(shown->x() + shown->width() / 2.0 - (40 * n - 20)) <= 1.0);
    }
}

void StartupTest::keyAndHintStartOnC() {
    auto& [player, form] = *m_window;
    QVERIFY(keyButton(form, 1)->isChecked());
    QCOMPARE(form.model().key(), 1);
    QCOMPARE(form.selection().selectedTone(), 14);
    auto* c = note(form, 1);
    QCOMPARE(c->font().pointSize(), 14);
    QCOMPARE(c->y(), 13);
    for (int n = 2; n <= 13; ++n) {
        auto* name = note(form, n);
        QCOMPARE(name->font().pointSize(), 12);
        QCOMPARE(name->y(), 15);
    }
    QCOMPARE(note(form, 12)->text(), QString("H"));
    QCOMPARE(note(form, 13)->text(), QString("C"));
    auto* hint = child<QLabel>(form, "plFlytMedPil");
    QCOMPARE(hint->text(), QString(kClickHint));
    QCOMPARE(hint->font().pointSize(), 8);
    QCOMPARE(textColour(hint), QColor(Qt::red));
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            QCOMPARE(mark(form, n, row)->penWidth(), kNormalPen);
        }
    }
}

void StartupTest::slidersHideBehindThePanel() {
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    auto* panel = child<QFrame>(form, "Panel1");
    for (int k = 2; k <= 12; ++k) {
        auto* tuner = slider(form, k);
        QCOMPARE(tuner->y(), 365);
        QVERIFY(panel->geometry().contains(tuner->geometry()));
        QWidget* seen = form.childAt(tuner->geometry().center());
        QVERIFY(seen == panel || panel->isAncestorOf(seen));
    }
    auto* g = child<QLabel>(form, "Label3");
    QVERIFY(panel->geometry().contains(g->geometry()));
    QWidget* seen = form.childAt(g->geometry().center());
    QVERIFY(seen == panel || panel->isAncestorOf(seen));
}

void StartupTest::marksWearTheColourOfTheirTone() {
    auto& [player, form] = *m_window;
    QMap<int, QColor> colourOfTone;
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            int tone = n + QList<int>{0, 4, 7}[row];
            tone = tone > 13 ? tone - 12 : tone;
            tone = tone == 13 ? 1 : tone;
            const QColor fill = mark(form, n, row)->brushColor();
            if (colourOfTone.contains(tone)) {
                QCOMPARE(fill, colourOfTone[tone]);
            }
            colourOfTone[tone] = fill;
        }
    }
    QCOMPARE(colourOfTone[1], QColor(Qt::white));
    QCOMPARE(colourOfTone[5], QColor(0x00, 0x80, 0x00));
    QCOMPARE(colourOfTone[6], QColor(0xff, 0xff, 0x00));
    QCOMPARE(colourOfTone[8], QColor(0xff, 0x00, 0x00));
    QCOMPARE(colourOfTone[10], QColor(0xff, 0x00, 0xff));
    QCOMPARE(colourOfTone[12], QColor(0x80, 0x00, 0x80));
    // The bars under the two marks of c do not show against the window.
    const QColor face = form.palette().color(QPalette::Button);
    for (Shape* hidden : {bar(form, 6, 2), bar(form, 9, 1)}) {
        QCOMPARE(hidden->brushColor(), face);
        QCOMPARE(hidden->penColor(), face);
    }
    QCOMPARE(bar(form, 7, 2)->brushColor(), QColor(Qt::white));
    QCOMPARE(mark(form, 6, 2)->toolTip(), QString("Dette er tonen c. Den ligger fast!"));
    QCOMPARE(mark(form, 9, 1)->toolTip(), QString("Dette er tonen c. Den ligger fast!"));
    QVERIFY(mark(form, 1, 0)->toolTip().isEmpty());
}

void StartupTest::timersAndSoundStartIdle() {
    auto& [player, form] = *m_window;
    QVERIFY(child<QTimer>(form, "Timer1")->isActive());
    QVERIFY(child<QTimer>(form, "Timer2")->isActive());
    QVERIFY(!child<QTimer>(form, "Timer3")->isActive());
    QCOMPARE(child<QTimer>(form, "Timer1")->interval(), 200);
    QCOMPARE(child<QTimer>(form, "Timer2")->interval(), 50);
    QCOMPARE(child<QTimer>(form, "Timer3")->interval(), 500);
    QVERIFY(!child<QLabel>(form, "DuHoer")->isVisibleTo(&form));
    for (double hz : form.model().tones().freqTable) {
        QCOMPARE(hz, 0.0);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!child<QTimer>(form, "Timer1")->isActive(), 2000);
    QVERIFY(player.images.empty());
}

void StartupTest::switchesToFifthsAfterFiftyMilliseconds() {
    auto& [player, form] = *m_window;
    auto* button = child<QPushButton>(form, "kromkvint");
    QCOMPARE(button->text(), QString("vis i KVINT-opstilling"));
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), QString("vis i KROMATISK opstilling"), 2000);
    QVERIFY(!child<QTimer>(form, "Timer2")->isActive());
    QCOMPARE(mark(form, 8, 0)->x(), 170); // G in the second column: the fifths' places
    // Fired once only.
    QTest::qWait(150);
    QCOMPARE(button->text(), QString("vis i KROMATISK opstilling"));
}

void StartupTest::writesAScreenshot() {
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    QTRY_COMPARE_WITH_TIMEOUT(child<QPushButton>(form, "kromkvint")->text(),
                              QString("vis i KROMATISK opstilling"), 2000);
    const QImage shot = form.grab().toImage();
    QCOMPARE(shot.size(), QSize(894, 541));
    // The dotted reference line of the fifths runs through the window's own painting.
    int red = 0;
    for (int x = 120; x <= 640; ++x) {
        red += shot.pixelColor(x, 54) == QColor(Qt::red) ? 1 : 0;
    }
    QVERIFY2(red > 100, qPrintable(QString("only %1 red pixels on the fifths line").arg(red)));
    const QString dir = qEnvironmentVariable("KLANGORA_TEST_OUTPUT", ".");
    QVERIFY(shot.save(dir + "/klangora-startup.png"));
}

void StartupTest::smallIconsShowTheTriadsColours_data() {
    QTest::addColumn<int>("side");
    QTest::newRow("16") << 16;
    QTest::newRow("32") << 32;
}

// Even at the title bar's size each note of the triad keeps a patch of its own colour, not
// blurred into the outlines: at least (side / 8)² pixels of pure white, green and red.
void StartupTest::smallIconsShowTheTriadsColours() {
    QFETCH(int, side);
    auto& [player, form] = *m_window;
    const QImage icon = form.windowIcon().pixmap(QSize(side, side)).toImage();
    QCOMPARE(icon.size(), QSize(side, side));
    for (const QColor& colour : {QColor(Qt::white), QColor(0x00, 0x80, 0x00), QColor(Qt::red)}) {
        int pure = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                pure += icon.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        QVERIFY2(pure >= (side / 8) * (side / 8),
                 qPrintable(QString("%1 pixels of %2").arg(pure).arg(colour.name())));
    }
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
