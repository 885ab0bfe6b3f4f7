#include "support/window_test_support.h"

#include "ui/diagram/triad_diagram.h"
#include "ui/layout/window_layout.h"

#include "ui/widgets/shape.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

using Tops = QList<int>;

class PresetsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        m_window.emplace();
    }
    void cleanup() { m_window.reset(); }
    void marksAndCents_data();
    void marksAndCents();
    void everySliderChangeRunsTheChain();
    void equalTemperamentNamesItselfAfterEverySlider();
    void sameButtonTwiceMovesNothing();
    void presetSchedulesOneDelayedRedraw();
    void historicalTemperamentActsLikeAPreset();
    void oneSliderStepMovesOnlyItsMarks();
    void marksFollowTheirIntervalBeyondTheBars_data();
    void marksFollowTheirIntervalBeyondTheBars();

private:
    WindowFixture m_window;
};

void PresetsTest::marksAndCents_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("captionLeft");
    QTest::addColumn<Tops>("thirdTops");
    QTest::addColumn<Tops>("fifthTops");
    QTest::addColumn<QStringList>("cents");

    QTest::newRow("pythagorean") << "pyt"
                                 << "Pythagoræisk stemning" << 664
                                 << Tops{151, 178, 151, 151, 151, 151, 178,
                                         151, 178, 151, 151, 178, 151}
                                 << Tops{46, 46, 46, 46, 46, 46, 46, 46, 72, 46, 46, 46, 46}
                                 << QStringList{"0",   "114", "204", "294", "408",  "498", "612",
                                                "702", "816", "906", "996", "1110", "1200"};
    // The pure thirds' marks sit on their line (top 175), the four wide ones far above.
    QTest::newRow("just") << "ren"
                          << "Ren stemning" << 706
                          << Tops{175, 130, 175, 175, 175, 175, 130, 175, 130, 175, 175, 130, 175}
                          << Tops{46, 46, 70, 46, 46, 46, 70, 46, 0, 46, 70, 46, 46}
                          << QStringList{"0",      "70.7",   "203.9", "315.6", "386.3",
                                         "498.1",  "590.2",  "702",   "772.6", "884.4",
                                         "1017.6", "1088.2", "1200"};
    QTest::newRow("meantone") << "praet"
                              << "Prætoriansk stemning" << 670
                              << Tops{175, 130, 175, 175, 175, 175, 130,
                                      175, 130, 175, 175, 130, 175}
                              << Tops{52, 52, 52, 52, 52, 52, 52, 52, 6, 52, 52, 52, 52}
                              << QStringList{"0",      "76",     "193.2", "310.2", "386.3",
                                             "503.4",  "579.5",  "696.6", "772.6", "889.8",
                                             "1006.9", "1082.9", "1200"};
    QTest::newRow("welltempered") << "bach"
                                  << "\"Wohltemperierte\" " << 680
                                  << Tops{165, 155, 166, 159, 158, 164, 153,
                                          167, 157, 161, 161, 154, 165}
                                  << Tops{48, 46, 50, 48, 50, 48, 46, 49, 46, 49, 47, 49, 48}
                                  << QStringList{"0",     "95.2",   "198.5", "299.1", "395.4",
                                                 "499.8", "593.2",  "699.6", "797.2", "896.4",
                                                 "999.1", "1093.8", "1200"};
    QTest::newRow("werckmeister3")
        << "werck1"
        << "Werckmeister-III" << 694
        << Tops{171, 151, 164, 158, 158, 171, 151, 164, 151, 158, 164, 158, 171}
        << Tops{52, 46, 52, 46, 46, 46, 46, 52, 46, 46, 46, 52, 52}
        << QStringList{"0",     "90.2",  "192.2", "294.1", "390.2",  "498.1", "588.2",
                       "696.1", "792.2", "888.2", "996.1", "1092.2", "1200"};
    QTest::newRow("werckmeister5")
        << "werck3"
        << "Werckmeister-V" << 694
        << Tops{164, 151, 164, 158, 164, 164, 158, 164, 151, 164, 158, 158, 164}
        << Tops{46, 52, 52, 46, 46, 52, 52, 46, 39, 52, 46, 46, 46}
        << QStringList{"0",   "96.1",  "203.9", "300",  "396.1", "503.9", "600",
                       "702", "792.2", "900",   "1002", "1098",  "1200"};
    QTest::newRow("equal") << "lige"
                           << "Ligesvævende stemning" << 654
                           << Tops{160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160}
                           << Tops{48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 48}
                           << QStringList{"0",   "100", "200", "300",  "400",  "500", "600",
                                          "700", "800", "900", "1000", "1100", "1200"};
}

void PresetsTest::marksAndCents() {
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(int, captionLeft);
    QFETCH(Tops, thirdTops);
    QFETCH(Tops, fifthTops);
    QFETCH(QStringList, cents);

    auto& [player, form] = *m_window;
    child<QPushButton>(form, button == "lige" ? "ren" : "lige")->click(); // start elsewhere
    child<QRadioButton>(form, "rbCent")->click();
    child<QPushButton>(form, button)->click();
    for (int n = 1; n <= 13; ++n) {
        QCOMPARE(mark(form, n, 1)->y(), thirdTops[n - 1]);
        QCOMPARE(mark(form, n, 2)->y(), fifthTops[n - 1]);
        QCOMPARE(readout(form, n)->text(), cents[n - 1]);
    }
    auto* stemning = child<QLabel>(form, "lbStemning");
    QCOMPARE(stemning->text(), caption);
    QCOMPARE(stemning->x(), captionLeft);
}

// While a preset runs, each slider that moves retunes its tone at once and marks the tuning as
// the user's own until the preset names itself at the end.
void PresetsTest::everySliderChangeRunsTheChain() {
    auto& [player, form] = *m_window;
    int changes = 0;
    for (int k = 2; k <= 12; ++k) {
        auto* tuner = slider(form, k);
        connect(tuner, &QScrollBar::valueChanged, &form, [&, k](int position) {
            ++changes;
            QCOMPARE(form.model().tones().toneCents[k - 1], 100.0 * (k - 1) - position / 20.0);
            QCOMPARE(form.model().tones().toneCents[k - 1 + 12],
                     form.model().tones().toneCents[k - 1] + 1200);
            QCOMPARE(labelText(form, "lbStemning"), QString("Din Egen Stemning!"));
            QCOMPARE(child<QLabel>(form, "lbStemning")->x(), 670);
        });
    }
    child<QPushButton>(form, "werck3")->click();
    // Werckmeister V from Pythagorean: every tuner moves.
    QCOMPARE(changes, 11);
    QCOMPARE(labelText(form, "lbStemning"), QString("Werckmeister-V"));
}

void PresetsTest::equalTemperamentNamesItselfAfterEverySlider() {
    auto& [player, form] = *m_window;
    // Only H differs from equal temperament: the last slider's chain overwrites the caption,
    // and equal temperament names itself once more after it.
    child<QPushButton>(form, "lige")->click();
    slider(form, 12)->setValue(5);
    QCOMPARE(labelText(form, "lbStemning"), QString("Din Egen Stemning!"));
    child<QPushButton>(form, "lige")->click();
    auto* stemning = child<QLabel>(form, "lbStemning");
    QCOMPARE(stemning->text(), QString("Ligesvævende stemning"));
    QCOMPARE(stemning->x(), 654);
    QCOMPARE(sliderPositions(form), QList<int>(11, 0));
}

void PresetsTest::sameButtonTwiceMovesNothing() {
    auto& [player, form] = *m_window;
    child<QPushButton>(form, "praet")->click();
    int changes = 0;
    for (int k = 2; k <= 12; ++k) {
        connect(slider(form, k), &QScrollBar::valueChanged, &form, [&] { ++changes; });
    }
    auto* stemning = child<QLabel>(form, "lbStemning");
    stemning->setText("x");
    child<QPushButton>(form, "praet")->click();
    QCOMPARE(changes, 0);
    QCOMPARE(stemning->text(), QString("Prætoriansk stemning"));
}

void PresetsTest::presetSchedulesOneDelayedRedraw() {
    auto& [player, form] = *m_window;
    auto* timer = child<QTimer>(form, "Timer1");
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 2000);
    child<QPushButton>(form, "ren")->click();
    QVERIFY(timer->isActive());
    // A second preset within the 200 ms redraws at once and cancels the delayed redraw.
    child<QPushButton>(form, "pyt")->click();
    QVERIFY(!timer->isActive());
}

// Vallotti from the context menu's library: the selection goes, the sliders take its positions,
// the caption names it, a redraw follows, and a saved file carries its name.
void PresetsTest::historicalTemperamentActsLikeAPreset() {
    auto& [player, form] = *m_window;
    auto* timer = child<QTimer>(form, "Timer1");
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 2000);
    form.knapMouseDown(8, 0);
    auto* vallotti = form.findChild<QAction*>("temperament_vallotti");
    QVERIFY(vallotti != nullptr);
    QCOMPARE(vallotti->text(), QString("Vallotti"));
    vallotti->trigger();
    QCOMPARE(form.selection().selectedTone(), 14);
    QCOMPARE(mark(form, 8, 0)->penWidth(), kNormalPen);
    QCOMPARE(sliderPositions(form), (QList<int>{117, 78, 39, 156, -39, 156, 39, 78, 117, 0, 196}));
    QCOMPARE(labelText(form, "lbStemning"), QString("Vallotti"));
    QVERIFY(timer->isActive());
    QTemporaryDir folder;
    QVERIFY(form.saveTuning(folder.filePath("v.scl")));
    QFile saved(folder.filePath("v.scl"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("\nVallotti\n"));
}

void PresetsTest::oneSliderStepMovesOnlyItsMarks() {
    auto& [player, form] = *m_window;
    child<QPushButton>(form, "lige")->click();
    slider(form, 2)->setValue(-1); // one step up on C#
    QCOMPARE(form.model().tones().toneCents[1], 100.05);
    QCOMPARE(form.model().tones().thirdCents[1], 399.95);
    QCOMPARE(labelText(form, "lbStemning"), QString("Din Egen Stemning!"));
    QCOMPARE(child<QLabel>(form, "lbStemning")->x(), 670);
    // C# moves the thirds on C# and A (A's third is C#) and the fifths on C# and F#.
    for (int n = 1; n <= 13; ++n) {
        const int third = mark(form, n, 1)->y();
        const int fifth = mark(form, n, 2)->y();
        // 0.05 cent moves no mark by a whole pixel.
        QCOMPARE(third, 160);
        QCOMPARE(fifth, 48);
    }
    // A large step shows which marks follow.
    slider(form, 2)->setValue(-600);
    for (int n = 1; n <= 13; ++n) {
        const int third = mark(form, n, 1)->y();
        const int fifth = mark(form, n, 2)->y();
        QCOMPARE(third, n == 2 ? 193 : n == 10 ? 127 : 160);
        QCOMPARE(fifth, n == 2 ? 81 : n == 7 ? 15 : 48);
    }
}

// Two sliders from equal temperament set the interval above D (tone number 3) to its extremes:
// 89 pixels per 80 cents from top 160 (third) and 48 (fifth), not clamped to the bars.
void PresetsTest::marksFollowTheirIntervalBeyondTheBars_data() {
    QTest::addColumn<int>("dPosition");
    QTest::addColumn<int>("upperSlider"); // F# for the third, A for the fifth
    QTest::addColumn<int>("upperPosition");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    // 160 - 40 * 89/80 = 115.5, a tie that goes to the even 116.
    QTest::newRow("third of 440 cents") << 400 << 7 << -400 << 1 << 116;
    QTest::newRow("widest third, 460 cents") << 600 << 7 << -600 << 1 << 93;
    QTest::newRow("narrowest third, 340 cents") << -600 << 7 << 600 << 1 << 227;
    // Above the top of the window.
    QTest::newRow("widest fifth, 760 cents") << 600 << 10 << -600 << 2 << -19;
    QTest::newRow("narrowest fifth, 640 cents") << -600 << 10 << 600 << 2 << 115;
}

void PresetsTest::marksFollowTheirIntervalBeyondTheBars() {
    QFETCH(int, dPosition);
    QFETCH(int, upperSlider);
    QFETCH(int, upperPosition);
    QFETCH(int, row);
    QFETCH(int, top);
    // The diagram alone, on the model's equal temperament.
    QWidget window;
    TuningModel model;
    const TriadDiagram diagram(buildDiagram(window), model, &window);
    model.setPosition(3, dPosition);
    model.setPosition(upperSlider, upperPosition);
    QCOMPARE(mark(window, 3, row)->y(), top);
}

QTEST_MAIN(PresetsTest)
#include "presets_test.moc"
