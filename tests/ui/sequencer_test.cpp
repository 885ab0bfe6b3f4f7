#include "support/window_test_support.h"

#include "sound/reference_synthesis.h"
#include "ui/instrument/live_playing.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <array>

using Chord = std::vector<double>;
Q_DECLARE_METATYPE(std::vector<Chord>)

namespace {

std::vector<std::uint8_t> expectedImage(const Chord& hz, int durationMs) {
    return klangora::referenceChordImage(hz, durationMs, 20, 11025);
}

QLabel* duHoer(const TForm1& form) {
    return child<QLabel>(form, "DuHoer");
}

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

// Stops all sound, as Esc does, while the second chord of a chorale sounds.
struct StoppedDuringSecondChord : SoundPlayer {
    void play(const std::vector<std::uint8_t>&) override {
        if (++chords == 2) {
            form->live().stopAllSound();
        }
    }
    void cutShort() override { cut = true; }
    TForm1* form = nullptr;
    int chords = 0;
    bool cut = false;
};

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
    void jazzChoraleMessage();
    void timerDrivesTheComparisonToItsEnd();
    void ticksBeforeAnyStartPlaySilence();
    void stoppingAllSoundEndsTheChorale();
};

void SequencerTest::stoppingAllSoundEndsTheChorale() {
    StoppedDuringSecondChord player;
    TForm1 form(player);
    player.form = &form;
    form.BitBtn2Click();
    form.Timer3Timer(); // the chorale
    QVERIFY(player.cut);
    QVERIFY(!duHoer(form)->isVisibleTo(&form));
    QVERIFY(!child<QTimer>(form, "Timer3")->isActive());
}

void SequencerTest::comparisonStepByStep() {
    RecordingPlayer player;
    TForm1 form(player);
    form.BitBtn1Click();
    QCOMPARE(form.sequence().sequenceStep(), 1);
    QVERIFY(child<QTimer>(form, "Timer3")->isActive());
    QVERIFY(duHoer(form)->isVisibleTo(&form));
    QCOMPARE(duHoer(form)->text(),
             QString("Du hører en C-durtreklang, med REN terts og REN kvint"));
    QCOMPARE(textColour(duHoer(form)), QColor(Qt::black));
    QCOMPARE(form.model().tones().freqTable[25], 261.0);
    QCOMPARE(form.sequence().savedFreqTable(), form.model().tones().freqTable);

    form.Timer3Timer(); // the pure triad
    QCOMPARE(player.images.size(), std::size_t(1));
    QCOMPARE(player.images[0], expectedImage({261, 326.25, 391.5}, 2000));
    form.Timer3Timer();
    QCOMPARE(duHoer(form)->text(),
             QString("Du hører nu en C-durtreklang stemt i Pythagoræisk stemning"));
    QCOMPARE(textColour(duHoer(form)), QColor(Qt::red));
    form.Timer3Timer(); // a pause
    QCOMPARE(player.images.size(), std::size_t(1));
    form.Timer3Timer(); // the tempered triad
    QCOMPARE(player.images.size(), std::size_t(2));
    QCOMPARE(player.images[1], expectedImage({261, 330, 392}, 2000));
    form.Timer3Timer();
    QVERIFY(!duHoer(form)->isVisibleTo(&form));
    QVERIFY(!child<QTimer>(form, "Timer3")->isActive());
    QCOMPARE(form.sequence().sequenceStep(), 6);
    QCOMPARE(form.model().tones().freqTable, form.sequence().savedFreqTable());
}

void SequencerTest::comparisonInH() {
    RecordingPlayer player;
    TForm1 form(player);
    clickKey(form, 12);
    form.BitBtn1Click();
    QCOMPARE(duHoer(form)->text(),
             QString("Du hører en H-durtreklang, med REN terts og REN kvint"));
    for (int step = 1; step <= 5; ++step) {
        form.Timer3Timer();
    }
    // The h below the fixed c: 248 Hz, with its third and fifth.
    QCOMPARE(player.images.size(), std::size_t(2));
    QCOMPARE(player.images[0], expectedImage({248, 310, 372}, 2000));
    QCOMPARE(player.images[1], expectedImage({248, 309, 372}, 2000));
}

void SequencerTest::lastKeyButtonSoundsLikeTheFirst() {
    RecordingPlayer first;
    TForm1 inC(first);
    inC.BitBtn1Click();
    inC.Timer3Timer();

    RecordingPlayer last;
    TForm1 inUpperC(last);
    clickKey(inUpperC, 13);
    inUpperC.BitBtn1Click();
    inUpperC.Timer3Timer();
    QCOMPARE(last.images, first.images);
    QCOMPARE(duHoer(inUpperC)->text(),
             QString("Du hører en C-durtreklang, med REN terts og REN kvint"));
}

void SequencerTest::keyChangeDuringTheComparison() {
    RecordingPlayer player;
    TForm1 form(player);
    form.BitBtn1Click();
    form.Timer3Timer(); // pure C triad
    clickKey(form, 5);
    form.Timer3Timer();
    QCOMPARE(duHoer(form)->text(),
             QString("Du hører nu en E-durtreklang stemt i Pythagoræisk stemning"));
    form.Timer3Timer();
    form.Timer3Timer();
    // E's third and fifth come back from the table taken at the start (G# 418, H 496), but
    // its root still holds the pure third written for C.
    QCOMPARE(player.images[1], expectedImage({326.25, 418, 496}, 2000));
    // The pure third and fifth written for C stay in the sequence's table until the next start.
    QCOMPARE(form.sequence().playedTones().freqTable[29], 326.25);
    QCOMPARE(form.sequence().playedTones().freqTable[32], 391.5);
    QCOMPARE(form.model().tones().freqTable[29], 330.0);
}

void SequencerTest::temperamentChangeDuringTheComparison() {
    RecordingPlayer player;
    TForm1 form(player);
    form.BitBtn1Click();
    form.Timer3Timer();
    child<QPushButton>(form, "lige")->click();
    form.Timer3Timer();
    QCOMPARE(duHoer(form)->text(),
             QString("Du hører nu en C-durtreklang stemt i Ligesvævende stemning"));
    form.Timer3Timer();
    form.Timer3Timer();
    // Still the Pythagorean triad taken at the start.
    QCOMPARE(player.images[1], expectedImage({261, 330, 392}, 2000));
}

void SequencerTest::choraleStartedDuringTheComparison() {
    RecordingPlayer player;
    TForm1 form(player);
    form.BitBtn1Click();
    form.Timer3Timer();
    form.BitBtn2Click();
    QCOMPARE(duHoer(form)->text(), QString("Koral: En 4-stemmig sats i C-dur uden kromatik"));
    QCOMPARE(textColour(duHoer(form)), QColor(Qt::red));
    QCOMPARE(form.sequence().sequenceStep(), 11);
    // The start refreshed the table, which removes the pure third and fifth.
    QCOMPARE(form.sequence().playedTones().freqTable[29], 330.0);
    form.Timer3Timer();
    QCOMPARE(player.images.size(), std::size_t(1 + 7));
    form.Timer3Timer();
    QCOMPARE(form.sequence().sequenceStep(), 13);
    QVERIFY(!duHoer(form)->isVisibleTo(&form));
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
    RecordingPlayer player;
    TForm1 form(player);
    clickKey(form, key);
    jazz ? form.BitBtn3Click() : form.BitBtn2Click();
    QCOMPARE(form.sequence().sequenceStep(), jazz ? 21 : 11);
    QVERIFY(player.images.empty());
    form.Timer3Timer();
    QCOMPARE(player.images.size(), chords.size());
    for (std::size_t n = 0; n < chords.size(); ++n) {
        QCOMPARE(player.images[n].size(), std::size_t(46 + kDurations[n] * 11025 / 1000));
        QVERIFY2(player.images[n] == expectedImage(chords[n], kDurations[n]),
                 qPrintable(QString("chord %1").arg(n + 1)));
    }
    form.Timer3Timer();
    QCOMPARE(form.sequence().sequenceStep(), jazz ? 23 : 13);
    QVERIFY(!child<QTimer>(form, "Timer3")->isActive());
}

void SequencerTest::jazzChoraleMessage() {
    RecordingPlayer player;
    TForm1 form(player);
    clickKey(form, 11);
    form.BitBtn3Click();
    QCOMPARE(duHoer(form)->text(),
             QString("\"Jazz-koral\": En 4-stemmig sats i Bb-dur med kromatik"));
    QVERIFY(duHoer(form)->isVisibleTo(&form));
}

void SequencerTest::timerDrivesTheComparisonToItsEnd() {
    RecordingPlayer player;
    TForm1 form(player);
    form.BitBtn1Click();
    QTRY_COMPARE_WITH_TIMEOUT(form.sequence().sequenceStep(), 6, 6000);
    QCOMPARE(player.images.size(), std::size_t(2));
    QTest::qWait(600);
    QCOMPARE(form.sequence().sequenceStep(), 6);
}

// Timer3 ticked before any sound button: the sequence's table holds no frequencies yet, so its
// first chord is two seconds of silence (8-bit samples at their midpoint), at the chords' rate.
void SequencerTest::ticksBeforeAnyStartPlaySilence() {
    RecordingPlayer player;
    TForm1 form(player);
    for (int tick = 0; tick < 3 && player.images.empty(); ++tick) {
        form.Timer3Timer();
    }
    QCOMPARE(player.images.size(), std::size_t(1));
    const std::vector<std::uint8_t>& image = player.images[0];
    QCOMPARE(image, expectedImage({0, 0, 0}, 2000));
    constexpr std::size_t kHeaderBytes = 46; // RIFF, an 18-byte format record, data
    QCOMPARE(image.size() - kHeaderBytes, std::size_t(22050));
    QVERIFY(std::all_of(image.begin() + kHeaderBytes, image.end(),
                        [](std::uint8_t sample) { return sample == 127; }));
}

QTEST_MAIN(SequencerTest)
#include "sequencer_test.moc"
