#include "support/window_test_support.h"

#include "sound/instrument/live_instrument.h"
#include "ui/instrument/live_playing.h"
#include "ui/widgets/shape.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>

// Playing the live instrument from the window: which notes each way of playing holds, that a
// held key survives X11's auto-repeat and is let go when the window goes out of reach. What the
// message panel says of them is the one presenter's, tested with a piece in the music window.
class LivePlayingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(activate(m_window.emplace().form));
    }
    void cleanup() { m_window.reset(); }
    void keysHoldNotes_data();
    void keysHoldNotes();
    void autoRepeatNeverCutsATone();
    void windowOutOfReachReleasesEverything();
    void releasesAlwaysArrive_data();
    void releasesAlwaysArrive();
    void escapeStopsEverySound();

private:
    WindowFixture m_window;
};

namespace {

using Notes = QList<int>;

Notes notesOf(const std::bitset<128>& bits) {
    Notes notes;
    for (int note = 0; note < 128; ++note) {
        if (bits.test(static_cast<std::size_t>(note))) {
            notes << note;
        }
    }
    return notes;
}

// The keys held, and the notes that still sound (a release may ring on).
Notes held(TForm1& form) {
    return notesOf(form.live().instrument().heldNotes());
}
Notes sounding(TForm1& form) {
    return notesOf(form.live().instrument().soundingNotes());
}

void press(TForm1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyPress(form.windowHandle(), key, modifiers);
}

void release(TForm1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyRelease(form.windowHandle(), key, modifiers);
}

} // namespace

void LivePlayingTest::keysHoldNotes_data() {
    QTest::addColumn<QPoint>("selectedMark"); // column and row; column 0: none selected
    QTest::addColumn<QList<int>>("keys");     // the last one is held
    QTest::addColumn<Notes>("notes");

    QTest::newRow("A is the fixed c") << QPoint() << QList<int>{Qt::Key_A} << Notes{60};
    QTest::newRow("K is c'") << QPoint() << QList<int>{Qt::Key_K} << Notes{72};
    QTest::newRow("Y is g#") << QPoint() << QList<int>{Qt::Key_Y} << Notes{68};
    QTest::newRow("X: an octave up") << QPoint() << QList<int>{Qt::Key_X, Qt::Key_A} << Notes{72};
    QTest::newRow("Z stops two octaves down")
        << QPoint() << QList<int>{Qt::Key_Z, Qt::Key_Z, Qt::Key_Z, Qt::Key_D} << Notes{40};
    QTest::newRow("Space: a third with its root")
        << QPoint(5, 1) << QList<int>{Qt::Key_Space} << Notes{64, 68};
    QTest::newRow("Space: a fifth with its root")
        << QPoint(2, 2) << QList<int>{Qt::Key_Space} << Notes{61, 68};
    QTest::newRow("Space: the triad on a root")
        << QPoint(3, 0) << QList<int>{Qt::Key_Space} << Notes{62, 66, 69};
    QTest::newRow("Space without a selection plays nothing")
        << QPoint() << QList<int>{Qt::Key_Space} << Notes{};
}

void LivePlayingTest::keysHoldNotes() {
    QFETCH(QPoint, selectedMark);
    QFETCH(QList<int>, keys);
    QFETCH(Notes, notes);
    auto& [player, form] = *m_window;
    if (!selectedMark.isNull()) {
        form.knapMouseDown(selectedMark.x(), selectedMark.y());
    }
    for (int key : keys.mid(0, keys.size() - 1)) {
        pressKey(form, Qt::Key(key));
    }
    press(form, Qt::Key(keys.last()));
    QCOMPARE(held(form), notes);
    release(form, Qt::Key(keys.last()));
    QTRY_COMPARE(held(form), Notes{});
}

void LivePlayingTest::autoRepeatNeverCutsATone() {
    auto& [player, form] = *m_window;
    press(form, Qt::Key_A);
    // X11 sends a held key's repeats as release and press pairs a moment apart.
    for (int n = 0; n < 5; ++n) {
        release(form, Qt::Key_A);
        QTest::qWait(5);
        press(form, Qt::Key_A);
    }
    QTest::qWait(100);
    QCOMPARE(held(form), Notes{60});
}

void LivePlayingTest::windowOutOfReachReleasesEverything() {
    auto& [player, form] = *m_window;
    press(form, Qt::Key_A);
    QTest::mousePress(note(form, 5), Qt::LeftButton);
    QCOMPARE(held(form), (Notes{60, 64}));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&form, &deactivate);
    QCOMPARE(held(form), Notes{});

    press(form, Qt::Key_D);
    QCOMPARE(held(form), Notes{64});
    SeenBox seen;
    closeNextBox(seen);
    form.knapMouseDown(1, 0); // the fixed c answers with a modal box
    QVERIFY(seen.opened);
    QCOMPARE(held(form), Notes{});
}

// Ways a key's release used to be lost, each of which must end in silence.
void LivePlayingTest::releasesAlwaysArrive_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Ctrl down at the release") << "ctrl";
    QTest::newRow("Alt down at the release") << "alt";
    QTest::newRow("a popup menu opens while held") << "popup";
    QTest::newRow("Space on a mark, Ctrl+Right, Space let go before Ctrl") << "markMove";
}

void LivePlayingTest::releasesAlwaysArrive() {
    QFETCH(QString, way);
    auto& [player, form] = *m_window;
    if (way == "ctrl" || way == "alt") {
        const Qt::Key modifier = way == "ctrl" ? Qt::Key_Control : Qt::Key_Alt;
        const Qt::KeyboardModifier flag = way == "ctrl" ? Qt::ControlModifier : Qt::AltModifier;
        press(form, Qt::Key_A);
        QCOMPARE(held(form), Notes{60});
        press(form, modifier, flag);
        release(form, Qt::Key_A, flag);
        release(form, modifier, Qt::NoModifier);
    } else if (way == "popup") {
        press(form, Qt::Key_D);
        QCOMPARE(held(form), Notes{64});
        QMenu menu(&form);
        menu.addAction("x");
        menu.popup(form.mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(held(form), Notes{});
        release(form, Qt::Key_D); // reaches the window after the menu went
        menu.close();
    } else if (way == "markMove") {
        form.knapMouseDown(3, 0); // the root d: Space sounds its triad
        press(form, Qt::Key_Space);
        QCOMPARE(held(form), (Notes{62, 66, 69}));
        press(form, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
        release(form, Qt::Key_Space, Qt::ControlModifier);
        release(form, Qt::Key_Control, Qt::NoModifier);
    }
    QTRY_COMPARE(held(form), Notes{});
    QTRY_COMPARE(sounding(form), Notes{});
}

// Esc lets go of every source at once: keys, the mark, a pressed note name.
void LivePlayingTest::escapeStopsEverySound() {
    auto& [player, form] = *m_window;
    form.knapMouseDown(2, 2);
    press(form, Qt::Key_A);
    press(form, Qt::Key_Space);
    QTest::mousePress(note(form, 5), Qt::LeftButton);
    form.live().instrument().noteOn(klangora::VoiceSource::midi, 50);
    QVERIFY(held(form).size() >= 4);
    QTest::keyClick(form.windowHandle(), Qt::Key_Escape);
    QCOMPARE(held(form), Notes{});
    QCOMPARE(sounding(form), Notes{});
    // The keys' own releases afterwards change nothing, and a key struck again sounds.
    release(form, Qt::Key_A);
    release(form, Qt::Key_Space);
    QTest::mouseRelease(note(form, 5), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(held(form), Notes{});
    press(form, Qt::Key_A);
    QCOMPARE(held(form), Notes{60});
    release(form, Qt::Key_A);
}

QTEST_MAIN(LivePlayingTest)
#include "live_playing_test.moc"
