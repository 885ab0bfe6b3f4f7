#include "support/recording_player.h"

#include "core/presets.h"
#include "sound/instrument/live_instrument.h"
#include "sound/reference_synthesis.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/session/session.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>

// The sound buttons' sequences, driven on a session with no window: what each step plays and
// what the message panel is told.
using Chord = std::vector<double>;
Q_DECLARE_METATYPE(std::vector<Chord>)

namespace {

std::vector<std::uint8_t> expectedImage(const Chord& hz, int durationMs) {
    return klangora::referenceChordImage(hz, durationMs, 20, 11025);
}

// A session as the program starts one: Pythagorean, the key C.
struct Started {
    RecordingPlayer player;
    klangora::LiveInstrument instrument;
    Session session{player, instrument};

    explicit Started(int key = 1) {
        session.choosePreset(klangora::PresetId::pyt);
        session.setKey(key);
    }
    const SoundSequence& sequence() const { return session.sequence(); }
    const klangora::ToneTable& tones() const { return session.model().tones(); }
    void tick() { session.sequence().Timer3Timer(); }
    QTimer* timer3() const { return session.findChild<QTimer*>("Timer3"); }
    // The message panel's text; empty while it is hidden.
    QString told() {
        const MessageBoard::Message* shown = session.messages().shown();
        return shown != nullptr ? shown->lines.join('\n') : QString();
    }
    QColor colour() { return session.messages().shown()->colour; }
};

// The Pythagorean chorales with C = 261 Hz, in C and in H, voices from the top down.
const std::vector<Chord> kChoraleInC = {
    {330, 261, 196, 65.25}, {330, 248, 196, 82.5}, {294, 220, 174, 87},   {261, 220, 165, 110},
    {261, 220, 174, 87},    {248, 196, 147, 98},   {261, 196, 165, 65.25}};
const std::vector<Chord> kJazzInC = {
    {330, 261, 196, 65.25}, {330, 248, 209, 82.5}, {330, 261, 220, 110},  {294, 220, 186, 147},
    {261, 220, 174, 73.5},  {248, 196, 147, 98},   {261, 196, 165, 65.25}};
// In H the bass of the first and last chord is the h below the table's lowest (62 Hz).
const std::vector<Chord> kChoraleInH = {
    {309, 248, 186, 62},   {309, 232, 186, 77.25}, {279, 209, 165, 82.5}, {248, 209, 154.5, 104.5},
    {248, 209, 165, 82.5}, {232, 186, 139.5, 93},  {248, 186, 154.5, 62}};
const std::array<int, 7> kDurations = {1000, 1000, 1000, 1000, 1000, 1100, 2000};

} // namespace

class SequencerTest : public QObject {
    Q_OBJECT

private slots:
    void comparisonStepByStep();
    void comparisonInH();
    void lastKeyButtonSoundsLikeTheFirst();
    void keyChangeDuringTheComparison();
    void temperamentChangeDuringTheComparison();
    void choraleStartedDuringTheComparison();
    void chorale_data();
    void chorale();
    void ticksBeforeAnyStartPlaySilence();
    void theTriadNeedsAKey();
    void stoppingAllSoundEndsTheChorale();
};

void SequencerTest::comparisonStepByStep() {
    Started form;
    RecordingPlayer& player = form.player;
    form.session.playChords(Session::ChordSequence::triad);
    QCOMPARE(form.sequence().sequenceStep(), 1);
    QVERIFY(form.timer3()->isActive());
    QCOMPARE(form.told(), QString("Du hører en C-durtreklang, med REN terts og REN kvint"));
    QCOMPARE(form.colour(), QColor(Qt::black));
    QCOMPARE(form.tones().freqTable[25], 261.0);
    QCOMPARE(form.sequence().savedFreqTable(), form.tones().freqTable);

    form.tick(); // the pure triad
    QCOMPARE(player.images.size(), std::size_t(1));
    QCOMPARE(player.images[0], expectedImage({261, 326.25, 391.5}, 2000));
    form.tick();
    QCOMPARE(form.told(), QString("Du hører nu en C-durtreklang stemt i Pythagoræisk stemning"));
    QCOMPARE(form.colour(), QColor(Qt::red));
    form.tick(); // a pause
    QCOMPARE(player.images.size(), std::size_t(1));
    form.tick(); // the tempered triad
    QCOMPARE(player.images.size(), std::size_t(2));
    QCOMPARE(player.images[1], expectedImage({261, 330, 392}, 2000));
    form.tick();
    QVERIFY(form.told().isEmpty());
    QVERIFY(!form.timer3()->isActive());
    QCOMPARE(form.sequence().sequenceStep(), 6);
    QCOMPARE(form.tones().freqTable, form.sequence().savedFreqTable());
}

void SequencerTest::comparisonInH() {
    Started form;
    RecordingPlayer& player = form.player;
    form.session.setKey(12);
    form.session.playChords(Session::ChordSequence::triad);
    QCOMPARE(form.told(), QString("Du hører en H-durtreklang, med REN terts og REN kvint"));
    for (int step = 1; step <= 5; ++step) {
        form.tick();
    }
    // The h below the fixed c: 248 Hz, with its third and fifth.
    QCOMPARE(player.images.size(), std::size_t(2));
    QCOMPARE(player.images[0], expectedImage({248, 310, 372}, 2000));
    QCOMPARE(player.images[1], expectedImage({248, 309, 372}, 2000));
}

void SequencerTest::lastKeyButtonSoundsLikeTheFirst() {
    Started inC;
    inC.session.playChords(Session::ChordSequence::triad);
    inC.tick();

    Started inUpperC(13);
    inUpperC.session.playChords(Session::ChordSequence::triad);
    inUpperC.tick();
    QCOMPARE(inUpperC.player.images, inC.player.images);
    QCOMPARE(inUpperC.told(), QString("Du hører en C-durtreklang, med REN terts og REN kvint"));
}

void SequencerTest::keyChangeDuringTheComparison() {
    Started form;
    RecordingPlayer& player = form.player;
    form.session.playChords(Session::ChordSequence::triad);
    form.tick(); // pure C triad
    form.session.setKey(5);
    form.tick();
    QCOMPARE(form.told(), QString("Du hører nu en E-durtreklang stemt i Pythagoræisk stemning"));
    form.tick();
    form.tick();
    // E's third and fifth come back from the table taken at the start (G# 418, H 496), but
    // its root still holds the pure third written for C.
    QCOMPARE(player.images[1], expectedImage({326.25, 418, 496}, 2000));
    // The pure third and fifth written for C stay in the sequence's table until the next start.
    QCOMPARE(form.sequence().playedTones().freqTable[29], 326.25);
    QCOMPARE(form.sequence().playedTones().freqTable[32], 391.5);
    QCOMPARE(form.tones().freqTable[29], 330.0);
}

void SequencerTest::temperamentChangeDuringTheComparison() {
    Started form;
    RecordingPlayer& player = form.player;
    form.session.playChords(Session::ChordSequence::triad);
    form.tick();
    form.session.choosePreset(klangora::PresetId::lige);
    form.tick();
    QCOMPARE(form.told(), QString("Du hører nu en C-durtreklang stemt i Ligesvævende stemning"));
    form.tick();
    form.tick();
    // Still the Pythagorean triad taken at the start.
    QCOMPARE(player.images[1], expectedImage({261, 330, 392}, 2000));
}

void SequencerTest::choraleStartedDuringTheComparison() {
    Started form;
    RecordingPlayer& player = form.player;
    form.session.playChords(Session::ChordSequence::triad);
    form.tick();
    form.session.playChords(Session::ChordSequence::chorale);
    QCOMPARE(form.told(), QString("Koral: En 4-stemmig sats i C-dur uden kromatik"));
    QCOMPARE(form.colour(), QColor(Qt::red));
    QCOMPARE(form.sequence().sequenceStep(), 11);
    // The start refreshed the table, which removes the pure third and fifth.
    QCOMPARE(form.sequence().playedTones().freqTable[29], 330.0);
    form.tick();
    QCOMPARE(player.images.size(), std::size_t(1 + 7));
    form.tick();
    QCOMPARE(form.sequence().sequenceStep(), 13);
    QVERIFY(form.told().isEmpty());
}

void SequencerTest::chorale_data() {
    QTest::addColumn<bool>("jazz");
    QTest::addColumn<int>("key");
    QTest::addColumn<std::vector<Chord>>("chords");
    QTest::newRow("chorale in C") << false << 1 << kChoraleInC;
    QTest::newRow("jazz chorale in C") << true << 1 << kJazzInC;
    QTest::newRow("chorale in H") << false << 12 << kChoraleInH;
}

void SequencerTest::chorale() {
    QFETCH(bool, jazz);
    QFETCH(int, key);
    QFETCH(std::vector<Chord>, chords);
    Started form;
    RecordingPlayer& player = form.player;
    form.session.setKey(key);
    form.session.playChords(jazz ? Session::ChordSequence::jazzChorale
                                 : Session::ChordSequence::chorale);
    QCOMPARE(form.sequence().sequenceStep(), jazz ? 21 : 11);
    QVERIFY(player.images.empty());
    form.tick();
    QCOMPARE(player.images.size(), chords.size());
    for (std::size_t n = 0; n < chords.size(); ++n) {
        QCOMPARE(player.images[n].size(), std::size_t(46 + kDurations[n] * 11025 / 1000));
        QVERIFY2(player.images[n] == expectedImage(chords[n], kDurations[n]),
                 qPrintable(QString("chord %1").arg(n + 1)));
    }
    form.tick();
    QCOMPARE(form.sequence().sequenceStep(), jazz ? 23 : 13);
    QVERIFY(!form.timer3()->isActive());
}

// Timer3 ticked before any sound button: the sequence's table holds no frequencies yet, so its
// first chord is two seconds of silence (8-bit samples at their midpoint), at the chords' rate.
void SequencerTest::ticksBeforeAnyStartPlaySilence() {
    Started form;
    RecordingPlayer& player = form.player;
    for (int tick = 0; tick < 3 && player.images.empty(); ++tick) {
        form.tick();
    }
    QCOMPARE(player.images.size(), std::size_t(1));
    const std::vector<std::uint8_t>& image = player.images[0];
    QCOMPARE(image, expectedImage({0, 0, 0}, 2000));
    constexpr std::size_t kHeaderBytes = 46; // RIFF, an 18-byte format record, data
    QCOMPARE(image.size() - kHeaderBytes, std::size_t(22050));
    QVERIFY(std::all_of(image.begin() + kHeaderBytes, image.end(),
                        [](std::uint8_t sample) { return sample == 127; }));
}

// No key marked: the triad is refused with a reason for a message box, and nothing starts.
void SequencerTest::theTriadNeedsAKey() {
    Started form(0);
    QSignalSpy refused(&form.session, &Session::refused);
    form.session.playChords(Session::ChordSequence::triad);
    QCOMPARE(refused.size(), 1);
    QVERIFY(!form.timer3()->isActive());
    QVERIFY(form.told().isEmpty());
}

// Esc while the second chord of a chorale sounds: the chord is cut short and the sequence ends
// as its end step ends it.
void SequencerTest::stoppingAllSoundEndsTheChorale() {
    struct StoppedDuringSecondChord : SoundPlayer {
        void play(const std::vector<std::uint8_t>&) override {
            if (++chords == 2) {
                session->stopAllSound();
            }
        }
        void cutShort() override { cut = true; }
        Session* session = nullptr;
        int chords = 0;
        bool cut = false;
    } player;
    klangora::LiveInstrument instrument;
    Session session(player, instrument);
    player.session = &session;
    session.setKey(1);
    session.playChords(Session::ChordSequence::chorale);
    session.sequence().Timer3Timer(); // the chorale
    QVERIFY(player.cut);
    QVERIFY(session.messages().shown() == nullptr);
    QVERIFY(!session.findChild<QTimer*>("Timer3")->isActive());
}

QTEST_MAIN(SequencerTest)
#include "sequencer_test.moc"
