// The sound buttons: a pure and a tempered triad side by side, and two four-part chorales,
// stepped by Timer3. Playing blocks until the chord has been heard, so the chords of a chorale
// follow one another without a timer.
#include "ui/form1.h"

#include "sound/chorales.h"
#include "sound/chord_player.h"
#include "sound/chord_synthesis.h"
#include "ui/message_box.h"
#include "ui/palette.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr std::uint8_t kAmplitude = 20;
constexpr int kTriadMs = 2000;

const QColor kBlack(0, 0, 0);

} // namespace

void TForm1::playChorale(bool jazz, int root) {
    for (const klangora::ChoraleChord& chord :
         jazz ? klangora::kJazzChoraleChords : klangora::kChoraleChords) {
        const std::array<double, 4> frequencies = klangora::choraleChordHz(tones, root, chord);
        m_player.play(
            klangora::chordImage(frequencies, chord.durationMs, kAmplitude, tones.sampleRate));
    }
}

void TForm1::showDuHoer(const QString& text, const QColor& colour) {
    setTextColour(DuHoer, colour);
    DuHoer->setText(text);
}

void TForm1::endSequence() {
    DuHoer->hide();
    Timer3->stop();
}

void TForm1::startSequence(int firstStep) {
    sequenceStep = firstStep;
    Timer3->start();
    Timer3Timer();
}

void TForm1::BitBtn1Click() {
    selectedKey = scanKeyButtons();
    if (selectedKey == 0) {
        showMessage("Du skal markere hvilken grundtone, der skal anvendes under noderne");
        return;
    }
    IndlaesFrek();
    savedFreqTable = tones.freqTable;
    startSequence(0);
}

void TForm1::BitBtn2Click() {
    IndlaesFrek();
    selectedKey = scanKeyButtons();
    startSequence(10);
}

void TForm1::BitBtn3Click() {
    IndlaesFrek();
    const int key = scanKeyButtons();
    if (key != 0) {
        selectedKey = key;
    }
    startSequence(20);
}

void TForm1::Timer3Timer() {
    if (m_soundPlaying) {
        return; // a tick that falls due while a chord sounds adds no step
    }
    const int root = klangora::rootToneNumber(selectedKey); // H sounds below the fixed c
    const QString key =
        selectedKey >= 1 && selectedKey <= 13 ? noteNameLabels[selectedKey]->text() : QString();
    auto& freq = tones.freqTable;
    const int third = 24 + root + 4;
    const int fifth = 24 + root + 7;
    switch (sequenceStep) {
    case 0:
        showDuHoer("Du hører en " + key + "-durtreklang, med REN terts og REN kvint", kBlack);
        DuHoer->show();
        break;
    case 1:
        // A pure third 5:4 and a pure fifth 3:2 above the tempered root.
        freq[third] = freq[24 + root] * 5 / 4;
        freq[fifth] = freq[24 + root] * 3 / 2;
        playTriad(root);
        break;
    case 2:
        showDuHoer("Du hører nu en " + key + "-durtreklang stemt i " + lbStemning->text(),
                   colours::red);
        break;
    case 4:
        freq[third] = savedFreqTable[third];
        freq[fifth] = savedFreqTable[fifth];
        playTriad(root);
        break;
    case 10:
        showDuHoer("Koral: En 4-stemmig sats i " + key + "-dur uden kromatik", colours::red);
        DuHoer->show();
        break;
    case 11:
        playSound([this, root] { playChorale(false, root); });
        break;
    case 20:
        showDuHoer("\"Jazz-koral\": En 4-stemmig sats i " + key + "-dur med kromatik",
                   colours::red);
        DuHoer->show();
        break;
    case 21:
        playSound([this, root] { playChorale(true, root); });
        break;
    case 5:
    case 12:
    case 22:
        endSequence();
        break;
    default:
        break;
    }
    ++sequenceStep;
}

void TForm1::playTriad(int root) {
    playSound([this, root] {
        klangora::playThreeVoices(m_player, tones, root, root + 4, root + 7, kTriadMs, kAmplitude);
    });
}

void TForm1::playSound(const std::function<void()>& sound) {
    m_soundPlaying = true;
    sound();
    m_soundPlaying = false;
}
