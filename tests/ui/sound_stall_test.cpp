// The window playing through the program's sound engine on a private PulseAudio server of the
// test's own, when that server freezes and when the window is closed in the middle of a
// chorale: no sequence waits on a server that does not answer, and closing never waits for the
// sound.
#include "support/private_pulse_server.h"
#include "support/window_system_input.h"
#include "support/window_test_support.h"

#include "sound/instrument/chord_voice_player.h"
#include "sound/instrument/live_instrument.h"
#include "sound/output/pulse_audio_output.h"
#include "ui/sequence/responsive_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <optional>

using namespace std::chrono_literals;
using namespace klangora::test_support;

namespace {

using Image = std::vector<std::uint8_t>;

// The triad comparison as it runs with sound: five pauses of Timer3's 500 ms and two triads of
// 2 s. A frozen server may add no more than the player's margin of one second for the chord
// it gives up on.
constexpr qint64 kTriadSequenceMs = 5 * 500 + 2 * 2000;
constexpr qint64 kChordMarginMs = 1000;
// What a loaded machine may add to either bound.
constexpr qint64 kSlackMs = 500;

// The sound engine as the program builds it, the chords among its voices.
struct Engine {
    klangora::LiveInstrument instrument{klangora::makePulseAudioOutput};
    klangora::ChordVoicePlayer chords{instrument.synth().chordVoice(), instrument.output()};
};

} // namespace

class SoundStallTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frozenServerHoldsNeitherTheTriadsNorTheWindow();
    void closingDuringAChoraleEndsAtOnce();

private:
    std::optional<PrivatePulseServer> m_server;
    std::optional<ScopedEnvironment> m_address;
    std::optional<ScopedEnvironment> m_home;
    std::optional<ScopedEnvironment> m_runtime;
};

void SoundStallTest::init() {
    m_server.emplace();
    if (!m_server->start()) {
        QSKIP(qPrintable("PulseAudio cannot run here: " +
                         QString::fromStdString(m_server->failure())));
    }
    m_address.emplace("PULSE_SERVER", m_server->address());
    m_home.emplace("HOME", (m_server->directory() / "home").string());
    m_runtime.emplace("XDG_RUNTIME_DIR", (m_server->directory() / "runtime").string());
}

void SoundStallTest::cleanup() {
    m_runtime.reset();
    m_home.reset();
    m_address.reset();
    m_server.reset(); // ends the daemon by its process id
}

void SoundStallTest::frozenServerHoldsNeitherTheTriadsNorTheWindow() {
    Engine engine;
    klangora::ChordVoicePlayer& pulse = engine.chords;
    ResponsivePlayer player(pulse);
    TestWindow window(player);
    TForm1& form = window.form;
    QVERIFY(activate(form));
    const Image shortChord = sequenceImages(&TForm1::BitBtn2Click, 1).at(0);
    pulse.play(shortChord); // one sound has played: the stream is open

    QElapsedTimer sequence;
    {
        const FrozenServer frozen(*m_server);
        sequence.start();
        form.BitBtn1Click();
        QTRY_VERIFY_WITH_TIMEOUT(form.sequence().sequenceStep() == 6, 20000);
    }
    qInfo("triad comparison on a frozen server: %lld ms", sequence.elapsed());
    QVERIFY(sequence.elapsed() < kTriadSequenceMs + kChordMarginMs + kSlackMs);

    // Once more, with the stream open when the server freezes, and the window closed while the
    // first triad waits on it.
    pulse.beginSequence();
    pulse.play(shortChord);
    const FrozenServer frozen(*m_server);
    QElapsedTimer sinceClose;
    bool closedDuringSound = false;
    QTimer::singleShot(0, &form, [&] { form.BitBtn1Click(); });
    QTimer::singleShot(1000, &form, [&] {
        closedDuringSound =
            form.sequence().sequenceStep() == 1; // step 1, the pure triad, has not returned
        sinceClose.start();
        closeAsTheWindowManagerDoes(form);
    });
    QCOMPARE(runApplication(15s), 0);
    qInfo("window closed %lld ms after the request", sinceClose.elapsed());
    QVERIFY(closedDuringSound);
    QVERIFY(sinceClose.elapsed() < 1000);
    QVERIFY(!form.isVisible());
}

void SoundStallTest::closingDuringAChoraleEndsAtOnce() {
    std::optional<Engine> engine(std::in_place);
    ResponsivePlayer player(engine->chords);
    TestWindow window(player);
    TForm1& form = window.form;
    QVERIFY(activate(form));
    QElapsedTimer sinceClose;
    QTimer::singleShot(0, &form, [&] {
        form.BitBtn2Click();
        form.Timer3Timer(); // the seven chords
    });
    // Half a second into the second chord.
    QTimer::singleShot(1500, &form, [&] {
        sinceClose.start();
        closeAsTheWindowManagerDoes(form);
    });
    QCOMPARE(runApplication(15s), 0);
    qInfo("window closed %lld ms after the request", sinceClose.elapsed());
    QVERIFY(sinceClose.elapsed() < 1000);
    QVERIFY(!form.isVisible());
    // The second chord was cut off, and nothing of the program stays on the server.
    const klangora::ChordVoice& voice = engine->instrument.synth().chordVoice();
    QTRY_VERIFY_WITH_TIMEOUT(voice.finished(), 100);
    QVERIFY(!voice.playedToEnd());
    engine.reset();
    QTRY_COMPARE(m_server->sinkInputs(), std::optional<std::string>(""));
}

QTEST_MAIN(SoundStallTest)
#include "sound_stall_test.moc"
