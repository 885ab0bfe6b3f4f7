// What every mark says it is (hover text and screen-reader description), how assistive
// technology sees the window and hears a retuning, and the way to every tone without a mouse.
#include "support/window_test_support.h"

#include "ui/widgets/shape.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>
#include <set>

namespace {

const QStringList kNames = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "H"};
// The roots from left to right, chromatic and in fifths, as semitones above C (12 = C').
const QList<int> kChromaticRoots = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const QList<int> kFifthsRoots = {0, 7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5, 12};

QString nameOf(int semitone) {
    return kNames[semitone % 12];
}

// The mark standing in a screen column and row, found by where it stands: a column's marks
// have their left edge at 40 * column + 90.
Shape* markAt(const TForm1& form, int screenColumn, int row) {
    for (int n = 1; n <= 13; ++n) {
        Shape* found = mark(form, n, row);
        if (found->x() == 40 * screenColumn + 90) {
            return found;
        }
    }
    qFatal("no mark in column %d, row %d", screenColumn, row);
}

QString readoutIn(TForm1& form, const char* mode, int semitone) {
    child<QRadioButton>(form, mode)->click();
    return readout(form, semitone + 1)->text();
}

QString oneDecimal(double value) {
    return QLocale().toString(value, 'f', 1);
}

// Equal temperament from C = 261.6 Hz: the third on f beats f * |5 - 4 * 2^(1/3)| times a
// second, the fifth f * |3 - 2 * 2^(7/12)|.
double equalBeats(int rootSemitone, int intervalSemitones, double lowPartial, double highPartial) {
    const double root = 261.6 * std::pow(2.0, rootSemitone / 12.0);
    return root * std::fabs(lowPartial - highPartial * std::pow(2.0, intervalSemitones / 12.0));
}

QString labelOf(const TForm1& form, const char* button) {
    return child<QPushButton>(form, button)->text();
}

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (iface == nullptr) {
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    }
    return iface;
}

// Records what the window announces while it is switched on, as a screen reader would hear it.
struct Announcements {
    // Guarded, because the windows of earlier tests are gone by the time a test reads these.
    static inline QList<std::pair<QPointer<QObject>, QAccessible::Event>> heard;
    static void record(QAccessibleEvent* event) { heard.append({event->object(), event->type()}); }

    // The window's own controls that announced `type` (Qt's tooltip label is not one of them).
    static std::set<QString> namesOf(const QWidget& form, QAccessible::Event type) {
        std::set<QString> names;
        for (const auto& [object, heardType] : heard) {
            auto* widget = qobject_cast<QWidget*>(object.data());
            if (heardType == type && widget != nullptr && form.isAncestorOf(widget)) {
                names.insert(object->objectName());
            }
        }
        return names;
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void everyMarkSaysWhatItIs_data();
    void everyMarkSaysWhatItIs();
    void screenReaderHearsOnlyWhatChanged();
    void keyboardAloneSelectsAndMovesATone();
};

void AccessibilityTest::initTestCase() {
    QAccessible::installUpdateHandler(&Announcements::record);
    QAccessible::setActive(true);
    // The offscreen platform keeps its accessibility switched off until asked, as a desktop
    // does until a screen reader starts.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void AccessibilityTest::everyMarkSaysWhatItIs_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("fifths");
    QTest::addColumn<QString>("preset");
    for (const bool fifths : {false, true}) {
        const QByteArray arrangement = fifths ? "fifths " : "chromatic ";
        QTest::newRow(arrangement + "equal, Danish") << "da_DK" << fifths << "lige";
        QTest::newRow(arrangement + "equal, C") << "C" << fifths << "lige";
        QTest::newRow(arrangement + "just, Danish") << "da_DK" << fifths << "ren";
    }
}

void AccessibilityTest::everyMarkSaysWhatItIs() {
    QFETCH(QString, locale);
    QFETCH(bool, fifths);
    QFETCH(QString, preset);
    QLocale::setDefault(QLocale(locale));
    TestWindow window;
    auto& [player, form] = window;
    child<QPushButton>(form, preset)->click();
    if (fifths) {
        form.kromkvintClick();
    }
    const bool equal = preset == "lige";
    const QString fixedC = "Dette er tonen c. Den ligger fast!";
    // In just intonation the triads on C, F and G are pure; the others are left open here.
    const QList<int> pureRoots = {0, 5, 7, 12};
    const QString anyBeats = "[0-9]+[.,][0-9]";
    const QList<int>& roots = fifths ? kFifthsRoots : kChromaticRoots;

    for (int column = 1; column <= 13; ++column) {
        const int root = roots[column - 1];
        const QString rootName = nameOf(root);
        Shape* rootMark = markAt(form, column, 0);
        if (root % 12 == 0) {
            QCOMPARE(rootMark->toolTip(), QString());
            QCOMPARE(rootMark->accessibleDescription(), fixedC);
        } else {
            const QString hz = readoutIn(form, "rbFre", root);
            QCOMPARE(rootMark->toolTip(), QString("Tonen %1: %2 Hz").arg(rootName, hz));
        }
        struct Interval {
            int row, semitones;
            const char* name;
            const char* mode;
            double lowPartial, highPartial;
        };
        for (const Interval& interval : {Interval{1, 4, "Stor terts", "rbterts", 5, 4},
                                         Interval{2, 7, "Kvint", "rbkvint", 3, 2}}) {
            Shape* mark = markAt(form, column, interval.row);
            const int upper = root + interval.semitones;
            if (upper % 12 == 0) {
                QCOMPARE(mark->toolTip(), fixedC);
                continue;
            }
            QString beats = anyBeats;
            if (equal) {
                beats = oneDecimal(equalBeats(root, interval.semitones, interval.lowPartial,
                                              interval.highPartial));
            } else if (pureRoots.contains(root)) {
                beats = oneDecimal(0.0);
            }
            QString deviation = readoutIn(form, interval.mode, root);
            if (pureRoots.contains(root) && !equal) {
                QCOMPARE(deviation, QString("0"));
            }
            const QString expected =
                QRegularExpression::escape(
                    QString("%1 %2–%3: afviger %4 cent fra ren, svæver ")
                        .arg(interval.name, rootName, nameOf(upper), deviation)) +
                beats + " gange i sekundet";
            QVERIFY2(QRegularExpression("^" + expected + "$").match(mark->toolTip()).hasMatch(),
                     qPrintable(mark->objectName() + ": " + mark->toolTip()));
            QCOMPARE(mark->accessibleDescription(), mark->toolTip());
        }
    }
    if (equal) {
        // The numbers every musician can check: the tempered third above C beats 10.4 times a
        // second, the fifth 0.9 times.
        QVERIFY(markAt(form, 1, 1)->toolTip().endsWith(oneDecimal(10.4) + " gange i sekundet"));
        QVERIFY(markAt(form, 1, 2)->toolTip().endsWith(oneDecimal(0.9) + " gange i sekundet"));
    }
}

void AccessibilityTest::screenReaderHearsOnlyWhatChanged() {
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(activate(form));
    // Let the start-up switch to the fifths arrangement pass, so that it is not heard below.
    QTRY_COMPARE(labelOf(form, "kromkvint"), QString("vis i KROMATISK opstilling"));
    child<QPushButton>(form, "lige")->click();

    for (QWidget* control : form.findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) != nullptr ||
                               qobject_cast<QScrollBar*>(control) != nullptr ||
                               control->objectName().startsWith("knap") ||
                               control->objectName().startsWith("linie");
        if (isControl) {
            QVERIFY2(!accessible(control)->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->objectName()));
        }
    }
    QVERIFY(accessible(child<QWidget>(form, "BitBtn1"))->text(QAccessible::Name).contains("ren "));
    QCOMPARE(accessible(keyButton(form, 4))->text(QAccessible::Name), QString("Toneart Eb"));
    QCOMPARE(accessible(slider(form, 2))->text(QAccessible::Name), QString("Tonen C#"));

    auto* third = mark(form, 1, 1);
    QAccessibleInterface* thirdIface = accessible(third);
    QCOMPARE(thirdIface->role(), QAccessible::Button);
    QCOMPARE(thirdIface->text(QAccessible::Name), QString("Tertsen E over C"));
    QCOMPARE(thirdIface->text(QAccessible::Description),
             QString("Stor terts C–E: afviger 13.7 cent fra ren, svæver 10.4 gange i sekundet"));
    QVERIFY(thirdIface->state().checkable);
    QVERIFY(!thirdIface->state().checked);
    QCOMPARE(accessible(bar(form, 1, 1))->role(), QAccessible::Graphic);
    QCOMPARE(accessible(bar(form, 13, 2))->text(QAccessible::Name),
             QString("Søjle under kvinten over høje C"));

    // Pressing the mark selects it, which a screen reader hears as the button becoming checked.
    auto* cSharp = mark(form, 2, 0);
    Announcements::heard.clear();
    accessible(cSharp)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(accessible(cSharp)->state().checked);
    QCOMPARE(cSharp->penWidth(), kSelectedPen);
    QCOMPARE(Announcements::namesOf(form, QAccessible::StateChanged), std::set<QString>{"knap20"});

    // Home puts C# 30 cent high. Only the marks that C# belongs to change their text: its root,
    // the third and fifth on it, and the third on A and fifth on F# that end on it; in frequency
    // mode only its own readout changes. The hover text that is open follows.
    auto* fifthOnFSharp = mark(form, 7, 2);
    QToolTip::showText(fifthOnFSharp->mapToGlobal(QPoint(5, 5)), fifthOnFSharp->toolTip(),
                       fifthOnFSharp);
    QVERIFY(QToolTip::isVisible());
    const QString before = fifthOnFSharp->toolTip();
    Announcements::heard.clear();
    pressKey(form, Qt::Key_Home);
    QCOMPARE(slider(form, 2)->value(), -600);
    const std::set<QString> changedMarks = {"knap20", "knap21", "knap22", "knap72", "knap101"};
    QCOMPARE(Announcements::namesOf(form, QAccessible::DescriptionChanged), changedMarks);
    // The temperament caption has become "Din Egen Stemning!".
    const std::set<QString> renamed = {"lb2", "lbStemning"};
    QCOMPARE(Announcements::namesOf(form, QAccessible::NameChanged), renamed);
    QCOMPARE(Announcements::namesOf(form, QAccessible::ValueChanged), std::set<QString>{"sb2"});
    QCOMPARE(accessible(readout(form, 2))->text(QAccessible::Name),
             QString("Frekvensen af C#: 282 Hz"));
    QVERIFY(fifthOnFSharp->toolTip() != before);
    QCOMPARE(QToolTip::text(), fifthOnFSharp->toolTip());
    QToolTip::hideText();
}

void AccessibilityTest::keyboardAloneSelectsAndMovesATone() {
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(activate(form));
    QTRY_COMPARE(labelOf(form, "kromkvint"), QString("vis i KROMATISK opstilling"));
    QCOMPARE(labelText(form, "plFlytMedPil"), QString(kClickHint));
    QVERIFY(child<QLabel>(form, "plFlytMedPil")->toolTip().contains("Ctrl+piletasterne"));

    // A white c is stepped over, never pressed: its message box would wait for a mouse.
    const BoxCounter boxes;
    // From the c at the bottom left, Ctrl+Left wraps round to the c' (white, stepped over) and
    // lands on the root F, which the fifths arrangement puts in column 12.
    pressKey(form, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(markAt(form, 12, 0)->objectName(), QString("knap60"));
    QCOMPARE(markAt(form, 12, 0)->penWidth(), kSelectedPen);
    QCOMPARE(QApplication::focusWidget(), slider(form, 6));
    // Ctrl+Up climbs to the third on F (A), then past the white c' of its fifth round to the
    // root again.
    pressKey(form, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), slider(form, 10));
    pressKey(form, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), slider(form, 6));
    // Column 11 is Bb; its third is D.
    pressKey(form, Qt::Key_Up, Qt::ControlModifier);
    pressKey(form, Qt::Key_Left, Qt::ControlModifier);
    auto* third = mark(form, 11, 1);
    QCOMPARE(markAt(form, 11, 1), third);

    // The same state a click gives: this mark alone wide, D's labels red, the arrow hint shown.
    QCOMPARE(widePens(form), 1);
    QCOMPARE(third->penWidth(), kSelectedPen);
    QCOMPARE(redTones(form), QList<int>{3});
    QCOMPARE(labelText(form, "plFlytMedPil"),
             QString("Brug piletasterne \"pil-op\" og \"pil-ned\" til at flytte tonen."));
    QVERIFY(accessible(third)->state().checked);

    // The plain arrows now move D, a step a press (the steps are the selection test's).
    const int start = slider(form, 3)->value();
    pressKey(form, Qt::Key_Up);
    QCOMPARE(slider(form, 3)->value(), start - 1);
    QCOMPARE(third->penWidth(), kSelectedPen);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
