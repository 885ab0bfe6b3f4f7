#include "support/window_test_support.h"

#include "ui/widgets/shape.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

class ArrangementTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window.emplace(); }
    void cleanup() { m_window.reset(); }
    void fifthsColumns();
    void twoSwitchesRestoreTheChromaticPlaces();
    void switchingKeepsHeightsTextsAndSelection();
    void eachFifthMarkStandsForTheNextRoot();

private:
    WindowFixture m_window;
    // Left of every moved control, by name, for comparing arrangements.
    static QMap<QString, QPoint> positions(const TForm1& form);
};

namespace {
// The fifths arrangement's column for each tone number: C G D A E H F# C# G# Eb Bb F C'.
const int kFifthsColumn[] = {0, 1, 8, 3, 10, 5, 12, 7, 2, 9, 4, 11, 6, 13};

QStringList movedControls(int tone) {
    return {markName(tone, 0), markName(tone, 1), markName(tone, 2),
            readoutName(tone), noteName(tone),    keyName(tone)};
}
} // namespace

QMap<QString, QPoint> ArrangementTest::positions(const TForm1& form) {
    QMap<QString, QPoint> result;
    for (int tone = 1; tone <= 13; ++tone) {
        for (const QString& name : movedControls(tone)) {
            result[name] = child<QWidget>(form, name)->pos();
        }
        for (int bar = 1; bar <= 2; ++bar) {
            const QString name = barName(tone, bar);
            result[name] = child<QWidget>(form, name)->pos();
        }
    }
    return result;
}

void ArrangementTest::fifthsColumns() {
    auto& [player, form] = *m_window;
    form.kromkvintClick();
    QCOMPARE(child<QPushButton>(form, "kromkvint")->text(), QString("vis i KROMATISK opstilling"));
    for (int tone = 1; tone <= 13; ++tone) {
        const int column = kFifthsColumn[tone];
        for (int row = 0; row <= 2; ++row) {
            QCOMPARE(mark(form, tone, row)->x(), 40 * column + 90);
        }
        // Centred on the new column line by its own width (the key button by its name's).
        auto* name = note(form, tone);
        auto* shown = readout(form, tone);
        const int line = 40 * column + 100 - 120;
        QVERIFY(qAbs(name->x() + name->width() / 2.0 - line) <= 0.5);
        QVERIFY(qAbs(shown->x() + shown->width() / 2.0 - line) <= 0.5);
        auto* key = keyButton(form, tone);
        QVERIFY(qAbs(key->x() + name->width() / 2.0 - (line + 124)) <= 0.5);
        // The bars stay chromatic, but for H's fifth bar.
        QCOMPARE(bar(form, tone, 1)->x(), 40 * tone + 100);
        if (tone != 12) {
            QCOMPARE(bar(form, tone, 2)->x(), 40 * tone + 100);
        }
    }
    QCOMPARE(bar(form, 12, 2)->x(), 340);
}

void ArrangementTest::twoSwitchesRestoreTheChromaticPlaces() {
    auto& [player, form] = *m_window;
    const auto chromatic = positions(form);
    form.kromkvintClick();
    QVERIFY(positions(form) != chromatic);
    form.kromkvintClick();
    QCOMPARE(positions(form), chromatic);
    QCOMPARE(bar(form, 12, 2)->x(), 580);
    QCOMPARE(child<QPushButton>(form, "kromkvint")->text(), QString("vis i KVINT-opstilling"));
}

void ArrangementTest::switchingKeepsHeightsTextsAndSelection() {
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    child<QPushButton>(form, "ren")->click();
    form.knapMouseDown(3, 1); // the third above D: F#
    QMap<QString, int> tops;
    QMap<QString, QString> texts;
    for (int tone = 1; tone <= 13; ++tone) {
        for (int row = 0; row <= 2; ++row) {
            const QString name = markName(tone, row);
            tops[name] = child<Shape>(form, name)->y();
        }
        texts[readoutName(tone)] = readout(form, tone)->text();
    }
    child<QPushButton>(form, "kromkvint")->click();
    for (auto it = tops.cbegin(); it != tops.cend(); ++it) {
        QCOMPARE(child<Shape>(form, it.key())->y(), it.value());
    }
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        QCOMPARE(labelText(form, it.key()), it.value());
    }
    QCOMPARE(form.selection().selectedTone(), 3);
    QCOMPARE(form.selection().selectedRow(), 1);
    QCOMPARE(mark(form, 3, 1)->penWidth(), kSelectedPen);
    QCOMPARE(textColour(note(form, 7)), QColor(Qt::red));
    QCOMPARE(QApplication::focusWidget(), slider(form, 7));
}

void ArrangementTest::eachFifthMarkStandsForTheNextRoot() {
    auto& [player, form] = *m_window;
    form.kromkvintClick();
    // Column c's fifth mark has the colour of the root in column c + 1.
    QMap<int, int> toneInColumn;
    for (int tone = 1; tone <= 13; ++tone) {
        toneInColumn[kFifthsColumn[tone]] = tone;
    }
    for (int column = 1; column <= 12; ++column) {
        const int root = toneInColumn[column];
        const int next = toneInColumn[column + 1];
        QCOMPARE(mark(form, root, 2)->brushColor(), mark(form, next, 0)->brushColor());
    }
}

QTEST_MAIN(ArrangementTest)
#include "arrangement_test.moc"
