// Keys to notes. The keys are taken by their place on the keyboard where the platform tells it
// (X11 and Wayland scan codes), else by the letter they give.
#include "ui/instrument/computer_keyboard.h"

#include "ui/model/musical_facts.h"
#include "ui/selection/tone_selection.h"
#include "ui/texts/key_table.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <array>

namespace {

// X11's auto-repeat may arrive as a release and a press a few milliseconds apart, both marked
// as fresh; a release is acted on only when no press of the same key follows within this time.
constexpr int kReleaseGraceMs = 30;

// Where the keys of the key table's tone and octave rows lie: their X11 and Wayland scan codes
// (evdev code + 8), c .. c' and then Z and X. The home row plays the white keys, the row above
// the black ones, as on a piano.
constexpr std::array<int, 13> kToneScanCodes = {38, 25, 39, 26, 40, 41, 28, 42, 29, 43, 30, 44, 45};
constexpr int kOctaveDownScanCode = 52;
constexpr int kOctaveUpScanCode = 53;

bool scanCodesArePlaces() {
    const QString platform = QGuiApplication::platformName();
    return platform == "xcb" || platform.startsWith("wayland");
}

// A key of the table, by its place or, without scan codes, by the letter it gives.
bool matches(int scanCode, QKeyCombination key, const QKeyEvent& event, bool byPlace) {
    return byPlace ? static_cast<int>(event.nativeScanCode()) == scanCode
                   : event.key() == key.key();
}

int identity(const QKeyEvent& event) {
    return event.nativeScanCode() != 0 ? static_cast<int>(event.nativeScanCode()) : event.key();
}

} // namespace

ComputerKeyboard::ComputerKeyboard(QWidget& window, const ToneSelection& selection)
    : QObject(&window), m_window(window), m_selection(selection) {
    qApp->installEventFilter(this);
}

ComputerKeyboard::Key ComputerKeyboard::keyOf(const QKeyEvent& event) const {
    using keys::Command;
    if (keys::does(QKeyCombination(Qt::Key(event.key())), Command::soundSelectedMark)) {
        return {m_selection.hasSelection() ? Role::selectedMark : Role::none};
    }
    const bool byPlace = event.nativeScanCode() != 0 && scanCodesArePlaces();
    const QList<QKeyCombination> toneKeys = keys::keysOf(Command::playTone);
    for (int semitone = 0; semitone < toneKeys.size(); ++semitone) {
        if (matches(kToneScanCodes[static_cast<std::size_t>(semitone)], toneKeys[semitone], event,
                    byPlace)) {
            return {Role::tone, semitone};
        }
    }
    if (matches(kOctaveDownScanCode, keys::keyOf(Command::octaveDown), event, byPlace)) {
        return {Role::octaveDown};
    }
    if (matches(kOctaveUpScanCode, keys::keyOf(Command::octaveUp), event, byPlace)) {
        return {Role::octaveUp};
    }
    return {};
}

// The window's own tool windows (the music window) play the instrument too.
bool ComputerKeyboard::belongsToWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const QWidget* window = widget->window();
    return window == &m_window || m_window.isAncestorOf(widget) ||
           (window->windowType() == Qt::Tool && window->parentWidget() == &m_window);
}

// A popup menu or a dialog of the program: the keys' releases may go to it, and its own keys
// are no tones; a tooltip is no such thing.
bool ComputerKeyboard::opensOverWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || widget == &m_window) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Popup || type == Qt::Dialog || type == Qt::Sheet || widget->isModal();
}

bool ComputerKeyboard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool outOfReach =
        watched == &m_window &&
        (type == QEvent::WindowDeactivate || type == QEvent::WindowBlocked || type == QEvent::Hide);
    if (outOfReach || (type == QEvent::Show && opensOverWindow(watched))) {
        releaseAll();
    }
    if (type == QEvent::KeyRelease) {
        // Honoured whatever modifiers are down and wherever the focus went: a held key's tone
        // must end with it.
        return keyRelease(static_cast<const QKeyEvent&>(*event), belongsToWindow(watched));
    }
    if (type != QEvent::KeyPress || !belongsToWindow(watched)) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (keys::does(key.keyCombination(), keys::Command::stopAllSound)) {
        releaseAll();
        emit stopAllRequested();
        return true;
    }
    // Ctrl and Alt combinations keep their meaning (Ctrl+O, Ctrl+arrows, mnemonics).
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    return keyPress(key);
}

std::vector<int> ComputerKeyboard::notesOf(const Key& key) const {
    const int c = music::kFixedCNote + 12 * m_octave;
    if (key.role == Role::tone) {
        return {c + key.semitone};
    }
    // The selected mark: a third or fifth sounds with its root, a root as the major triad.
    const int root = c + m_selection.selectedTone() - 1;
    switch (m_selection.selectedRow()) {
    case 0:
        return {root, root + music::kMajorThirdSemitones, root + music::kFifthSemitones};
    case 1:
        return {root, root + music::kMajorThirdSemitones};
    default:
        return {root, root + music::kFifthSemitones};
    }
}

bool ComputerKeyboard::keyPress(const QKeyEvent& event) {
    const Key key = keyOf(event);
    if (key.role == Role::none) {
        return false;
    }
    const int id = identity(event);
    if (event.isAutoRepeat() || m_held.count(id) != 0) {
        // Still held: a pending release was only auto-repeat, and the tone goes on.
        if (auto pending = m_pendingReleases.find(id); pending != m_pendingReleases.end()) {
            pending->second->stop();
        }
        return true;
    }
    if (key.role == Role::octaveDown || key.role == Role::octaveUp) {
        const int step = key.role == Role::octaveUp ? 1 : -1;
        const int octave = std::clamp(m_octave + step, kLowestOctave, kHighestOctave);
        if (octave != m_octave) {
            m_octave = octave;
            emit octaveChanged(m_octave);
        }
        return true;
    }
    const auto source = key.role == Role::selectedMark ? klangora::VoiceSource::mark
                                                       : klangora::VoiceSource::computerKeys;
    const std::vector<int> notes = notesOf(key);
    m_held[id] = {source, notes};
    for (int note : notes) {
        emit notePressed(source, note);
    }
    return true;
}

bool ComputerKeyboard::keyRelease(const QKeyEvent& event, bool inWindow) {
    const int id = identity(event);
    if (m_held.count(id) == 0) {
        if (!inWindow) {
            return false;
        }
        // Not a tone of ours: the letters and octave keys are the instrument's anyway, but a
        // Space that pressed a button must reach it again to release it.
        const Role role = keyOf(event).role;
        return role == Role::tone || role == Role::octaveDown || role == Role::octaveUp;
    }
    if (event.isAutoRepeat()) {
        return true;
    }
    QTimer*& timer = m_pendingReleases[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(kReleaseGraceMs);
        connect(timer, &QTimer::timeout, this, [this, id] { letGo(id); });
    }
    timer->start();
    return true;
}

void ComputerKeyboard::letGo(int id) {
    const auto held = m_held.find(id);
    if (held == m_held.end()) {
        return;
    }
    const Held notes = held->second;
    m_held.erase(held);
    for (int note : notes.notes) {
        emit noteReleased(notes.source, note);
    }
}

void ComputerKeyboard::releaseAll() {
    for (auto& [id, timer] : m_pendingReleases) {
        timer->stop();
    }
    while (!m_held.empty()) {
        letGo(m_held.begin()->first);
    }
}
