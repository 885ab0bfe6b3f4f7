#include "support/window_test_support.h"

#include "ui/widgets/shape.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

class SelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(activate(m_window.emplace().form)); }
    void cleanup() { m_window.reset(); }
    void pressSelectsTheToneTheMarkStandsFor_data();
    void pressSelectsTheToneTheMarkStandsFor();
    void anyMouseButtonSelects();
    void arrowKeysMoveTheSelectedTone_data();
    void arrowKeysMoveTheSelectedTone();
    void slidersStopAtTheirEnds();
    void fixedCAnswersWithAMessage();
    void contextMenuOnTheFifthOfCKeepsTheSelection();
    void shiftF10OpensTheContextMenu();
    void modeChangeRestoresEverySelection_data();
    void modeChangeRestoresEverySelection();
    void keyButtonsMarkTheKey();
    void keyboardFromTheFirstMoment();

private:
    WindowFixture m_window;
};

void SelectionTest::pressSelectsTheToneTheMarkStandsFor_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tone"); // 0 = the fixed c
    // Rows: root, third (4 semitones up), fifth (7 up), folded into the octave.
    const int table[13][3] = {{0, 5, 8},  {2, 6, 9},  {3, 7, 10}, {4, 8, 11}, {5, 9, 12},
                              {6, 10, 0}, {7, 11, 2}, {8, 12, 3}, {9, 0, 4},  {10, 2, 5},
                              {11, 3, 6}, {12, 4, 7}, {0, 5, 8}};
    for (int column = 1; column <= 13; ++column) {
        for (int row = 0; row <= 2; ++row) {
            QTest::addRow("knap%d%d", column, row) << column << row << table[column - 1][row];
        }
    }
}

void SelectionTest::pressSelectsTheToneTheMarkStandsFor() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, tone);
    auto& [player, form] = *m_window;
    SeenBox seen;
    if (tone == 0) {
        closeNextBox(seen);
    }
    QTest::mousePress(mark(form, column, row), Qt::LeftButton);
    if (tone == 0) {
        QVERIFY(seen.opened);
        QCOMPARE(form.selection().selectedTone(), 14);
        QCOMPARE(widePens(form), 0);
        QCOMPARE(labelText(form, "plFlytMedPil"), QString(kClickHint));
        QCOMPARE(child<QLabel>(form, "plFlytMedPil")->font().pointSize(), 8);
        return;
    }
    QVERIFY(!seen.opened);
    QCOMPARE(form.selection().selectedTone(), column);
    QCOMPARE(form.selection().selectedRow(), row);
    QCOMPARE(mark(form, column, row)->penWidth(), kSelectedPen);
    QCOMPARE(widePens(form), 1);
    QCOMPARE(QApplication::focusWidget(), slider(form, tone));
    QCOMPARE(redTones(form), QList<int>{tone});
    auto* hint = child<QLabel>(form, "plFlytMedPil");
    QCOMPARE(hint->text(),
             QString("Brug piletasterne \"pil-op\" og \"pil-ned\" til at flytte tonen."));
    QCOMPARE(hint->font().pointSize(), 12);
}

// Any button selects, and a second press moves the wide outline to its mark.
void SelectionTest::anyMouseButtonSelects() {
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, 7, 2), Qt::MiddleButton); // the fifth above F#: C#
    QCOMPARE(QApplication::focusWidget(), slider(form, 2));
    QCOMPARE(redTones(form), QList<int>{2});
    QTest::mousePress(mark(form, 10, 1), Qt::RightButton); // the third above A: C# again
    QCOMPARE(mark(form, 10, 1)->penWidth(), kSelectedPen);
    QCOMPARE(mark(form, 7, 2)->penWidth(), kNormalPen);
    QCOMPARE(widePens(form), 1);
}

// A key nudges the selected G by one step, with Shift by a whole cent (20 steps); held down,
// its repeats move as far each.
void SelectionTest::arrowKeysMoveTheSelectedTone_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");  // the first, then auto-repeats of a held key
    QTest::addColumn<int>("position"); // from the Pythagorean G at -40
    QTest::addColumn<bool>("shift");
    QTest::newRow("up") << int(Qt::Key_Up) << 1 << -41 << false;
    QTest::newRow("left") << int(Qt::Key_Left) << 1 << -41 << false;
    QTest::newRow("down") << int(Qt::Key_Down) << 1 << -39 << false;
    QTest::newRow("right") << int(Qt::Key_Right) << 1 << -39 << false;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 1 << -41 << false;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 1 << -39 << false;
    QTest::newRow("home") << int(Qt::Key_Home) << 1 << -600 << false;
    QTest::newRow("end") << int(Qt::Key_End) << 1 << 600 << false;
    // Three steps up: G rises by 0.15 cent.
    QTest::newRow("held up") << int(Qt::Key_Up) << 3 << -43 << false;
    QTest::newRow("shift up") << int(Qt::Key_Up) << 1 << -60 << true;
    QTest::newRow("shift left") << int(Qt::Key_Left) << 1 << -60 << true;
    QTest::newRow("shift down") << int(Qt::Key_Down) << 1 << -20 << true;
    QTest::newRow("shift right") << int(Qt::Key_Right) << 1 << -20 << true;
    QTest::newRow("held shift down") << int(Qt::Key_Down) << 3 << 20 << true;
}

void SelectionTest::arrowKeysMoveTheSelectedTone() {
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(int, position);
    QFETCH(bool, shift);
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, 8, 0), Qt::LeftButton);
    pressKey(form, Qt::Key(key), modifiers);
    for (int n = 1; n < presses; ++n) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key(key), modifiers, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    }
    QCOMPARE(slider(form, 8)->value(), position);
    QCOMPARE(form.model().tones().toneCents[7], 700.0 - position / 20.0);
    QCOMPARE(labelText(form, "lbStemning"), QString("Din Egen Stemning!"));
    // Nudging leaves the selection as it is.
    QCOMPARE(mark(form, 8, 0)->penWidth(), kSelectedPen);
    QCOMPARE(redTones(form), QList<int>{8});
}

void SelectionTest::slidersStopAtTheirEnds() {
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, 12, 0), Qt::LeftButton);
    pressKey(form, Qt::Key_Home);
    QCOMPARE(form.model().tones().toneCents[11], 1130.0);
    QCOMPARE(form.model().tones().toneCents[23], 2330.0);
    child<QPushButton>(form, "lige")->click();
    slider(form, 12)->setValue(-600);
    child<QLabel>(form, "lbStemning")->setText("unchanged");
    QTest::mousePress(mark(form, 12, 0), Qt::LeftButton);
    pressKey(form, Qt::Key_Up);
    pressKey(form, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(slider(form, 12)->value(), -600);
    QCOMPARE(labelText(form, "lbStemning"), QString("unchanged"));
    pressKey(form, Qt::Key_End);
    pressKey(form, Qt::Key_Down);
    QCOMPARE(slider(form, 12)->value(), 600);
    QCOMPARE(form.model().tones().toneCents[11], 1070.0);
}

void SelectionTest::fixedCAnswersWithAMessage() {
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, 5, 1), Qt::LeftButton); // the third above E: G#
    SeenBox seen;
    closeNextBox(seen);
    QTest::mousePress(mark(form, 6, 2), Qt::LeftButton); // the fifth above F: c
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QString("Klangoraer1"));
    QCOMPARE(seen.text, QString("Den hvide er tonen C, og det er den vi stemmer ud fra. Det er den "
                                "eneste tone du IKKE kan flytte."));
    QCOMPARE(seen.buttons, 1);
    QCOMPARE(mark(form, 5, 1)->penWidth(), kSelectedPen);
    QCOMPARE(redTones(form), QList<int>{9});
    // After the box nothing is active; the window is brought back before typing.
    QVERIFY(activate(form));
    const int before = slider(form, 9)->value();
    pressKey(form, Qt::Key_Down);
    QCOMPARE(slider(form, 9)->value(), before + 1);
}

void SelectionTest::contextMenuOnTheFifthOfCKeepsTheSelection() {
    auto& [player, form] = *m_window;
    Shape* g = mark(form, 1, 2);
    QTest::mousePress(g, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), g->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(g, &menu);
    QCOMPARE(g->penWidth(), kSelectedPen);
    QCOMPARE(widePens(form), 1);
    QCOMPARE(QApplication::focusWidget(), slider(form, 8));
    QCOMPARE(redTones(form), QList<int>{8});
    QCOMPARE(child<QLabel>(form, "plFlytMedPil")->font().pointSize(), 12);
    QCOMPARE(form.selection().selectedTone(), 1);
    QCOMPARE(form.selection().selectedRow(), 2);
}

void SelectionTest::shiftF10OpensTheContextMenu() {
    auto& [player, form] = *m_window;
    QString opened;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&opened] {
        if (QWidget* menu = QApplication::activePopupWidget(); menu != nullptr && menu->close()) {
            opened = menu->objectName();
        }
    });
    closer.start(10);
    QTest::keyClick(form.windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(opened, QString("tuningMenu"));
}

void SelectionTest::modeChangeRestoresEverySelection_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tone");
    QTest::newRow("knap50") << 5 << 0 << 5;
    QTest::newRow("knap120") << 12 << 0 << 12;
    QTest::newRow("knap121") << 12 << 1 << 4;
    QTest::newRow("knap122") << 12 << 2 << 7;
    QTest::newRow("knap131") << 13 << 1 << 5;
    QTest::newRow("knap132") << 13 << 2 << 8;
}

// Every selection comes back after a mode change, the last two columns included, so the next
// arrow key still moves the tone rather than the radio button.
void SelectionTest::modeChangeRestoresEverySelection() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, tone);
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, column, row), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(form, "rbterts"), Qt::LeftButton);
    QVERIFY(child<QRadioButton>(form, "rbterts")->isChecked());
    QCOMPARE(mark(form, column, row)->penWidth(), kSelectedPen);
    QCOMPARE(widePens(form), 1);
    QCOMPARE(redTones(form), QList<int>{tone});
    QCOMPARE(QApplication::focusWidget(), slider(form, tone));
    const int before = slider(form, tone)->value();
    pressKey(form, Qt::Key_Up);
    QCOMPARE(slider(form, tone)->value(), before - 1);
    QVERIFY(child<QRadioButton>(form, "rbterts")->isChecked());
}

void SelectionTest::keyButtonsMarkTheKey() {
    auto& [player, form] = *m_window;
    QTest::mousePress(mark(form, 4, 0), Qt::LeftButton);
    clickKey(form, 5);
    QCOMPARE(form.model().key(), 5);
    auto* e = note(form, 5);
    QCOMPARE(e->font().pointSize(), 14);
    QCOMPARE(e->y(), 13);
    QCOMPARE(note(form, 1)->font().pointSize(), 12);
    QCOMPARE(note(form, 1)->y(), 15);
    QCOMPARE(widePens(form), 0);
    QVERIFY(redTones(form).isEmpty());
    QCOMPARE(form.selection().selectedTone(), 14);
    QCOMPARE(child<QLabel>(form, "plFlytMedPil")->font().pointSize(), 8);
    // A second click on the checked button changes nothing.
    QTest::mousePress(mark(form, 4, 0), Qt::LeftButton);
    clickKey(form, 5);
    QCOMPARE(mark(form, 4, 0)->penWidth(), kSelectedPen);
    // A preset keeps the key.
    child<QPushButton>(form, "ren")->click();
    QCOMPARE(e->font().pointSize(), 14);
    // In the fifths arrangement the H label is marked wherever it stands.
    form.kromkvintClick();
    clickKey(form, 12);
    QCOMPARE(note(form, 12)->font().pointSize(), 14);
    QCOMPARE(note(form, 12)->y(), 13);
    QCOMPARE(e->font().pointSize(), 12);
    // The last button, the upper c, marks its own name only.
    clickKey(form, 13);
    QCOMPARE(form.model().key(), 13);
    QCOMPARE(note(form, 13)->font().pointSize(), 14);
    QCOMPARE(note(form, 1)->font().pointSize(), 12);
}

// A freshly opened window as a keyboard user meets it: the focus on the triad button, keys that
// move no tone while none is selected, not even on a hidden slider that Tab passes, and Tab
// into the readout panel at its checked button, from where the arrow keys walk the four.
void SelectionTest::keyboardFromTheFirstMoment() {
    auto& [player, form] = *m_window;
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(form, "BitBtn1"));
    const QList<int> pythagorean = sliderPositions(form);
    const QList<Qt::Key> nudges = {Qt::Key_Up, Qt::Key_Up, Qt::Key_Home, Qt::Key_End};
    for (Qt::Key key : nudges) {
        pressKey(form, key);
    }
    const QWidget* panel = child<QWidget>(form, "Panel1");
    int slidersPassed = 0;
    for (int tabs = 0; !panel->isAncestorOf(QApplication::focusWidget()); ++tabs) {
        QVERIFY2(tabs < 60, "Tab never reaches the readout panel");
        if (qobject_cast<QScrollBar*>(QApplication::focusWidget()) != nullptr) {
            ++slidersPassed;
            for (Qt::Key key : nudges) {
                pressKey(form, key);
            }
        }
        pressKey(form, Qt::Key_Tab);
    }
    QVERIFY(slidersPassed > 0);
    QCOMPARE(sliderPositions(form), pythagorean);
    QCOMPARE(labelText(form, "lbStemning"), QString("Pythagoræisk stemning"));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(form, "rbFre"));
    const QList<std::pair<Qt::Key, QString>> walk = {{Qt::Key_Down, "rbCent"},
                                                     {Qt::Key_Right, "rbkvint"},
                                                     {Qt::Key_Up, "rbterts"},
                                                     {Qt::Key_Left, "rbFre"},
                                                     {Qt::Key_Down, "rbCent"}};
    for (const auto& [key, name] : walk) {
        pressKey(form, key);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
        QVERIFY(child<QRadioButton>(form, name)->isChecked());
    }
    // Tab leaves the group in one step and comes back to the button now checked.
    pressKey(form, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), slider(form, 3));
    pressKey(form, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(form, "rbCent"));
}

QTEST_MAIN(SelectionTest)
#include "selection_test.moc"
