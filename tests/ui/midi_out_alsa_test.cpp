// The sequencer port "Klangora MIDI ud" heard by a client of the test's own, subscribed as
// aconnect would: the tuning arrives by itself on the subscription, then the keys' notes on
// channel 1, a piece's on its own channels, the last state of a slider dragged and the panic on
// every channel. Skipped where the machine has no sequencer.
#include "core/mts/tuning_send_mode.h"
#include "sound/fluid/output_volume.h"
#include "sound/midi/midi_input.h"
#include "sound/midi/midi_output.h"
#include "sound/midi/piece_midi_queue.h"
#include "support/recording_player.h"
#include "support/window_test_support.h"
#include "ui/instrument/live_playing.h"
#include "ui/instrument/midi_out.h"
#include "ui/session/session.h"

#include <alsa/asoundlib.h>

#include <QtTest>

#include <unistd.h>

using namespace klangora;
using Bytes = std::vector<std::uint8_t>;

class MidiOutAlsaTest : public QObject, public NoteSink {
    Q_OBJECT

public:
    void noteOn(int, float) override {}
    void noteOff(int) override {}

private slots:
    void receiverHearsTuningAndNotes_data();
    void receiverHearsTuningAndNotes();

private:
    // The bytes of everything that arrived since the last call, appended to m_heard.
    const std::vector<Bytes>& heard();
    bool subscribe();

    snd_seq_t* m_seq = nullptr;
    snd_midi_event_t* m_decoder = nullptr;
    int m_port = -1;
    std::vector<Bytes> m_heard;
};

bool MidiOutAlsaTest::subscribe() {
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(m_seq, client) >= 0) {
        snd_seq_port_info_set_client(port, snd_seq_client_info_get_client(client));
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(m_seq, port) >= 0) {
            // This process's own: other programs under test may have theirs.
            if (std::string(snd_seq_port_info_get_name(port)) == "Klangora MIDI ud" &&
                snd_seq_client_info_get_pid(client) == getpid()) {
                return snd_seq_connect_from(m_seq, m_port, snd_seq_port_info_get_client(port),
                                            snd_seq_port_info_get_port(port)) == 0;
            }
        }
    }
    return false;
}

const std::vector<Bytes>& MidiOutAlsaTest::heard() {
    snd_seq_event_t* event = nullptr;
    while (snd_seq_event_input(m_seq, &event) >= 0 && event != nullptr) {
        Bytes bytes(1024);
        snd_midi_event_reset_decode(m_decoder);
        const long size = snd_midi_event_decode(m_decoder, bytes.data(), 1024, event);
        if (size > 0) {
            bytes.resize(static_cast<std::size_t>(size));
            m_heard.push_back(bytes);
        }
    }
    return m_heard;
}

void MidiOutAlsaTest::receiverHearsTuningAndNotes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<Bytes>("tuning"); // how the first message of the tuning begins
    QTest::newRow("MTS skala (2 byte)")
        << int(mts::SendMode::scale2Byte) << Bytes{0xF0, 0x7F, 0x7F, 0x08, 0x09, 0x03, 0x7F, 0x7F};
    QTest::newRow("MTS hver tangent") << int(mts::SendMode::everyKey) << Bytes{0xB0, 101, 0};
}

void MidiOutAlsaTest::receiverHearsTuningAndNotes() {
    QFETCH(int, mode);
    QFETCH(Bytes, tuning);
    if (access("/dev/snd/seq", R_OK | W_OK) != 0 ||
        snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
        QSKIP("no ALSA sequencer here");
    }
    snd_seq_set_client_pool_input(m_seq, 2000); // the whole key-based tuning at once
    snd_midi_event_new(1024, &m_decoder);
    snd_midi_event_no_status(m_decoder, 1); // every message with its status byte
    m_port = snd_seq_create_simple_port(m_seq, "receiver",
                                        SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                        SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    RecordingPlayer player;
    TForm1 form(player);
    QVERIFY(activate(form));
    MidiInput input(*this);
    OutputVolume volume;
    PieceMidiQueue piece; // the test stands in for the audio thread
    MidiOut out(form, {form.model(), form.live().instrument(), input, volume, &piece},
                static_cast<mts::SendMode>(mode));
    QVERIFY(input.alsaOpen());
    QVERIFY(subscribe());
    QTRY_VERIFY(!heard().empty() && m_heard[0].size() >= tuning.size() &&
                std::equal(tuning.begin(), tuning.end(), m_heard[0].begin()));

    QTest::keyPress(form.windowHandle(), Qt::Key_A);
    QTRY_VERIFY(heard().back().size() == 3 && heard().back()[0] == 0x90 && m_heard.back()[1] == 60);
    piece.push({0, PieceEvent::Kind::program, 2, 19, 0});
    piece.push({0, PieceEvent::Kind::noteOn, 2, 67, 90});
    QTRY_VERIFY(heard().back() == (Bytes{0x92, 67, 90}));
    QCOMPARE(m_heard[m_heard.size() - 2], (Bytes{0xC2, 19}));

    const int start = form.model().tuning().position(8);
    for (int step = 1; step <= 10; ++step) {
        form.session().moveTone(8, start - step);
    }
    Bytes last; // of the whole state as it stands after the drag
    forEachMidiMessage(mts::tuningState(static_cast<mts::SendMode>(mode), form.model().tuning()),
                       [&](auto message) { last.assign(message.begin(), message.end()); });
    QTRY_COMPARE(heard().back(), last);
    form.live().stopAllSound(); // what Esc does
    QTRY_COMPARE(heard().size() >= 32 ? heard().back() : Bytes{}, (Bytes{0xBF, 123, 0}));
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto pedal = Bytes{std::uint8_t(0xB0 | channel), 64, 0};
        QVERIFY(std::find(m_heard.begin(), m_heard.end(), pedal) != m_heard.end());
    }
    snd_midi_event_free(m_decoder);
    snd_seq_close(m_seq);
    m_heard.clear();
}

QTEST_MAIN(MidiOutAlsaTest)
#include "midi_out_alsa_test.moc"
