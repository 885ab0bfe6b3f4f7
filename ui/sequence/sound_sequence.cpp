// The sequences as a table of steps: a message, a chord, a chorale, the end; a step number the
// table does not name is a pause of one tick. Playing blocks until the chord has been heard, so
// the chords of a chorale follow one another without a timer.
#include "ui/sequence/sound_sequence.h"

#include "sound/chorales.h"
#include "sound/chord_player.h"
#include "sound/sound_player.h"
#include "ui/model/tuning_model.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/key_marking.h"
#include "ui/sequence/sequencer_timing.h"
#include "ui/texts/palette.h"
#include "ui/tuning/temperament_caption.h"
#include "ui/widgets/message_box.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace sequencer;

enum class StepKind { message, namedMessage, pureTriad, temperedTriad, chorale, jazzChorale, end };

// A message reads lead + key + tail; a named message adds the tuning's name after it.
struct SoundSequence::Step {
    int number;
    StepKind kind;
    const char* lead = "";
    const char* tail = "";
    bool black = false;     // the pure triad's message; every other is red
    bool showPanel = false; // the first message of a sequence brings up the panel
};

namespace {

using Step = SoundSequence::Step;

const std::array<Step, 11> kSteps = {{
    {kTriadMessageStep, StepKind::message, "Du hører en ",
     "-durtreklang, med REN terts og REN kvint", true, true},
    {kPureTriadStep, StepKind::pureTriad},
    {kTemperedMessageStep, StepKind::namedMessage, "Du hører nu en ", "-durtreklang stemt i "},
    {kTemperedTriadStep, StepKind::temperedTriad},
    {kTriadEndStep, StepKind::end},
    {kChoraleMessageStep, StepKind::message, "Koral: En 4-stemmig sats i ", "-dur uden kromatik",
     false, true},
    {kChoraleStep, StepKind::chorale},
    {kChoraleEndStep, StepKind::end},
    {kJazzChoraleMessageStep, StepKind::message, "\"Jazz-koral\": En 4-stemmig sats i ",
     "-dur med kromatik", false, true},
    {kJazzChoraleStep, StepKind::jazzChorale},
    {kJazzChoraleEndStep, StepKind::end},
}};

const Step* stepNumbered(int number) {
    const auto found = std::find_if(kSteps.begin(), kSteps.end(),
                                    [number](const Step& step) { return step.number == number; });
    return found == kSteps.end() ? nullptr : &*found;
}

} // namespace

SoundSequence::SoundSequence(QWidget& window, SoundPlayer& player, const Parts& parts)
    : QObject(&window), m_player(player), m_parts(parts),
      m_duHoer(window.findChild<QLabel*>("DuHoer")), m_timer(window.findChild<QTimer*>("Timer3")) {
    connect(m_timer, &QTimer::timeout, this, &SoundSequence::Timer3Timer);
}

void SoundSequence::BitBtn1Click() {
    m_parts.keys.setSelectedKey(m_parts.keys.scanKeyButtons());
    if (m_parts.keys.selectedKey() == 0) {
        ::showMessage("Du skal markere hvilken grundtone, der skal anvendes under noderne");
        return;
    }
    m_parts.model.IndlaesFrek();
    m_savedFreqTable = m_parts.model.tones().freqTable;
    startSequence(kTriadMessageStep);
}

void SoundSequence::BitBtn2Click() {
    m_parts.model.IndlaesFrek();
    m_parts.keys.setSelectedKey(m_parts.keys.scanKeyButtons());
    startSequence(kChoraleMessageStep);
}

void SoundSequence::BitBtn3Click() {
    m_parts.model.IndlaesFrek();
    const int key = m_parts.keys.scanKeyButtons();
    if (key != 0) {
        m_parts.keys.setSelectedKey(key);
    }
    startSequence(kJazzChoraleMessageStep);
}

bool SoundSequence::isRunning() const {
    return m_timer->isActive();
}

void SoundSequence::startSequence(int firstStep) {
    m_player.beginSequence(); // a sound output that failed before is tried again
    // The live instrument may have grown the panel for its intervals.
    m_duHoer->setGeometry(m_duHoer->x(), kPanelTop, m_duHoer->width(), kPanelHeight);
    m_step = firstStep;
    m_timer->start();
    Timer3Timer();
}

void SoundSequence::Timer3Timer() {
    if (m_playing) {
        return; // a tick that falls due while a chord sounds adds no step
    }
    if (const Step* step = stepNumbered(m_step)) {
        perform(*step);
    }
    ++m_step;
}

void SoundSequence::perform(const Step& step) {
    const int key = m_parts.keys.selectedKey();
    const int root = klangora::rootToneNumber(key); // H sounds below the fixed c
    const int third = klangora::freqSlot(root + kMajorThird);
    const int fifth = klangora::freqSlot(root + kFifth);
    TuningModel& model = m_parts.model;
    switch (step.kind) {
    case StepKind::message:
    case StepKind::namedMessage:
        showMessage(step);
        break;
    case StepKind::pureTriad: {
        // A pure third 5:4 and a pure fifth 3:2 above the tempered root.
        const double rootHz = model.tones().freqTable[klangora::freqSlot(root)];
        model.setFrequency(third, rootHz * 5 / 4);
        model.setFrequency(fifth, rootHz * 3 / 2);
        playTriad(root);
        break;
    }
    case StepKind::temperedTriad:
        model.setFrequency(third, m_savedFreqTable[third]);
        model.setFrequency(fifth, m_savedFreqTable[fifth]);
        playTriad(root);
        break;
    case StepKind::chorale:
    case StepKind::jazzChorale: {
        const bool jazz = step.kind == StepKind::jazzChorale;
        playSound([this, jazz, root] { playChorale(jazz, root); });
        break;
    }
    case StepKind::end:
        m_duHoer->hide();
        m_timer->stop();
        emit ended();
        break;
    }
}

// The message panel is wider than the room beside the diagram: a file's long name that the
// caption shows cut is written whole here, and cut only where even this panel is too narrow.
void SoundSequence::showMessage(const Step& step) {
    const int key = m_parts.keys.selectedKey();
    const QString keyName = key >= 1 && key <= 13 ? m_parts.panel.noteName(key)->text() : QString();
    QString text = step.lead + keyName + step.tail;
    if (step.kind == StepKind::namedMessage) {
        const QFontMetrics metrics(m_duHoer->font());
        const int room = m_duHoer->contentsRect().width() - metrics.horizontalAdvance(text);
        text += metrics.elidedText(m_parts.caption.text(), Qt::ElideRight, room);
    }
    setTextColour(m_duHoer, step.black ? QColor(0, 0, 0) : colours::red);
    m_duHoer->setText(text);
    if (step.showPanel) {
        m_duHoer->show();
    }
}

void SoundSequence::playTriad(int root) {
    playSound([this, root] {
        klangora::playThreeVoices(m_player, m_parts.model.tones(), root, root + kMajorThird,
                                  root + kFifth, kTriadMs, kAmplitude);
    });
}

void SoundSequence::playChorale(bool jazz, int root) {
    for (const klangora::ChoraleChord& chord :
         jazz ? klangora::kJazzChoraleChords : klangora::kChoraleChords) {
        const auto& v = chord.voices;
        klangora::playFourVoices(m_player, m_parts.model.tones(), root + v[0], root + v[1],
                                 root + v[2], root + v[3], chord.durationMs, kAmplitude);
    }
}

// While it plays, Timer3's ticks are ignored.
template <typename Sound> void SoundSequence::playSound(const Sound& sound) {
    const QScopedValueRollback playing(m_playing, true);
    sound();
}
