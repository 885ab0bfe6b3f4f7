// The choice of sound in the window's context menu: its Danish entries, the piece's own
// instruments offered only with a piece, a chosen instrument loaded and heard, and the volume
// slider moved by the keys.
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/output_volume.h"
#include "support/pitch.h"
#include "ui/instrument/sound_choice.h"
#include "ui/music/piece_saver.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QWidget>

using klangora::InstrumentSound;

class SoundChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void menuOffersTheSoundsTheFontAndTheVolume();
    void aPiecesOwnInstrumentsOnlyWithAPiece();
    void aChosenInstrumentIsToldLoadingUntilItIsHeard();
    void aPieceIsSavedInTheChosenSound_data();
    void aPieceIsSavedInTheChosenSound();
};

namespace {

struct Setup {
    QWidget window;
    klangora::FluidRenderer renderer{std::vector<std::filesystem::path>{KLANGORA_SINE_FONT}};
    klangora::OutputVolume volume;
    SoundChoice choice{window, renderer, volume};
    QMenu menu;
    Setup() { choice.addToMenu(menu); }
    QMenu* sounds() const { return menu.findChild<QMenu*>("soundMenu"); }
    QAction* action(const QString& text) const {
        for (QAction* action : sounds()->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
};

} // namespace

void SoundChoiceTest::menuOffersTheSoundsTheFontAndTheVolume() {
    Setup setup;
    QVERIFY(setup.sounds() != nullptr);
    QCOMPARE(setup.sounds()->title(), QString("&Klang"));
    QStringList checkable;
    for (QAction* action : setup.sounds()->actions()) {
        if (action->isCheckable()) {
            checkable << action->text();
        }
    }
    QCOMPARE(checkable, (QStringList{"Eget klangbillede", "Cembalo", "Kirkeorgel", "Klaver",
                                     "Stykkets egne instrumenter"}));
    QVERIFY(setup.action("Eget klangbillede")->isChecked());
    QVERIFY(setup.action("Vælg &lydfont …") != nullptr);
    QVERIFY(setup.sounds()->findChild<QSlider*>("volumeSlider") != nullptr);
}

void SoundChoiceTest::aPiecesOwnInstrumentsOnlyWithAPiece() {
    Setup setup;
    QAction* piece = setup.action("Stykkets egne instrumenter");
    QVERIFY(!piece->isEnabled());
    setup.choice.setPiecePrograms({6, 19});
    QVERIFY(piece->isEnabled());
    piece->trigger();
    QCOMPARE(setup.choice.chosen(), InstrumentSound::pieceOwn);
    setup.choice.setPiecePrograms({}); // the piece is closed
    QVERIFY(!piece->isEnabled());
    QCOMPARE(setup.choice.chosen(), InstrumentSound::own);
    QVERIFY(setup.action("Eget klangbillede")->isChecked());
}

// Chosen, an instrument is told as loading ("Indlæser kirkeorgel …") until the audio side
// has taken it over, and then it is heard.
void SoundChoiceTest::aChosenInstrumentIsToldLoadingUntilItIsHeard() {
    Setup setup;
    QSignalSpy notes(&setup.choice, &SoundChoice::loadingNoteChanged);
    setup.action("Kirkeorgel")->trigger();
    QVERIFY(setup.action("Kirkeorgel")->isChecked());
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes.last().at(0).toString(), QString("Indlæser kirkeorgel …"));
    QVERIFY(setup.renderer.waitUntilLoaded(std::chrono::seconds(20)));
    QCOMPARE(setup.renderer.sound(), InstrumentSound::organ);
    QVERIFY(setup.renderer.loading()); // loaded, but no audio thread has taken it over yet
    setup.renderer.post({klangora::FluidEvent::Kind::noteOn, 0, 60, 1.0f, 0});
    std::vector<float> block(4800, 0.0f);
    setup.renderer.renderAdd(block, 48000);
    setup.renderer.renderAdd(block, 48000);
    QVERIFY(*std::max_element(block.begin(), block.end()) > 0.05f);
    QTRY_COMPARE(notes.size(), 2);
    QCOMPARE(notes.last().at(0).toString(), QString());
}

void SoundChoiceTest::aPieceIsSavedInTheChosenSound_data() {
    QTest::addColumn<QString>("sound");
    QTest::addColumn<bool>("pureSine");
    QTest::newRow("own tone") << "Eget klangbillede" << false;
    QTest::newRow("harpsichord") << "Cembalo" << true;
    QTest::newRow("piano") << "Klaver" << true;
}

// The sine font's instruments sound no second partial; the own tone's is half its fundamental.
void SoundChoiceTest::aPieceIsSavedInTheChosenSound() {
    QFETCH(QString, sound);
    QFETCH(bool, pureSine);
    Setup setup;
    setup.action(sound)->trigger();
    auto piece = std::make_shared<klangora::Piece>();
    piece->events = {{0.0, klangora::PieceEvent::Kind::noteOn, 0, 69, 100},
                     {1.0, klangora::PieceEvent::Kind::noteOff, 0, 69, 0}};
    piece->lengthSeconds = 1.0;
    piece->noteCount = 1;
    const QTemporaryDir folder;
    const QString path = folder.filePath("a.wav");
    PieceSaver saver;
    QSignalSpy finished(&saver, &PieceSaver::finished);
    QVERIFY(saver.start(piece, klangora::Tuning::preset(klangora::PresetId::lige), path,
                        setup.choice.soundToRender()));
    QVERIFY(finished.wait(30000));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll().mid(44 + 2 * 4800, 2 * 38400); // 0.1 .. 0.9 s
    std::vector<double> samples;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + i) / 32768.0);
    }
    using klangora::test_support::magnitudeAt;
    QCOMPARE(magnitudeAt(samples, 48000, 880.0) < 0.01 * magnitudeAt(samples, 48000, 440.0),
             pureSine);
}

QTEST_MAIN(SoundChoiceTest)
#include "sound_choice_test.moc"
