// The sequences as a table of steps: a message, a chord, a chorale, the end; a step number the
// table does not name is a pause of one tick. Playing blocks until the chord has been heard, so
// the chords of a chorale follow one another without a timer.
#include "ui/sequence/sound_sequence.h"

#include "sound/chorales.h"
#include "sound/chord_player.h"
#include "sound/sound_player.h"
#include "ui/messages/message_board.h"
#include "ui/model/musical_facts.h"
#include "ui/model/tuning_model.h"
#include "ui/sequence/sequencer_timing.h"
#include "ui/texts/palette.h"
#include "ui/tuning/tuning_name.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

using namespace sequencer;
using music::kFifthSemitones;
using music::kMajorThirdSemitones;
using Priority = MessageBoard::Priority;

enum class StepKind { message, namedMessage, pureTriad, temperedTriad, chorale, jazzChorale, end };

// A message is a text with the key's name for %1, in the interface's language; a named message
// adds the tuning's name after it.
struct SoundSequence::Step {
    int number;
    StepKind kind;
    const char* message = "";
    bool black = false; // the pure triad's message; every other is red
};

namespace {

using Step = SoundSequence::Step;

const std::array<Step, 11> kSteps = {{
    {kTriadMessageStep, StepKind::message,
     QT_TRANSLATE_NOOP("klangora", "Du hører en %1-durtreklang, med REN terts og REN kvint"), true},
    {kPureTriadStep, StepKind::pureTriad},
    {kTemperedMessageStep, StepKind::namedMessage,
     QT_TRANSLATE_NOOP("klangora", "Du hører nu en %1-durtreklang stemt i ")},
    {kTemperedTriadStep, StepKind::temperedTriad},
    {kTriadEndStep, StepKind::end},
    {kChoraleMessageStep, StepKind::message,
     QT_TRANSLATE_NOOP("klangora", "Koral: En 4-stemmig sats i %1-dur uden kromatik")},
    {kChoraleStep, StepKind::chorale},
    {kChoraleEndStep, StepKind::end},
    {kJazzChoraleMessageStep, StepKind::message,
     QT_TRANSLATE_NOOP("klangora", "\"Jazz-koral\": En 4-stemmig sats i %1-dur med kromatik")},
    {kJazzChoraleStep, StepKind::jazzChorale},
    {kJazzChoraleEndStep, StepKind::end},
}};

const Step* stepNumbered(int number) {
    const auto found = std::find_if(kSteps.begin(), kSteps.end(),
                                    [number](const Step& step) { return step.number == number; });
    return found == kSteps.end() ? nullptr : &*found;
}

} // namespace

SoundSequence::SoundSequence(SoundPlayer& player, TuningModel& model, MessageBoard& messages,
                             QObject* parent)
    : QObject(parent), m_player(player), m_model(model), m_messages(messages),
      m_timer(new QTimer(this)) {
    m_timer->setObjectName("Timer3");
    m_timer->setInterval(sequencer::kStepIntervalMs);
    // Until the first start copies the model's table, the sequence plays from an empty one: its
    // frequencies are 0 Hz, which sound as silence of the step's full length, at the chords' rate.
    m_played.sampleRate = klangora::kChordSampleRate;
    connect(m_timer, &QTimer::timeout, this, &SoundSequence::Timer3Timer);
}

void SoundSequence::BitBtn1Click() {
    if (m_model.key() == 0) {
        emit refused(QCoreApplication::translate(
            "klangora", "Du skal markere hvilken grundtone, der skal anvendes under noderne"));
        return;
    }
    startSequence(kTriadMessageStep);
    m_savedFreqTable = m_played.freqTable;
}

void SoundSequence::BitBtn2Click() {
    startSequence(kChoraleMessageStep);
}

void SoundSequence::BitBtn3Click() {
    startSequence(kJazzChoraleMessageStep);
}

// The sequence plays the model's frequencies as they are at its start, in a table of its own: the
// pure third and fifth of the triad comparison are written there, never into the model.
void SoundSequence::startSequence(int firstStep) {
    m_model.IndlaesFrek();
    m_played = m_model.tones();
    m_player.beginSequence(); // a sound output that failed before is tried again
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
    const int root = klangora::rootToneNumber(m_model.key()); // H sounds below the fixed c
    const int third = klangora::freqSlot(root + kMajorThirdSemitones);
    const int fifth = klangora::freqSlot(root + kFifthSemitones);
    auto& frequencies = m_played.freqTable;
    switch (step.kind) {
    case StepKind::message:
    case StepKind::namedMessage:
        showMessage(step);
        break;
    case StepKind::pureTriad: {
        // A pure third 5:4 and a pure fifth 3:2 above the tempered root.
        const double rootHz = frequencies[klangora::freqSlot(root)];
        frequencies[third] = rootHz * 5 / 4;
        frequencies[fifth] = rootHz * 3 / 2;
        playTriad(root);
        break;
    }
    case StepKind::temperedTriad:
        frequencies[third] = m_savedFreqTable[third];
        frequencies[fifth] = m_savedFreqTable[fifth];
        playTriad(root);
        break;
    case StepKind::chorale:
    case StepKind::jazzChorale: {
        const bool jazz = step.kind == StepKind::jazzChorale;
        playSound([this, jazz, root] { playChorale(jazz, root); });
        break;
    }
    case StepKind::end:
        end();
        break;
    }
}

void SoundSequence::end() {
    m_timer->stop();
    m_messages.release(Priority::sequence);
}

void SoundSequence::stop() {
    m_player.cutShort();
    end();
}

// The message panel is wider than the room beside the diagram: a file's long name that the
// caption shows cut is written whole here, and cut only where even this panel is too narrow.
void SoundSequence::showMessage(const Step& step) {
    m_shownMessage = &step;
    const int key = m_model.key();
    const QString keyName =
        key >= 1 && key <= 13 ? QCoreApplication::translate("klangora", music::noteName(key)) : "";
    QString text = QCoreApplication::translate("klangora", step.message).arg(keyName);
    if (step.kind == StepKind::namedMessage) {
        text = m_messages.fitted(text, tuningName(m_model.identity()));
    }
    m_messages.request(Priority::sequence, {text}, step.black ? QColor(0, 0, 0) : colours::red);
}

void SoundSequence::retellMessage() {
    if (m_shownMessage != nullptr && m_messages.shows(Priority::sequence)) {
        showMessage(*m_shownMessage);
    }
}

void SoundSequence::playTriad(int root) {
    playSound([this, root] {
        klangora::playThreeVoices(m_player, m_played, root, root + kMajorThirdSemitones,
                                  root + kFifthSemitones, kTriadMs, kAmplitude);
    });
}

void SoundSequence::playChorale(bool jazz, int root) {
    for (const klangora::ChoraleChord& chord :
         jazz ? klangora::kJazzChoraleChords : klangora::kChoraleChords) {
        const auto& v = chord.voices;
        klangora::playFourVoices(m_player, m_played, root + v[0], root + v[1], root + v[2],
                                 root + v[3], chord.durationMs, kAmplitude);
    }
}

// While it plays, Timer3's ticks are ignored.
template <typename Sound> void SoundSequence::playSound(const Sound& sound) {
    const QScopedValueRollback playing(m_playing, true);
    sound();
}
