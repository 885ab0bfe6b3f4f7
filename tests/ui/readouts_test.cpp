#include "test_support.h"

#include "ui/shape.h"

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
    void modeChangeClearsAndRestoresTheSelection();
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

    RecordingPlayer player;
    TForm1 form(player);
    child<QPushButton>(form, "lige")->click();
    child<QRadioButton>(form, mode)->click();
    QVERIFY(child<QRadioButton>(form, mode)->isChecked());
    for (int n = 1; n <= 13; ++n) {
        QString shown = labelText(form, QString("lb%1").arg(n));
        shown.replace(QChar(0x2212), '-'); // a locale may write a typographic minus
        QCOMPARE(shown, expected[n - 1]);
    }
}

void ReadoutsTest::octaveRepeatsItsDeviations() {
    QLocale::setDefault(QLocale::c());
    RecordingPlayer player;
    TForm1 form(player);
    for (const char* preset : {"pyt", "ren", "praet", "bach", "werck1", "werck3"}) {
        child<QPushButton>(form, preset)->click();
        for (const char* mode : {"rbterts", "rbkvint"}) {
            child<QRadioButton>(form, mode)->click();
            QCOMPARE(labelText(form, "lb13"), labelText(form, "lb1"));
            QCOMPARE(child<Shape>(form, "knap131")->y(), child<Shape>(form, "knap11")->y());
            QCOMPARE(child<Shape>(form, "knap132")->y(), child<Shape>(form, "knap12")->y());
        }
    }
    child<QRadioButton>(form, "rbFre")->click();
    QCOMPARE(labelText(form, "lb1"), QString("261.6"));
    QCOMPARE(labelText(form, "lb13"), QString("523.2"));
}

void ReadoutsTest::modeChangeClearsAndRestoresTheSelection() {
    RecordingPlayer player;
    TForm1 form(player);
    QVERIFY(activate(form));
    form.knapMouseDown(5, 0); // the root E
    child<QRadioButton>(form, "rbCent")->click();
    QCOMPARE(child<Shape>(form, "knap50")->penWidth(), 5);
    QCOMPARE(textColour(child<QLabel>(form, "na5")), QColor(Qt::red));
    QCOMPARE(textColour(child<QLabel>(form, "lb5")), QColor(Qt::red));
    QCOMPARE(QApplication::focusWidget(), child<QScrollBar>(form, "sb5"));
    for (int n = 1; n <= 13; ++n) {
        if (n != 5) {
            QCOMPARE(textColour(child<QLabel>(form, QString("na%1").arg(n))), QColor(Qt::black));
        }
    }
    QCOMPARE(labelText(form, "lb5"), QString("408")); // the Pythagorean E
}

void ReadoutsTest::longerNumbersGrowToTheRight() {
    QLocale::setDefault(QLocale::c());
    RecordingPlayer player;
    TForm1 form(player);
    child<QPushButton>(form, "lige")->click();
    child<QRadioButton>(form, "rbCent")->click();
    auto* d = child<QLabel>(form, "lb3");
    const int left = d->x();
    const int width = d->width();
    child<QScrollBar>(form, "sb3")->setValue(-3); // 200.15 shows as 200.2 (a tie goes even)
    QCOMPARE(d->text(), QString("200.2"));
    QCOMPARE(d->x(), left);
    QVERIFY(d->width() > width);
}

QTEST_MAIN(ReadoutsTest)
#include "readouts_test.moc"
