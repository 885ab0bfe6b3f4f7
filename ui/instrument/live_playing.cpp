// Routing notes to the live instrument and showing what sounds.
#include "ui/instrument/live_playing.h"

#include "sound/instrument/live_instrument.h"
#include "ui/instrument/computer_keyboard.h"
#include "ui/messages/message_panel.h"
#include "ui/model/descriptions.h"
#include "ui/model/musical_facts.h"
#include "ui/panel/readout_panel.h"
#include "ui/texts/language_follower.h"
#include "ui/texts/palette.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <array>
#include <bitset>

namespace {

// How often the shown notes are compared again with what the audio side reports.
constexpr int kCatchUpMs = 15;

// The octave the keys play, from its c to the next, in Helmholtz's letters (the fixed c is
// c'), and in words for a screen reader: the fixed c lies in the "enstregede" octave.
QString octaveText(int octave) {
    static const char* const kRanges[] = {"C–c", "c–c'", "c'–c''", "c''–c'''", "c'''–c''''"};
    return QCoreApplication::translate("klangora", "Oktav: %1")
        .arg(QString::fromUtf8(kRanges[octave + 2]));
}

QString octaveName(int octave) {
    static const char* const kNames[] = {
        QT_TRANSLATE_NOOP("klangora", "Tasterne spiller den store oktav"),
        QT_TRANSLATE_NOOP("klangora", "Tasterne spiller den lille oktav"),
        QT_TRANSLATE_NOOP("klangora", "Tasterne spiller den enstregede oktav"),
        QT_TRANSLATE_NOOP("klangora", "Tasterne spiller den tostregede oktav"),
        QT_TRANSLATE_NOOP("klangora", "Tasterne spiller den trestregede oktav")};
    return QCoreApplication::translate("klangora", kNames[octave + 2]);
}

// The note name a sounding note lights: c' when it is the c above the keys' c, else its pitch
// class.
int lightedTone(int note, int octave) {
    const int fromKeysC = note - (music::kFixedCNote + 12 * octave);
    if (fromKeysC == 12) {
        return 13;
    }
    return ((note % 12) + 12) % 12 + 1;
}

} // namespace

LivePlaying::LivePlaying(QWidget& window, klangora::LiveInstrument& instrument, const Parts& parts)
    : QObject(&window), m_instrument(instrument), m_parts(parts),
      m_keyboard(new ComputerKeyboard(window, parts.selection)), m_showTimer(new QTimer(this)) {
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &LivePlaying::showSounding);
    connect(m_keyboard, &ComputerKeyboard::notePressed, this,
            [this](klangora::VoiceSource source, int note) { press(source, note); });
    connect(m_keyboard, &ComputerKeyboard::noteReleased, this, &LivePlaying::release);
    connect(m_keyboard, &ComputerKeyboard::octaveChanged, this, &LivePlaying::showOctave);
    connect(m_keyboard, &ComputerKeyboard::stopAllRequested, this, &LivePlaying::stopAllSound);
    connect(&parts.model, &TuningModel::tuningChanged, this, &LivePlaying::followTuning);
    connect(&parts.panel, &ReadoutPanel::noteNamePressed, this, &LivePlaying::pressNoteName);
    connect(&parts.panel, &ReadoutPanel::noteNameReleased, this, &LivePlaying::releaseNoteName);
    window.installEventFilter(this);
    followTuning(parts.model.tuning());
    showOctave(0);
    followLanguage(window, *this, [this] { showOctave(m_keyboard->octave()); });
}

void LivePlaying::setMidiInputs(const QStringList& inputs) {
    emit midiInputsChanged(inputs);
}

// The instrument carries the tuning to everything that sounds through it: its own voices, a
// piece's notes and FluidSynth.
void LivePlaying::followTuning(const klangora::Tuning& tuning) {
    m_instrument.setTuning(tuning);
    if (m_instrument.heldNotes().any()) {
        scheduleShow();
    }
}

void LivePlaying::press(klangora::VoiceSource source, int note, float velocity) {
    m_instrument.noteOn(source, note, velocity);
    scheduleShow();
}

void LivePlaying::release(klangora::VoiceSource source, int note) {
    m_instrument.noteOff(source, note);
    scheduleShow();
}

void LivePlaying::stopAllSound() {
    // The players first, so that what they let go afterwards finds nothing held.
    emit allSoundStopped();
    m_keyboard->releaseAll();
    m_mouseNote = -1;
    m_instrument.releaseAll();
    scheduleShow();
}

void LivePlaying::showOctave(int octave) {
    QLabel* label = m_parts.octaveLabel;
    label->setText(octaveText(octave));
    label->setAccessibleName(octaveName(octave));
    label->setToolTip(QCoreApplication::translate("klangora", "%1; Z og X skifter oktav.")
                          .arg(octaveName(octave)));
    label->adjustSize();
}

// A pressed note name lets go when the window goes out of reach, as keys do.
bool LivePlaying::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate || type == QEvent::WindowBlocked || type == QEvent::Hide) {
        releaseNoteName();
    }
    return false;
}

void LivePlaying::pressNoteName(int tone) {
    if (m_mouseNote < 0) {
        m_mouseNote = music::kFixedCNote + 12 * m_keyboard->octave() + tone - 1;
        press(klangora::VoiceSource::noteName, m_mouseNote);
    }
}

void LivePlaying::releaseNoteName() {
    if (m_mouseNote >= 0) {
        release(klangora::VoiceSource::noteName, m_mouseNote);
        m_mouseNote = -1;
    }
}

void LivePlaying::scheduleShow() {
    // A burst of notes (a chord, a MIDI flood) is shown once, at the next turn of the loop.
    if (!m_showTimer->isActive()) {
        m_showTimer->start(0);
    }
}

// What the learner plays: a piece's notes have a panel priority of their own.
std::bitset<128> LivePlaying::playedNotes(bool sounding) const {
    std::bitset<128> notes;
    for (int s = 0; s < klangora::kVoiceSourceCount; ++s) {
        const auto source = static_cast<klangora::VoiceSource>(s);
        if (source != klangora::VoiceSource::piece) {
            notes |= sounding ? m_instrument.soundingNotes(source) : m_instrument.heldNotes(source);
        }
    }
    return notes;
}

QStringList LivePlaying::intervalTexts() const {
    const std::bitset<128> held = playedNotes(true);
    QStringList lines;
    for (int lower = 0; lower < 128; ++lower) {
        if (!held.test(static_cast<std::size_t>(lower))) {
            continue;
        }
        for (int upper : {lower + music::kMajorThirdSemitones, lower + music::kFifthSemitones}) {
            if (upper < 128 && held.test(static_cast<std::size_t>(upper))) {
                lines << descriptions::soundingIntervalText(m_parts.model.tones(), lower, upper);
            }
        }
    }
    return lines;
}

void LivePlaying::showSounding() {
    // What the audio side reports, not what was asked of it: until the two agree (a few
    // milliseconds, longer while the sound server stalls) the window looks again.
    const std::bitset<128> held = playedNotes(true);
    if (held != playedNotes(false) || !m_instrument.settle()) {
        m_showTimer->start(kCatchUpMs);
    }
    std::array<bool, 14> lit{};
    for (int note = 0; note < 128; ++note) {
        if (held.test(static_cast<std::size_t>(note))) {
            lit[static_cast<std::size_t>(lightedTone(note, m_keyboard->octave()))] = true;
        }
    }
    m_parts.panel.lightTones(lit);
    const QStringList lines = intervalTexts();
    using Priority = MessagePanel::Priority;
    if (lines.isEmpty()) {
        m_parts.messages.release(Priority::liveInstrument);
    } else {
        m_parts.messages.request(Priority::liveInstrument, lines, windowTextColour());
    }
}
