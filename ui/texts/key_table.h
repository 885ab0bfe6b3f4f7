#pragma once

// Every key the window answers to, in one table: the parts take their keys from it, the hint
// panel's tooltip lists it, and the README's table of keys is written from it. Keys reserved for
// what is still to come are in it too, so that nothing else takes them meanwhile.
#include <QKeyCombination>
#include <QList>
#include <QString>

namespace keys {

enum class Command {
    selectMarkLeft,
    selectMarkRight,
    selectMarkUp,
    selectMarkDown,
    raiseTone,
    lowerTone,
    raiseToneCent,
    lowerToneCent,
    toneToTop,
    toneToBottom,
    playTone,
    octaveDown,
    octaveUp,
    soundSelectedMark,
    openTuning,
    saveTuning,
    printHandout,
    tuningMenu,
    stopAllSound,
    playPausePiece,
    previousTuning,
    openExercises,
    zoomIn,
    zoomOut,
    zoomReset,
    fullScreen,
    help,
};

struct Binding {
    Command command;
    // Every key that does it; the tone keys in the order c .. c'.
    QList<QKeyCombination> keys;
    // What it does, in Danish.
    QString meaning;
    // Kept for a function still to come: nothing answers to it yet.
    bool reserved = false;
};

const QList<Binding>& keyTable();

// The keys of one command; empty for none.
QList<QKeyCombination> keysOf(Command command);
QKeyCombination keyOf(Command command);

// Whether a key does a command.
bool does(QKeyCombination key, Command command);

// The keys of a row as the user reads them: "Ctrl+O", "A W S ...".
QString keysText(const Binding& binding);

// The rows that work, one "keys: meaning" a line, for the hint panel's tooltip.
QString keyListText();

} // namespace keys
