// The music window on its own: what it shows of a piece, its controls by name and key, a bad
// file that changes nothing, and saving as sound with its progress dialog, finished or
// cancelled. The test advances the piece's player itself, as the audio thread would.
#include "core/music/midi_file_writer.h"
#include "sound/music/piece_renderer.h"
#include "support/window_test_support.h"
#include "ui/music/music_window.h"
#include "ui/music/passage_repeat.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace klangora;

class MusicWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    PiecePlayer m_player{48000};
    int m_wakes = 0;
    std::unique_ptr<MusicWindow> m_window;

    QString writePiece(const QString& name, int quarters) {
        MidiTrackWriter track;
        for (int q = 0; q < quarters; ++q) {
            track.noteOn(static_cast<std::uint32_t>(q) * 480, 0, 60 + q % 12);
            track.noteOff(static_cast<std::uint32_t>(q) * 480 + 400, 0, 60 + q % 12);
        }
        return ::writePiece(m_folder.filePath(name), track);
    }

    // Runs the audio side for `seconds` and returns the notes it struck.
    std::vector<int> runAudio(double seconds) { return struckNotes(m_player, seconds); }

private slots:
    void init() {
        m_window = std::make_unique<MusicWindow>(
            MusicWindow::Sound{m_player, [this] { ++m_wakes; }, [] { return klangora::Tuning(); }});
    }

    void showsThePieceWithItsLengthAndEnablesItsControls() {
        QVERIFY(!child<QPushButton>(*m_window, "musicPlay")->isEnabled());
        QVERIFY(m_window->openPiece(writePiece("Koral i C.mid", 271))); // 2:15 at 120 a minute
        QCOMPARE(child<QLabel>(*m_window, "musicPieceName")->text(), "Koral i C");
        QCOMPARE(child<QLabel>(*m_window, "musicTime")->text(), "0:00 / 2:15");
        QVERIFY(child<QPushButton>(*m_window, "musicPlay")->isEnabled());
        QVERIFY(m_window->isVisible());
        for (const char* name :
             {"musicPlay", "musicRewind", "musicPosition", "musicTempo", "musicSave"}) {
            QVERIFY2(!child<QWidget>(*m_window, name)->accessibleName().isEmpty(), name);
        }
    }

    void timeTextCountsMinutesAndSeconds_data() {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("length");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0.0 << 0.4 << "0:00 / 0:00";
        QTest::newRow("42 s") << 42.9 << 135.0 << "0:42 / 2:15";
        QTest::newRow("an hour") << 3600.0 << 3601.0 << "60:00 / 60:01";
    }
    void timeTextCountsMinutesAndSeconds() {
        QFETCH(double, position);
        QFETCH(double, length);
        QFETCH(QString, text);
        QCOMPARE(MusicWindow::timeText(position, length), text);
    }

    void playPauseWakesTheOutputAndMovesThePiece() {
        QVERIFY(m_window->openPiece(writePiece("skala.mid", 8)));
        child<QPushButton>(*m_window, "musicPlay")->click();
        QCOMPARE(m_wakes, 1);
        QCOMPARE(child<QPushButton>(*m_window, "musicPlay")->text(), "Pause");
        QCOMPARE(runAudio(1.1), (std::vector<int>{60, 61, 62}));
        QTRY_COMPARE(child<QLabel>(*m_window, "musicTime")->text(), "0:01 / 0:03");
        child<QPushButton>(*m_window, "musicPlay")->click();
        QCOMPARE(runAudio(1.0), std::vector<int>{});
        child<QPushButton>(*m_window, "musicRewind")->click();
        child<QPushButton>(*m_window, "musicPlay")->click();
        QCOMPARE(runAudio(0.6), (std::vector<int>{60, 61}));
    }

    // A paused piece's output sleeps and takes the new place only when it plays again.
    void aPlaceDraggedToWhilePausedStaysShown() {
        QVERIFY(m_window->openPiece(writePiece("skala.mid", 8)));
        auto* position = child<QSlider>(*m_window, "musicPosition");
        position->setSliderDown(true);
        position->setSliderPosition(20);
        position->setSliderDown(false);
        QSignalSpy clock(m_window->findChild<QTimer*>("musicClock"), &QTimer::timeout);
        QVERIFY(clock.wait());
        QCOMPARE(position->value(), 20);
    }

    void theTempoStaysWithinFiftyAndOneHundredFiftyPercent() {
        QVERIFY(m_window->openPiece(writePiece("skala.mid", 8)));
        m_window->setTempoPercent(400);
        QCOMPARE(child<QSpinBox>(*m_window, "musicTempo")->value(), 150);
        m_window->playOrPause();
        QCOMPARE(runAudio(1.0), (std::vector<int>{60, 61, 62})); // 0, 1/3, 2/3 s
    }

    void aBadFileSaysWhyAndLeavesThePieceThatPlays() {
        QVERIFY(m_window->openPiece(writePiece("god.mid", 8)));
        m_window->playOrPause();
        runAudio(0.2);
        QFile bad(m_folder.filePath("dårlig.mid"));
        bad.open(QIODevice::WriteOnly);
        bad.write("MThd\0\0\0\6\0\2\0\1\1\340", 14);
        bad.close();
        SeenBox seen;
        closeNextBox(seen);
        QVERIFY(!m_window->openPiece(bad.fileName()));
        QVERIFY(seen.text.contains("»dårlig.mid« kan ikke åbnes"));
        QVERIFY(seen.text.contains("format 2"));
        QCOMPARE(child<QLabel>(*m_window, "musicPieceName")->text(), "god");
        QCOMPARE(runAudio(0.4), (std::vector<int>{61}));
    }

    void savingAsSoundWritesTheFileOrNothingWhenCancelled() {
        QVERIFY(m_window->openPiece(writePiece("lang.mid", 240)));
        QSignalSpy finished(m_window.get(), &MusicWindow::saveFinished);
        const QString target = m_folder.filePath("lang.wav");
        m_window->saveAsSound(target);
        auto* progress = m_window->findChild<QProgressDialog*>("musicSaveProgress");
        QVERIFY(progress != nullptr);
        progress->findChild<QPushButton*>()->click(); // "Annuller"
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().at(0).toBool(), false);
        QVERIFY(!QFile::exists(target));
        const QStringList leftOver = {"*lang.wav*"};
        QCOMPARE(QDir(m_folder.path()).entryList(leftOver, QDir::Files | QDir::Hidden).size(), 0);
        m_window->saveAsSound(target);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().at(0).toBool(), true);
        const double seconds = m_window->piece()->lengthSeconds + kRenderTailSeconds;
        QCOMPARE(QFile(target).size(), 44 + 2 * static_cast<qint64>(std::ceil(seconds * 48000)));
        QCOMPARE(QDir(m_folder.path()).entryList(leftOver, QDir::Files | QDir::Hidden).size(), 1);
    }

    // Not even through a link to it: the file is known by its identity, not by its name.
    void aPassageMarkedWithAAndBRepeatsUntilStopped() {
        auto* passage = new PassageRepeat(*m_window, m_player);
        QVERIFY(m_window->openPiece(writePiece("Kadence.mid", 12))); // a note each half second
        m_window->playOrPause();
        runAudio(1.0);
        child<QPushButton>(*m_window, "passageA")->click();
        runAudio(1.0);
        child<QPushButton>(*m_window, "passageB")->click();
        QCOMPARE(passage->a().value(), 1.0);
        QCOMPARE(passage->b().value(), 2.0);
        QVERIFY(child<QLabel>(*m_window, "passageShown")->text().startsWith("Gentager 0:01.0"));
        // The b at 2 s lies at B, outside the passage: the c# and d of 1 s and 1.5 s, round
        // after round.
        QCOMPARE(runAudio(3.0), (std::vector<int>{62, 63, 62, 63, 62, 63}));
        child<QPushButton>(*m_window, "passageOff")->click();
        QCOMPARE(runAudio(1.0), (std::vector<int>{64, 65}));
    }

    void shiftAndADragOnTheSliderMarksThePassage() {
        auto* passage = new PassageRepeat(*m_window, m_player);
        QVERIFY(m_window->openPiece(writePiece("Kadence.mid", 12)));
        auto* slider = child<QSlider>(*m_window, "musicPosition");
        slider->resize(600, slider->height());
        const int y = slider->height() / 2;
        // Right to left: the passage is the stretch between, whichever end came first.
        QTest::mousePress(slider, Qt::LeftButton, Qt::ShiftModifier, {450, y});
        QTest::mouseMove(slider, {300, y});
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::ShiftModifier, {150, y});
        QVERIFY(passage->a().value() > 0.8 && passage->a().value() < 1.8);
        QVERIFY(passage->b().value() > 3.8 && passage->b().value() < 4.8);
        QCOMPARE(slider->value(), 0); // the handle stayed where the piece is
    }

    void savingOntoThePieceItselfIsRefused() {
        const QString piece = writePiece("stykke.mid", 8);
        QFile::link("stykke.mid", m_folder.filePath("link.mid"));
        QVERIFY(m_window->openPiece(piece));
        QSignalSpy finished(m_window.get(), &MusicWindow::saveFinished);
        SeenBox seen;
        closeNextBox(seen);
        m_window->saveAsSound(m_folder.filePath("link.mid"));
        QTRY_COMPARE(finished.size(), 1);
        QVERIFY2(seen.text.contains("selve stykket"), qPrintable(seen.text));
    }
};

QTEST_MAIN(MusicWindowTest)
#include "music_window_test.moc"
