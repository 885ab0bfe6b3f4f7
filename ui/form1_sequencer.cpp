// The sound buttons: a pure and a tempered triad side by side, and two four-part chorales,
// stepped by Timer3. Playing blocks until the chord has been heard, so the chords of a chorale
// follow one another without a timer.
#include "ui/form1.h"

#include "sound/chorales.h"
#include "sound/chord_player.h"
#include "ui/message_box.h"
#include "ui/palette.h"
#include "ui/sequencer_timing.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

using namespace sequencer;

namespace {

const QColor kBlack(0, 0, 0);

} // namespace

void TForm1::playChorale(bool jazz, int root) {
    for (const klangora::ChoraleChord& chord :
         jazz ? klangora::kJazzChoraleChords : klangora::kChoraleChords) {
        const auto& v = chord.voices;
        klangora::playFourVoices(m_player, tones, root + v[0], root + v[1], root + v[2],
                                 root + v[3], chord.durationMs, kAmplitude);
    }
}

void TForm1::showDuHoer(const QString& text, const QColor& colour) {
    setTextColour(DuHoer, colour);
    DuHoer->setText(text);
}

// The message panel is wider than the room beside the diagram: a file's long name that the
// caption shows cut is written whole here, and cut only where even this panel is too narrow.
QString TForm1::withTuningName(const QString& lead) const {
    const QFontMetrics metrics(DuHoer->font());
    const int room = DuHoer->contentsRect().width() - metrics.horizontalAdvance(lead);
    return lead + metrics.elidedText(stemningCaption(), Qt::ElideRight, room);
}

void TForm1::endSequence() {
    DuHoer->hide();
    Timer3->stop();
}

void TForm1::startSequence(int firstStep) {
    m_player.beginSequence(); // a sound output that failed before is tried again
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
    startSequence(kTriadMessageStep);
}

void TForm1::BitBtn2Click() {
    IndlaesFrek();
    selectedKey = scanKeyButtons();
    startSequence(kChoraleMessageStep);
}

void TForm1::BitBtn3Click() {
    IndlaesFrek();
    const int key = scanKeyButtons();
    if (key != 0) {
        selectedKey = key;
    }
    startSequence(kJazzChoraleMessageStep);
}

void TForm1::Timer3Timer() {
    if (m_soundPlaying) {
        return; // a tick that falls due while a chord sounds adds no step
    }
    const int root = klangora::rootToneNumber(selectedKey); // H sounds below the fixed c
    const QString key =
        selectedKey >= 1 && selectedKey <= 13 ? noteNameLabels[selectedKey]->text() : QString();
    auto& freq = tones.freqTable;
    const int third = klangora::freqSlot(root + kMajorThird);
    const int fifth = klangora::freqSlot(root + kFifth);
    switch (sequenceStep) {
    case kTriadMessageStep:
        showDuHoer("Du hører en " + key + "-durtreklang, med REN terts og REN kvint", kBlack);
        DuHoer->show();
        break;
    case kPureTriadStep:
        // A pure third 5:4 and a pure fifth 3:2 above the tempered root.
        freq[third] = freq[klangora::freqSlot(root)] * 5 / 4;
        freq[fifth] = freq[klangora::freqSlot(root)] * 3 / 2;
        playTriad(root);
        break;
    case kTemperedMessageStep:
        showDuHoer(withTuningName("Du hører nu en " + key + "-durtreklang stemt i "), colours::red);
        break;
    case kTemperedTriadStep:
        freq[third] = savedFreqTable[third];
        freq[fifth] = savedFreqTable[fifth];
        playTriad(root);
        break;
    case kChoraleMessageStep:
        showDuHoer("Koral: En 4-stemmig sats i " + key + "-dur uden kromatik", colours::red);
        DuHoer->show();
        break;
    case kChoraleStep:
        playSound([this, root] { playChorale(false, root); });
        break;
    case kJazzChoraleMessageStep:
        showDuHoer("\"Jazz-koral\": En 4-stemmig sats i " + key + "-dur med kromatik",
                   colours::red);
        DuHoer->show();
        break;
    case kJazzChoraleStep:
        playSound([this, root] { playChorale(true, root); });
        break;
    case kTriadEndStep:
    case kChoraleEndStep:
    case kJazzChoraleEndStep:
        endSequence();
        break;
    default:
        break;
    }
    ++sequenceStep;
}

void TForm1::playTriad(int root) {
    playSound([this, root] {
        klangora::playThreeVoices(m_player, tones, root, root + kMajorThird, root + kFifth,
                                  kTriadMs, kAmplitude);
    });
}

void TForm1::playSound(const std::function<void()>& sound) {
    const QScopedValueRollback playing(m_soundPlaying, true);
    sound();
}
