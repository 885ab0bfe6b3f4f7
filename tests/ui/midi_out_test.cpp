// The tuning and the keys on a real receiver: FluidSynth, a JACK client of its own on a private
// JACK server (skipped where jackd cannot run), connected to klangora:midi_out, plays what the
// window's keys play in the window's tuning, in every mode that sends one, and falls silent on
// Esc even for a note that only came through from the MIDI input, and an exercise's pure third
// pure. A sequencer client subscribed to "Klangora MIDI ud" hears the tuning and a piece's notes.
#include "core/mts/midi_tuning_messages.h"
#include "sound/fluid/output_volume.h"
#include "sound/instrument/live_instrument.h"
#include "sound/midi/midi_input.h"
#include "sound/midi/piece_midi_queue.h"
#include "support/child_process.h"
#include "support/pitch.h"
#include "support/private_pulse_server.h"
#include "support/recording_player.h"
#include "support/window_test_support.h"
#include "ui/exercises/exercise_voices.h"
#include "ui/instrument/live_playing.h"
#include "ui/instrument/midi_out.h"
#include "ui/session/session.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <jack/jack.h>

#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace klangora;
using namespace klangora::test_support;

class MidiOutTest : public QObject, public NoteSink {
    Q_OBJECT

public:
    void noteOn(int, float) override {}
    void noteOff(int) override {}

private slots:
    void initTestCase();
    void cleanupTestCase();
    void receiverPlaysTheWindowsTuning_data();
    void receiverPlaysTheWindowsTuning();
    void sequencerClientHearsTuningAndNotes();

private:
    bool connectToReceiver();
    // Half a second of the receiver's sound: whether its strongest pitches near c and near e
    // lie within a cent of these.
    bool plays(double cHz, double eHz);
    int voicesAfterHalfASecond() {
        plays(0, 0);
        return fluid_synth_get_active_voice_count(m_synth);
    }
    QString heard() const { return QString("heard %1 and %2 Hz").arg(m_heardC).arg(m_heardE); }

    std::optional<ScopedEnvironment> m_environment;
    ChildProcess m_server;
    jack_client_t* m_probe = nullptr;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    fluid_midi_driver_t* m_driver = nullptr;
    bool m_connected = false;
    double m_heardC = 0, m_heardE = 0;
};

void MidiOutTest::initTestCase() {
    const std::string name = "klangora-midi-out-test-" + std::to_string(getuid());
    m_environment.emplace("JACK_DEFAULT_SERVER", name);
    std::string error;
    if (!m_server.start(
            {"jackd", "-n", name, "-r", "-t", "5000", "-d", "dummy", "-r", "48000", "-p", "1024"},
            {{"JACK_DEFAULT_SERVER", name},
             {"JACK_NO_AUDIO_RESERVATION", "1"},
             {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}},
            std::filesystem::temp_directory_path() / (name + ".log"), error) ||
        !QTest::qWaitFor([this] {
            jack_status_t status{};
            m_probe = jack_client_open("probe", JackNoStartServer, &status);
            return m_probe != nullptr;
        })) {
        return; // the receiver's test skips itself
    }
    m_settings = new_fluid_settings();
    fluid_settings_setstr(m_settings, "midi.driver", "jack");
    fluid_settings_setstr(m_settings, "midi.jack.id", "receiver");
    fluid_settings_setnum(m_settings, "synth.sample-rate", 48000);
    m_synth = new_fluid_synth(m_settings);
    QVERIFY(fluid_synth_sfload(m_synth, KLANGORA_SINE_PIANO_FONT, 1) != FLUID_FAILED);
    m_driver = new_fluid_midi_driver(m_settings, &fluid_synth_handle_midi_event, m_synth);
    QVERIFY(m_driver != nullptr);
}

void MidiOutTest::cleanupTestCase() {
    delete_fluid_midi_driver(m_driver); // each takes a null pointer too
    delete_fluid_synth(m_synth);
    delete_fluid_settings(m_settings);
    if (m_probe != nullptr) {
        jack_client_close(m_probe);
    }
    m_server.end(SIGTERM, std::chrono::milliseconds(3000));
}

bool MidiOutTest::connectToReceiver() { // once per row: QTRY_VERIFY asks again after success
    const char** ports =
        jack_get_ports(m_probe, "^receiver:", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput);
    if (!m_connected && ports != nullptr) {
        m_connected = jack_connect(m_probe, "klangora:midi_out", ports[0]) == 0;
    }
    jack_free(static_cast<void*>(ports));
    return m_connected;
}

bool MidiOutTest::plays(double cHz, double eHz) {
    constexpr int kRate = 48000;
    std::vector<float> left(kRate / 2), right(kRate / 2);
    fluid_synth_write_float(m_synth, kRate / 2, left.data(), 0, 1, right.data(), 0, 1);
    const std::vector<double> samples(left.begin(), left.end());
    m_heardC = strongestHz(samples, kRate, 255, 268, 0.25);
    m_heardE = strongestHz(samples, kRate, 322, 338, 0.25);
    return std::fabs(1200 * std::log2(m_heardC / cHz)) < 1 &&
           std::fabs(1200 * std::log2(m_heardE / eHz)) < 1;
}

void MidiOutTest::receiverPlaysTheWindowsTuning_data() {
    // The keys' tuning first: the receiver plays it only if the tuning program was selected on
    // the channel (the scale messages select it themselves).
    QTest::addColumn<int>("mode");
    QTest::newRow("MTS hver tangent") << static_cast<int>(mts::SendMode::everyKey);
    QTest::newRow("MTS skala (2 byte)") << static_cast<int>(mts::SendMode::scale2Byte);
    QTest::newRow("MTS skala (1 byte)") << static_cast<int>(mts::SendMode::scale1Byte);
}

void MidiOutTest::receiverPlaysTheWindowsTuning() {
    if (m_driver == nullptr) {
        QSKIP("a JACK server cannot run here");
    }
    QFETCH(int, mode);
    RecordingPlayer player;
    TForm1 form(player);
    QVERIFY(activate(form));
    form.pytClick();
    MidiInput input(*this);
    OutputVolume volume;
    MidiOut out(form, {form.model(), form.live().instrument(), input, volume},
                static_cast<mts::SendMode>(mode));
    QTRY_VERIFY_WITH_TIMEOUT(input.jackOpen(), 5000);
    m_connected = false;
    QTRY_VERIFY_WITH_TIMEOUT(connectToReceiver(), 5000);

    // Keys A and D: the fixed c and the Pythagorean e, four fifths above it; then "Ren" makes
    // the e still held pure.
    QTest::keyPress(form.windowHandle(), Qt::Key_A);
    QTest::keyPress(form.windowHandle(), Qt::Key_D);
    QTRY_VERIFY2_WITH_TIMEOUT(plays(261.6, 331.12), qPrintable(heard()), 5000);
    form.renClick();
    QTRY_VERIFY2_WITH_TIMEOUT(plays(261.6, 327.00), qPrintable(heard()), 5000);

    // A note from the MIDI input on channel 3 goes through; the panic silences it too.
    const std::uint8_t noteOn[] = {0x92, 64, 100};
    input.receive(MidiInput::kAlsaSource, noteOn, sizeof noteOn);
    input.drain();
    QTest::keyRelease(form.windowHandle(), Qt::Key_A);
    QTest::keyRelease(form.windowHandle(), Qt::Key_D);
    QTRY_COMPARE_WITH_TIMEOUT(voicesAfterHalfASecond(), 1, 5000);
    form.live().stopAllSound(); // what Esc does

    QTRY_COMPARE_WITH_TIMEOUT(voicesAfterHalfASecond(), 0, 5000);

    // An exercise's pure e, off the Pythagorean tuning, retunes its key.
    form.pytClick();
    form.session().exerciseVoices().on(1, 261.6, 1.0f);
    form.session().exerciseVoices().on(2, 327.0, 1.0f);
    QTRY_VERIFY2_WITH_TIMEOUT(plays(261.6, 327.0), qPrintable(heard()), 5000);
}

void MidiOutTest::sequencerClientHearsTuningAndNotes() {
    snd_seq_t* seq = nullptr;
    if (access("/dev/snd/seq", R_OK | W_OK) != 0 ||
        snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
        QSKIP("no ALSA sequencer here");
    }
    const int port = snd_seq_create_simple_port(
        seq, "receiver", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    using Bytes = std::vector<std::uint8_t>;
    Bytes last; // the last tuning or note received
    const auto receive = [&] {
        for (snd_seq_event_t* e = nullptr; snd_seq_event_input(seq, &e) >= 0 && e;) {
            const auto* sysex = static_cast<const std::uint8_t*>(e->data.ext.ptr);
            const auto& note = e->data.note;
            last = e->type == SND_SEQ_EVENT_SYSEX
                       ? Bytes(sysex, sysex + e->data.ext.len)
                       : Bytes{std::uint8_t(0x90 | note.channel), note.note, note.velocity};
        }
        return last;
    };
    RecordingPlayer player;
    TForm1 form(player);
    QVERIFY(activate(form));
    MidiInput input(*this);
    OutputVolume volume;
    PieceMidiQueue piece; // pushed by the test as by the audio thread
    MidiOut out(form, {form.model(), form.live().instrument(), input, volume, &piece},
                mts::SendMode::scale2Byte);
    const auto [client, outPort] = input.alsa().outAddress();
    QVERIFY(snd_seq_connect_from(seq, port, client, outPort) == 0);
    QTRY_COMPARE(receive(), mts::scaleOctaveTuning2Byte(form.model().tuning()));
    piece.push({0, PieceEvent::Kind::noteOn, 2, 67, 90});
    QTRY_COMPARE(receive(), (Bytes{0x92, 67, 90}));
    snd_seq_close(seq);
}

QTEST_MAIN(MidiOutTest)
#include "midi_out_test.moc"
