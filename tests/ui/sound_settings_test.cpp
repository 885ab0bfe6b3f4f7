// The choice of sound and the volume in the real window: the music window's list box and slider
// keep in step with the context menu's choice and are worked by the keys, a piece opened offers
// its own instruments, and what the user chose (only that) is remembered for the next start.
#include "core/music/midi_file_writer.h"
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/output_volume.h"
#include "sound/output/audio_output.h"
#include "support/window_test_support.h"
#include "ui/classroom/classroom.h"
#include "ui/classroom/interface_language.h"
#include "ui/instrument/sound_choice.h"
#include "ui/instrument/sound_system_news.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/session/session.h"
#include "ui/texts/number_format.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QStandardItemModel>
#include <QTemporaryDir>

using klangora::InstrumentSound;

namespace {

// The window as the program builds it, with the sine font as the only font on the machine.
struct Window {
    TestWindow window;
    TForm1& form = window.form;
    klangora::FluidRenderer renderer{std::vector<std::filesystem::path>{KLANGORA_SINE_FONT}};
    klangora::OutputVolume volume;
    SoundChoice choice{form, renderer, volume};
    explicit Window(std::optional<InstrumentSound> forThisRun = std::nullopt) {
        form.setSoundChoice(&choice, forThisRun);
    }
    ~Window() { renderer.waitUntilLoaded(std::chrono::seconds(20)); }
    QComboBox* box() { return child<QComboBox>(form.music().window(), "soundBox"); }
    QSlider* slider() { return child<QSlider>(form.music().window(), "volumeSlider"); }
    InstrumentSound shown() { return static_cast<InstrumentSound>(box()->currentData().toInt()); }
};

QAction* menuAction(SoundChoice& choice, const QString& text) {
    QMenu menu;
    choice.addToMenu(menu);
    for (QAction* action : menu.findChild<QMenu*>("soundMenu")->actions()) {
        if (action->text() == text) {
            return action; // the choice owns its actions; they outlive the menu
        }
    }
    return nullptr;
}

// An output whose reports the test sets: a JACK stream that is lost, and a PulseAudio one that
// holds a latency.
struct ReportingOutput : klangora::AudioOutput {
    void open() override {}
    int rate() const override { return 48000; }
    int periodFrames() const override { return 256; }
    std::int64_t latencyUs() const override { return 5333; }
    const char* systemName() const override { return moved ? "PulseAudio" : "JACK"; }
    int moves() const override { return moved ? 1 : 0; }
    int heldLatencyMs() const override { return held; }
    bool moved = false;
    int held = 0;
};

// Where Tab goes from a control.
QWidget* nextTabStop(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && (next->focusPolicy() & Qt::TabFocus) == 0) {
        next = next->nextInFocusChain();
    }
    return next;
}

} // namespace

class SoundSettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void initTestCase() {
        // Never the user's own settings, whatever the environment says.
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }
    void init() { QFile::remove(Settings().fileName()); }

    // --sound is chosen over the sound remembered, and the remembered one stays.
    void theProgramsOwnChoicesAreNotRemembered() {
        Settings().setSoundName("harpsichord");
        Window window(InstrumentSound::organ);
        QCOMPARE(window.choice.chosen(), InstrumentSound::organ);
        QCOMPARE(window.form.session().sound(), InstrumentSound::organ);
        window.choice.setVolumePercent(40);
        QCOMPARE(Settings().soundName(), std::optional<QString>("harpsichord"));
        QCOMPARE(Settings().volumePercent(), std::nullopt);
    }

    // The hint names the sound system and its latency; a move to PulseAudio is told in the
    // message panel; a latency held is remembered, one out of range is not read back.
    void theSoundSystemIsToldAndItsHeldLatencyRemembered() {
        Window window;
        ReportingOutput output;
        SoundSystemNews news(&window.form, output, window.form.session().messages());
        window.form.describeSoundSystem(news);
        const auto* hint = child<QLabel>(window.form, "plFlytMedPil");
        QTRY_VERIFY(hint->toolTip().contains("Lyd: JACK, 48000 Hz, 256 rammer pr. periode, " +
                                             formatTenths(5.333) + " ms forsinkelse."));
        output.moved = true;
        output.held = 12;
        QTRY_VERIFY(window.form.session().messages().shown() != nullptr &&
                    window.form.session().messages().shown()->lines ==
                        QStringList{SoundSystemNews::movedText()});
        QVERIFY(hint->toolTip().contains("Lyd: PulseAudio"));
        QCOMPARE(Settings().pulseLatencyMs(), 12);
        QCOMPARE(SoundSystemNews::rememberedPulseLatencyMs(), 12U);
        Settings().setPulseLatencyMs(480);
        QCOMPARE(Settings().pulseLatencyMs(), std::nullopt);
    }

    void theMusicWindowsChoiceFollowsTheMenuAndTheKeys() {
        Window window;
        QCOMPARE(window.shown(), InstrumentSound::own);
        menuAction(window.choice, "Kirkeorgel")->trigger();
        QCOMPARE(window.shown(), InstrumentSound::organ);
        QTest::keyClick(window.box(), Qt::Key_Down);
        QCOMPARE(window.choice.chosen(), InstrumentSound::piano);
        QVERIFY(menuAction(window.choice, "Klaver")->isChecked());
        // Without a piece its own instruments cannot be chosen: the arrow stops at the piano.
        QTest::keyClick(window.box(), Qt::Key_Down);
        QCOMPARE(window.choice.chosen(), InstrumentSound::piano);
        QCOMPARE(nextTabStop(window.box()), window.slider());
    }

    void aPieceOffersItsOwnInstruments() {
        Window window;
        klangora::MidiTrackWriter track;
        track.program(0, 0, 6);
        track.noteOn(0, 0, 60);
        track.noteOff(480, 0, 60);
        QTemporaryDir folder;
        QVERIFY(window.form.music().open(writePiece(folder.filePath("cembalo.mid"), track)));
        window.box()->setCurrentIndex(window.box()->findData(int(InstrumentSound::piano)));
        QTest::keyClick(window.box(), Qt::Key_Down);
        QCOMPARE(window.choice.chosen(), InstrumentSound::pieceOwn);
        QVERIFY(window.renderer.waitUntilLoaded(std::chrono::seconds(20)));
        QCOMPARE(window.renderer.sound(), InstrumentSound::pieceOwn);
    }

    // A lesson's piece plays in the sound the lesson names, for this run only.
    void aLessonsPieceSoundsInTheSoundItNames() {
        Window window;
        QTemporaryDir folder;
        klangora::MidiTrackWriter track;
        track.noteOn(0, 0, 60);
        track.noteOff(480, 0, 60);
        writePiece(folder.filePath("c.mid"), track);
        QFile lesson(folder.filePath("orgel.lektion"));
        QVERIFY(lesson.open(QIODevice::WriteOnly));
        lesson.write("klangora-lektion 1\ntitel: Orgel\n= stykke c.mid klang orgel\n");
        lesson.close();
        QVERIFY(window.form.openLesson(lesson.fileName()));
        QCOMPARE(window.choice.chosen(), InstrumentSound::organ);
        QCOMPARE(Settings().soundName(), std::nullopt);
    }

    void theUsersChoiceAndVolumeAreThereAtTheNextStart() {
        {
            Window window;
            QTest::keyClick(window.box(), Qt::Key_Down); // the harpsichord
            QTest::keyClick(window.slider(), Qt::Key_Left);
            QTest::keyClick(window.slider(), Qt::Key_Left);
            QCOMPARE(window.volume.target(), 0.9);
        }
        QCOMPARE(Settings().soundName(), std::optional<QString>("harpsichord"));
        QCOMPARE(Settings().volumePercent(), std::optional<int>(90));
        Window next;
        QCOMPARE(next.choice.chosen(), InstrumentSound::harpsichord);
        QCOMPARE(next.shown(), InstrumentSound::harpsichord);
        QCOMPARE(next.slider()->value(), 90);
        QCOMPARE(next.volume.target(), 0.9);
    }

    // The choices, the menu and the labels follow a switch of language and come back Danish.
    void theChoiceSpeaksTheInterfacesLanguage() {
        InterfaceLanguageScope language(InterfaceLanguage::danish);
        Window window;
        const auto texts = [&window] {
            QStringList shown;
            for (int i = 0; i < window.box()->count(); ++i) {
                shown << window.box()->itemText(i);
            }
            for (const QLabel* label : window.form.music().window().findChildren<QLabel*>()) {
                if (label->buddy() == window.box() || label->buddy() == window.slider()) {
                    shown << label->text();
                }
            }
            shown << window.slider()->accessibleName();
            return shown;
        };
        const QStringList danish = texts();
        QVERIFY(danish.contains("Cembalo"));
        window.form.classroom().setLanguage(InterfaceLanguage::english);
        const QStringList english = texts();
        for (const char* word : {"Own tone", "Harpsichord", "Church organ", "Piano",
                                 "&Sound:", "&Volume:", "Volume"}) {
            QVERIFY2(english.contains(word), qPrintable(english.join(", ")));
        }
        QVERIFY(menuAction(window.choice, "Church organ") != nullptr);
        window.form.classroom().setLanguage(InterfaceLanguage::danish);
        QCOMPARE(texts(), danish);
    }
};

QTEST_MAIN(SoundSettingsTest)
#include "sound_settings_test.moc"
