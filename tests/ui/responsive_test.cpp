// The window while a chord sounds through the ResponsivePlayer: it keeps painting, holds back
// the user's input until the chord has ended, lets no Timer3 tick add a step, and ends cleanly
// when it is closed or the application quits in the middle of a chord.
#include "support/window_system_input.h"
#include "support/window_test_support.h"

#include "sound/instrument/live_instrument.h"
#include "ui/instrument/live_playing.h"
#include "ui/sequence/responsive_player.h"
#include "ui/widgets/shape.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;
using namespace klangora::test_support;

namespace {

using Image = std::vector<std::uint8_t>;

// Stands in for the sound card: it takes as long as its chord lasts, or until it is cut short,
// on whichever thread it is called from, and keeps the images in the order they were handed to
// it.
class SlowPlayer : public SoundPlayer {
public:
    explicit SlowPlayer(std::chrono::milliseconds length) : m_length(length) {}

    void play(const Image& wavImage) override {
        std::unique_lock lock(m_mutex);
        m_sounding = true;
        m_images.push_back(wavImage);
        if (m_ended.wait_for(lock, m_length, [this] { return m_cut; })) {
            ++m_cutShort;
        }
        m_sounding = false;
    }

    void beginSequence() override {
        const std::lock_guard lock(m_mutex);
        m_cut = false;
    }

    void cutShort() override {
        {
            const std::lock_guard lock(m_mutex);
            m_cut = true;
        }
        m_ended.notify_all();
    }

    bool sounding() const { return m_sounding; }

    std::vector<Image> images() const {
        const std::lock_guard lock(m_mutex);
        return m_images;
    }

    int chordsCutShort() const {
        const std::lock_guard lock(m_mutex);
        return m_cutShort;
    }

private:
    std::chrono::milliseconds m_length;
    std::atomic<bool> m_sounding{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_cut = false;
    int m_cutShort = 0;
    std::vector<Image> m_images;
};

// What the window plays through: a ResponsivePlayer around the slow one, watched from the GUI
// thread just before each chord is handed over and just after play() has come back.
class WatchedPlayer : public SoundPlayer {
public:
    explicit WatchedPlayer(SlowPlayer& backend) : m_backend(backend), m_responsive(backend) {}

    void play(const Image& wavImage) override {
        if (beforeChord) {
            beforeChord(calls);
        }
        ++calls;
        m_responsive.play(wavImage);
        if (m_backend.sounding()) {
            ++returnedWhileSounding;
        }
        if (afterChord) {
            afterChord();
        }
    }

    void beginSequence() override { m_responsive.beginSequence(); }
    void cutShort() override { m_responsive.cutShort(); }

    std::function<void(int chord)> beforeChord; // chords counted from 0
    std::function<void()> afterChord;
    int calls = 0;
    int returnedWhileSounding = 0;

private:
    SlowPlayer& m_backend;
    ResponsivePlayer m_responsive;
};

// The window playing through a WatchedPlayer on a slow sound card whose chords last `length`.
struct SlowWindow {
    explicit SlowWindow(std::chrono::milliseconds length) : slow(length) {}
    SlowPlayer slow;
    WatchedPlayer player{slow};
    TestWindow window{player};
    TForm1& form = window.form;
};

// Counts the window's paint events that arrive while the backend is sounding.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const SlowPlayer& backend) : m_backend(backend) {}

    int duringSound = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_backend.sounding()) {
            ++duringSound;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const SlowPlayer& m_backend;
};

// Everything a press on a mark changes: the selected column and row, every outline and the
// widget with the keyboard focus.
struct Selection {
    QList<int> state;
    QString focus;
};

Selection selection(const TForm1& form) {
    Selection now;
    now.state << form.selection().selectedTone() << form.selection().selectedRow();
    for (int column = 1; column <= 13; ++column) {
        for (int row = 0; row <= 2; ++row) {
            now.state << mark(form, column, row)->penWidth();
        }
    }
    const QWidget* focus = form.focusWidget();
    now.focus = focus == nullptr ? QString() : focus->objectName();
    return now;
}

// The mark pressed in the tests: the third above G, which any press may select (the c marks
// answer with a message instead).
constexpr int kColumn = 8;
constexpr int kRow = 1;

} // namespace

class ResponsiveTest : public QObject {
    Q_OBJECT

private slots:
    void windowRepaintsWhileAChordSounds();
    void clickDuringAChordIsHandledAfterIt();
    void comparisonRunsItsStepsInOrder();
    void ticksDuringAChordAddNoStep();
    // These run the application's own loop and end it, so they come last.
    void endingTheProgramDuringAChord_data();
    void endingTheProgramDuringAChord();
    void windowClosedJustBeforeAChordEndsTheProgram();
    void keyReleasesAndEscapeActDuringAChord();
};

void ResponsiveTest::windowRepaintsWhileAChordSounds() {
    SlowWindow slowWindow(400ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    PaintCounter paints(slow);
    form.installEventFilter(&paints);
    bool askedDuringSound = false;
    player.beforeChord = [&](int) {
        QTimer::singleShot(100, &form, [&] {
            askedDuringSound = slow.sounding();
            form.update();
        });
    };

    form.BitBtn1Click();
    form.Timer3Timer(); // the pure triad

    QVERIFY(askedDuringSound);
    QVERIFY(paints.duringSound > 0);
    QCOMPARE(slow.images().size(), std::size_t(1));
    QCOMPARE(player.returnedWhileSounding, 0);
}

void ResponsiveTest::clickDuringAChordIsHandledAfterIt() {
    // The same click with nothing sounding, for what it selects.
    TestWindow quiet;
    auto& [quick, reference] = quiet;
    QVERIFY(settle(reference));
    const Selection untouched = selection(reference);
    clickAsTheWindowSystemDoes(reference, mark(reference, kColumn, kRow));
    QTRY_VERIFY(selection(reference).state != untouched.state);
    const Selection expected = selection(reference);
    QCOMPARE(expected.state.at(0), kColumn);
    reference.hide();

    SlowWindow slowWindow(400ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    const Selection before = selection(form);
    QCOMPARE(before.state, untouched.state);
    bool clickedDuringSound = false;
    bool lookedDuringSound = false;
    Selection duringSound;
    player.beforeChord = [&](int) {
        QTimer::singleShot(50, &form, [&] {
            clickedDuringSound = slow.sounding();
            clickAsTheWindowSystemDoes(form, mark(form, kColumn, kRow));
        });
        QTimer::singleShot(250, &form, [&] {
            lookedDuringSound = slow.sounding();
            duringSound = selection(form);
        });
    };

    form.BitBtn1Click();
    form.Timer3Timer(); // the pure triad; the click arrives while it sounds

    QVERIFY(clickedDuringSound);
    QVERIFY(lookedDuringSound);
    QCOMPARE(duringSound.state, before.state);
    QCOMPARE(duringSound.focus, before.focus);
    // Still held back when play() has returned: the step runs to its end first.
    QCOMPARE(selection(form).state, before.state);
    QTRY_COMPARE(selection(form).state, expected.state);
    QCOMPARE(selection(form).focus, expected.focus);
    QCOMPARE(slow.images().size(), std::size_t(1));
}

void ResponsiveTest::comparisonRunsItsStepsInOrder() {
    // Each triad sounds for more than two of Timer3's 500-ms intervals.
    SlowWindow slowWindow(1200ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    QList<int> stepBefore;
    QList<int> stepAfter;
    player.beforeChord = [&](int) { stepBefore << form.sequence().sequenceStep(); };
    player.afterChord = [&] { stepAfter << form.sequence().sequenceStep(); };

    form.BitBtn1Click();
    QTRY_COMPARE_WITH_TIMEOUT(form.sequence().sequenceStep(), 6, 10000);

    QCOMPARE(stepBefore, QList<int>({1, 4}));
    QCOMPARE(stepAfter, stepBefore);
    QVERIFY(!child<QTimer>(form, "Timer3")->isActive());
    QCOMPARE(slow.images(), sequenceImages(&TForm1::BitBtn1Click, 5)); // pure, then tempered
    QCOMPARE(player.returnedWhileSounding, 0);
    QTest::qWait(600);
    QCOMPARE(form.sequence().sequenceStep(), 6);
    QCOMPARE(slow.images().size(), std::size_t(2));
}

void ResponsiveTest::ticksDuringAChordAddNoStep() {
    // A timer does not tick into its own handler, so while a step that a tick began sounds,
    // Timer3 stays quiet. Its ticks do arrive during a chord begun outside a tick, as here.
    SlowWindow slowWindow(1200ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    int ticksDuringSound = 0;
    int stepSeenByTicks = -1;
    connect(child<QTimer>(form, "Timer3"), &QTimer::timeout, &form, [&] {
        if (slow.sounding()) {
            ++ticksDuringSound;
            stepSeenByTicks = form.sequence().sequenceStep();
        }
    });

    form.BitBtn1Click();
    QVERIFY(child<QTimer>(form, "Timer3")->isActive());
    form.Timer3Timer(); // the pure triad

    QVERIFY(ticksDuringSound >= 2);
    QCOMPARE(stepSeenByTicks, 1);
    QCOMPARE(form.sequence().sequenceStep(), 2);
    QCOMPARE(slow.images().size(), std::size_t(1));
}

enum class Ending { programClosesWindow, applicationQuits, windowManagerCloses };

void ResponsiveTest::endingTheProgramDuringAChord_data() {
    QTest::addColumn<Ending>("ending");
    QTest::newRow("window closed by the program") << Ending::programClosesWindow;
    QTest::newRow("application quit") << Ending::applicationQuits;
    // Qt counts the window manager's close request as user input; it must not wait with the
    // clicks for the end of the step.
    QTest::newRow("window manager's close button") << Ending::windowManagerCloses;
}

void ResponsiveTest::endingTheProgramDuringAChord() {
    QFETCH(Ending, ending);
    SlowWindow slowWindow(5s);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    bool endedDuringSound = false;
    QElapsedTimer sinceEnding;
    player.beforeChord = [&](int chord) {
        if (chord != 0) {
            return;
        }
        QTimer::singleShot(150, &form, [&] {
            endedDuringSound = slow.sounding();
            sinceEnding.start();
            switch (ending) {
            case Ending::programClosesWindow:
                form.close();
                break;
            case Ending::applicationQuits:
                QCoreApplication::quit();
                break;
            case Ending::windowManagerCloses:
                closeAsTheWindowManagerDoes(form);
                break;
            }
        });
    };
    QTimer::singleShot(0, &form, [&] {
        form.BitBtn2Click();
        form.Timer3Timer(); // the seven chords of the chorale
    });

    QCOMPARE(runApplication(8s), 0);

    QVERIFY(endedDuringSound);
    QVERIFY2(sinceEnding.elapsed() < 1000, qPrintable(QString::number(sinceEnding.elapsed())));
    QVERIFY(!form.isVisible());
    // The chord that sounded was cut short; the rest of the chorale stayed silent.
    QCOMPARE(slow.chordsCutShort(), 1);
    QCOMPARE(player.returnedWhileSounding, 0);
    QVERIFY(player.calls > 1);
    QCOMPARE(slow.images().size(), std::size_t(1));
    QCOMPARE(slow.images().at(0), sequenceImages(&TForm1::BitBtn2Click, 1).at(0));
    QCOMPARE(form.sequence().sequenceStep(), 12);
}

void ResponsiveTest::windowClosedJustBeforeAChordEndsTheProgram() {
    SlowWindow slowWindow(300ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    QTimer::singleShot(0, &form, [&] {
        form.BitBtn2Click();
        // The window is closed in the same turn of the loop in which the chorale starts: the
        // application's Quit is still pending when the first chord is handed over.
        form.close();
        form.Timer3Timer();
    });

    QCOMPARE(runApplication(8s), 0);

    QVERIFY(!form.isVisible());
    QVERIFY(player.calls > 0);
    QVERIFY(slow.images().empty());
}

// While a chord sounds, a key's release and Esc do not wait for it: the live tones they end
// stop at once, and a key pressed and let go during the chord never sounds afterwards. Esc ends
// the chord too.
void ResponsiveTest::keyReleasesAndEscapeActDuringAChord() {
    SlowWindow slowWindow(400ms);
    auto& [slow, player, window, form] = slowWindow;
    QVERIFY(settle(form));
    const auto held = [&form] { return form.live().instrument().heldNotes().count(); };
    keyAsTheWindowSystemDoes(form, true, Qt::Key_A);
    keyAsTheWindowSystemDoes(form, true, Qt::Key_F);
    QTRY_COMPARE(held(), std::size_t(2));
    std::size_t afterRelease = 99;
    std::size_t afterEscape = 99;
    bool duringSound = true;
    player.beforeChord = [&](int) {
        QTimer::singleShot(50, &form, [&] { keyAsTheWindowSystemDoes(form, false, Qt::Key_A); });
        QTimer::singleShot(120, &form, [&] {
            afterRelease = held();
            duringSound = duringSound && slow.sounding();
            keyAsTheWindowSystemDoes(form, true, Qt::Key_D);
        });
        QTimer::singleShot(170, &form, [&] { keyAsTheWindowSystemDoes(form, false, Qt::Key_D); });
        QTimer::singleShot(220, &form, [&] {
            duringSound = duringSound && slow.sounding();
            keyAsTheWindowSystemDoes(form, true, Qt::Key_Escape);
            keyAsTheWindowSystemDoes(form, false, Qt::Key_Escape);
        });
    };
    player.afterChord = [&] { afterEscape = held(); }; // Esc ended the chord
    form.BitBtn1Click();
    form.Timer3Timer();
    QVERIFY(duringSound);
    QCOMPARE(slow.chordsCutShort(), 1);
    QCOMPARE(afterRelease, std::size_t(1)); // f still held
    QCOMPARE(afterEscape, std::size_t(0));
    QTest::qWait(100);
    QCOMPARE(held(), std::size_t(0)); // d's press and release cancelled out
}

QTEST_MAIN(ResponsiveTest)
#include "responsive_test.moc"
