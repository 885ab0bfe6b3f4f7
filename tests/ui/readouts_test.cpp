#include "support/window_test_support.h"

#include "core/presets.h"
#include "ui/layout/window_layout.h"
#include "ui/panel/readout_panel.h"
#include "ui/widgets/shape.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

class ReadoutsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void equalTemperament_data();
    void equalTemperament();
    void octaveRepeatsItsDeviations();
    void longerNumbersGrowToTheRight();
};

void ReadoutsTest::equalTemperament_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("expected");

    const QStringList frequencies = {"261.6", "277.2", "293.6", "311.1", "329.6", "349.2", "370",
                                     "392",   "415.3", "440",   "466.1", "493.8", "523.2"};
    const QStringList cents = {"0",   "100", "200", "300",  "400",  "500", "600",
                               "700", "800", "900", "1000", "1100", "1200"};
    for (const QString& locale : {QString("C"), QString("da_DK")}) {
        const bool danish = locale == "da_DK";
        QStringList shown = frequencies;
        if (danish) {
            shown.replaceInStrings(".", ",");
        }
        const QByteArray tag = locale.toLatin1();
        QTest::newRow(tag + " frequency") << locale << "rbFre" << shown;
        // Never grouped: 1200, not 1.200.
        QTest::newRow(tag + " cents") << locale << "rbCent" << cents;
        // 400 - 386.314 = 13.686 shows as 13.7.
        QTest::newRow(tag + " third")
            << locale << "rbterts" << QStringList(13, danish ? "13,7" : "13.7");
        // 700 - 701.955 = -1.955; -19.55 tenths round to -20.
        QTest::newRow(tag + " fifth") << locale << "rbkvint" << QStringList(13, "-2");
    }
}

void ReadoutsTest::equalTemperament() {
    QFETCH(QString, locale);
    QFETCH(QString, mode);
    QFETCH(QStringList, expected);
    QLocale::setDefault(QLocale(locale));

    // The panel alone shows the model's tuning, the equal temperament it starts with.
    QWidget window;
    TuningModel model;
    ReadoutPanel panel(buildPanel(window), model, &window);
    panel.opdaterLabel();
    child<QRadioButton>(window, mode)->click();
    QVERIFY(child<QRadioButton>(window, mode)->isChecked());
    for (int n = 1; n <= 13; ++n) {
        QString shown = readout(window, n)->text();
        shown.replace(QChar(0x2212), '-'); // a locale may write a typographic minus
        QCOMPARE(shown, expected[n - 1]);
    }
}

void ReadoutsTest::octaveRepeatsItsDeviations() {
    QLocale::setDefault(QLocale::c());
    TestWindow window;
    auto& [player, form] = window;
    for (const char* preset : {"pyt", "ren", "praet", "bach", "werck1", "werck3"}) {
        child<QPushButton>(form, preset)->click();
        for (const char* mode : {"rbterts", "rbkvint"}) {
            child<QRadioButton>(form, mode)->click();
            QCOMPARE(readout(form, 13)->text(), readout(form, 1)->text());
            QCOMPARE(mark(form, 13, 1)->y(), mark(form, 1, 1)->y());
            QCOMPARE(mark(form, 13, 2)->y(), mark(form, 1, 2)->y());
        }
    }
}

void ReadoutsTest::longerNumbersGrowToTheRight() {
    QLocale::setDefault(QLocale::c());
    QWidget window;
    TuningModel model;
    ReadoutPanel panel(buildPanel(window), model, &window);
    child<QRadioButton>(window, "rbCent")->click();
    panel.centreTone(3, 220);
    auto* d = readout(window, 3);
    const int left = d->x();
    const int width = d->width();
    model.setPosition(3, -3); // 200.15 shows as 200.2 (a tie goes even)
    QCOMPARE(d->text(), QString("200.2"));
    QCOMPARE(d->x(), left);
    QVERIFY(d->width() > width);
}

QTEST_MAIN(ReadoutsTest)
#include "readouts_test.moc"
