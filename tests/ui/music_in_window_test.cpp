// Music in the real window: a MIDI file dropped or named opens the music window, P plays from
// the main window, the piece's sounding notes light and name their intervals in the message
// panel, and B switches between the tunings either side of the last whole-tuning change. The
// test runs the piece's player itself, as the audio thread would.
#include "core/music/midi_file_writer.h"
#include "core/presets.h"
#include "support/window_test_support.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/widgets/shape.h"

#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace klangora;

namespace {

// Runs the piece's audio side for a while.
void runAudio(TForm1& form, double seconds) {
    struckNotes(form.music().player(), seconds);
}

} // namespace

class MusicInWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture m_window;
    QTemporaryDir m_folder;

    // c and e together, then g: the third c-e sounds first.
    QString writeChord() {
        MidiTrackWriter track;
        track.noteOn(0, 0, 60);
        track.noteOn(0, 1, 64);
        track.noteOff(960, 0, 60);
        track.noteOff(960, 1, 64);
        track.noteOn(960, 0, 67);
        track.noteOff(1440, 0, 67);
        return ::writePiece(m_folder.filePath("terts.mid"), track);
    }

private slots:
    void init() { m_window.emplace(); }
    void cleanup() { m_window.reset(); }
    void aDroppedMidiFileOpensTheMusicWindow() {
        auto& [player, form] = *m_window;
        QVERIFY(activate(form));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(writeChord())});
        QDragEnterEvent enter(QPoint(450, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(450, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &drop);
        QTRY_VERIFY(form.music().window().isVisible());
        QCOMPARE(labelText(form.music().window(), "musicPieceName"), QString("terts"));
        QCOMPARE(labelText(form, "lbStemning"), QString("Pythagoræisk stemning")); // unchanged
    }

    void pInTheMainWindowPlaysAndTheSoundingThirdIsNamed() {
        auto& [player, form] = *m_window;
        QVERIFY(form.music().open(writeChord()));
        QVERIFY(activate(form));
        QTest::keyClick(form.windowHandle(), Qt::Key_P);
        QVERIFY(form.music().window().playing());
        runAudio(form, 0.5);
        auto* panel = child<QLabel>(form, "DuHoer");
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->text(), mark(form, 1, 1)->toolTip()); // the third c-e, in its words
        QVERIFY(note(form, 1)->autoFillBackground() && note(form, 5)->autoFillBackground());
        QVERIFY(!note(form, 8)->autoFillBackground());
        runAudio(form, 0.6); // the g alone: no interval
        QTRY_VERIFY(!panel->isVisible());
        QTRY_VERIFY(note(form, 8)->autoFillBackground());
    }

    void bSwitchesBetweenTheTuningsOfTheLastWholeChange() {
        auto& [player, form] = *m_window;
        QVERIFY(activate(form));
        const QList<int> pythagorean = sliderPositions(form);
        form.praetClick();
        QTest::qWait(0);
        const QList<int> meantone = listOf(presetPositions(PresetId::praet));
        QCOMPARE(sliderPositions(form), meantone);
        // B in the main window, and back with B in the music window (the switch itself is the
        // session's test).
        QTest::keyClick(form.windowHandle(), Qt::Key_B);
        QCOMPARE(sliderPositions(form), pythagorean);
        QVERIFY(form.music().open(writeChord()));
        QVERIFY(activate(form.music().window()));
        QTest::keyClick(form.music().window().windowHandle(), Qt::Key_B);
        QCOMPARE(sliderPositions(form), meantone);
    }

    void aCommandLineTuningNameIsSetAsItsButtonWould() {
        auto& [player, form] = *m_window;
        form.music().applyTuningName("werck3");
        QCOMPARE(sliderPositions(form), listOf(presetPositions(PresetId::werck3)));
        form.music().applyTuningName("Vallotti");
        QCOMPARE(form.model().identity(), TuningIdentity::temperament("vallotti"));
        form.music().applyTuningName("fnord");
        QCOMPARE(form.model().identity(), TuningIdentity::temperament("vallotti"));
        form.music().startWith("werckmeister3", {}, false); // without a piece too
        QCOMPARE(labelText(form, "lbStemning"), QString("Werckmeister-III"));
    }

    void pPlaysInEveryWindowAndARetuningIsToldAtOnce() {
        auto& [player, form] = *m_window;
        MusicWindow& music = form.music().window();
        QVERIFY(form.music().open(writeChord()));
        for (QWidget* window : {static_cast<QWidget*>(&music), static_cast<QWidget*>(&form)}) {
            QVERIFY(activate(*window));
            QTest::keyClick(window->windowHandle(), Qt::Key_P);
            QVERIFY(music.isVisible() && music.playing());
            QVERIFY(music.close() && !music.playing());
        }
        QVERIFY(activate(form));
        QTest::keyClick(form.windowHandle(), Qt::Key_P); // opens the closed window and plays
        runAudio(form, 0.5);
        auto* panel = child<QLabel>(form, "DuHoer");
        QTRY_VERIFY(panel->isVisible());
        form.praetClick(); // the third c-e now pure
        QTRY_COMPARE(panel->text(), mark(form, 1, 1)->toolTip());
        QVERIFY(panel->isVisible() && music.isVisible());
        QCOMPARE(labelText(music, "musicTuning"),
                 QString("Stemning: Prætoriansk stemning\nB skifter til: Pythagoræisk stemning"));
    }
};

QTEST_MAIN(MusicInWindowTest)
#include "music_in_window_test.moc"
