// Routing notes to the live instrument and showing what sounds.
#include "ui/instrument/live_playing.h"

#include "core/musical_facts.h"
#include "sound/instrument/live_instrument.h"
#include "ui/instrument/computer_keyboard.h"
#include "ui/panel/readout_panel.h"
#include "ui/session/session.h"
#include "ui/texts/language_follower.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace {

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

} // namespace

LivePlaying::LivePlaying(QWidget& window, Session& session, const Parts& parts)
    : QObject(&window), m_session(session), m_parts(parts),
      m_keyboard(new ComputerKeyboard(window, parts.selection)) {
    connect(m_keyboard, &ComputerKeyboard::notePressed, this,
            [this](klangora::VoiceSource source, int note) { press(source, note); });
    connect(m_keyboard, &ComputerKeyboard::noteReleased, this, &LivePlaying::release);
    connect(m_keyboard, &ComputerKeyboard::octaveChanged, this, &LivePlaying::showOctave);
    connect(m_keyboard, &ComputerKeyboard::stopAllRequested, this, &LivePlaying::stopAllSound);
    connect(&parts.panel, &ReadoutPanel::noteNamePressed, this, &LivePlaying::pressNoteName);
    connect(&parts.panel, &ReadoutPanel::noteNameReleased, this, &LivePlaying::releaseNoteName);
    connect(&session, &Session::allSoundStopped, this, &LivePlaying::allSoundStopped);
    window.installEventFilter(this);
    showOctave(0);
    followLanguage(window, *this, [this] { showOctave(m_keyboard->octave()); });
}

klangora::LiveInstrument& LivePlaying::instrument() {
    return m_session.instrument();
}

void LivePlaying::setMidiInputs(const QStringList& inputs) {
    emit midiInputsChanged(inputs);
}

void LivePlaying::press(klangora::VoiceSource source, int note, float velocity) {
    m_session.press(source, note, velocity);
}

void LivePlaying::release(klangora::VoiceSource source, int note) {
    m_session.release(source, note);
}

void LivePlaying::hear(klangora::VoiceSource source, int note, float velocity, bool on) {
    instrument().recordPlayed(source, note, velocity, on);
    m_session.sounding().scheduleShow();
}

void LivePlaying::hearAllOf(klangora::VoiceSource source) {
    const std::bitset<128> sounding = instrument().soundingNotes(source);
    for (int note = 0; note < 128; ++note) {
        instrument().recordPlayed(source, note, 1.0f,
                                  sounding.test(static_cast<std::size_t>(note)));
    }
    m_session.sounding().scheduleShow();
}

// The keys and a pressed note name let go with everything else; the session tells the players.
void LivePlaying::stopAllSound() {
    m_keyboard->releaseAll();
    m_mouseNote = -1;
    m_session.stopAllSound();
}

void LivePlaying::showOctave(int octave) {
    m_session.sounding().setKeysOctave(octave);
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
        m_mouseNote = klangora::kFixedCNote + 12 * m_keyboard->octave() + tone - 1;
        press(klangora::VoiceSource::noteName, m_mouseNote);
    }
}

void LivePlaying::releaseNoteName() {
    if (m_mouseNote >= 0) {
        release(klangora::VoiceSource::noteName, m_mouseNote);
        m_mouseNote = -1;
    }
}
