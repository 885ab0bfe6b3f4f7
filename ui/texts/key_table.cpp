// The table of keys. Letters are taken by their place where the platform tells it (the tone
// keys), so the letters here are those of a US keyboard.
#include "ui/texts/key_table.h"

#include <QKeySequence>
#include <QStringList>

#include <algorithm>

namespace keys {

namespace {

QList<Binding> makeTable() {
    using C = Command;
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    const auto shift = [](Qt::Key key) { return QKeyCombination(Qt::ShiftModifier, key); };
    return {
        {C::selectMarkLeft, {ctrl(Qt::Key_Left)}, "vælg mærket til venstre i diagrammet"},
        {C::selectMarkRight, {ctrl(Qt::Key_Right)}, "vælg mærket til højre i diagrammet"},
        {C::selectMarkUp, {ctrl(Qt::Key_Up)}, "vælg mærket ovenover (grundtone, terts, kvint)"},
        {C::selectMarkDown, {ctrl(Qt::Key_Down)}, "vælg mærket nedenunder"},
        {C::raiseTone, {Qt::Key_Up, Qt::Key_Left, Qt::Key_PageUp}, "hæv den valgte tone 1/20 cent"},
        {C::lowerTone,
         {Qt::Key_Down, Qt::Key_Right, Qt::Key_PageDown},
         "sænk den valgte tone 1/20 cent"},
        {C::raiseToneCent, {shift(Qt::Key_Up), shift(Qt::Key_Left)}, "hæv den valgte tone 1 cent"},
        {C::lowerToneCent,
         {shift(Qt::Key_Down), shift(Qt::Key_Right)},
         "sænk den valgte tone 1 cent"},
        {C::toneToTop, {Qt::Key_Home}, "sæt den valgte tone 30 cent over den ligesvævende"},
        {C::toneToBottom, {Qt::Key_End}, "sæt den valgte tone 30 cent under den ligesvævende"},
        {C::playTone,
         {Qt::Key_A, Qt::Key_W, Qt::Key_S, Qt::Key_E, Qt::Key_D, Qt::Key_F, Qt::Key_T, Qt::Key_G,
          Qt::Key_Y, Qt::Key_H, Qt::Key_U, Qt::Key_J, Qt::Key_K},
         "spil C til høje C"},
        {C::octaveDown, {Qt::Key_Z}, "en oktav ned"},
        {C::octaveUp, {Qt::Key_X}, "en oktav op"},
        {C::soundSelectedMark,
         {Qt::Key_Space},
         "lad det valgte mærke klinge: en terts eller kvint med sin grundtone, en grundtone som "
         "durtreklang"},
        {C::openTuning, {ctrl(Qt::Key_O)}, "åbn en stemning"},
        {C::saveTuning, {ctrl(Qt::Key_S)}, "gem stemningen"},
        {C::tuningMenu, {shift(Qt::Key_F10), Qt::Key_Menu}, "menuen med historiske stemninger"},
        {C::stopAllSound, {Qt::Key_Escape}, "stop al lyd"},
        {C::playPausePiece, {Qt::Key_P}, "spil eller hold pause i et musikstykke"},
        {C::previousTuning, {Qt::Key_B}, "skift til stemningen før den sidste"},
        {C::openExercises, {ctrl(Qt::Key_E)}, "åbn øvelserne"},
        // Ctrl and = zoom in too, where + shares its key with = (as on US keyboards).
        {C::zoomIn, {ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)}, "større"},
        {C::zoomOut, {ctrl(Qt::Key_Minus)}, "mindre"},
        {C::zoomReset, {ctrl(Qt::Key_0)}, "normal størrelse"},
        {C::fullScreen, {Qt::Key_F11}, "fuld skærm"},
        {C::help, {Qt::Key_F1}, "hjælp"},
    };
}

} // namespace

const QList<Binding>& keyTable() {
    static const QList<Binding> table = makeTable();
    return table;
}

QList<QKeyCombination> keysOf(Command command) {
    for (const Binding& binding : keyTable()) {
        if (binding.command == command) {
            return binding.keys;
        }
    }
    return {};
}

QKeyCombination keyOf(Command command) {
    const QList<QKeyCombination> keys = keysOf(command);
    return keys.isEmpty() ? QKeyCombination() : keys.constFirst();
}

bool does(QKeyCombination key, Command command) {
    return keysOf(command).contains(key);
}

QString keysText(const Binding& binding) {
    QStringList texts;
    for (QKeyCombination key : binding.keys) {
        texts << QKeySequence(key).toString(QKeySequence::PortableText);
    }
    // The tone keys are read as a row of letters, other alternatives as a list.
    return texts.join(binding.command == Command::playTone ? " " : ", ");
}

QString keyListText() {
    QStringList lines;
    for (const Binding& binding : keyTable()) {
        if (!binding.reserved) {
            lines << keysText(binding) + ": " + binding.meaning;
        }
    }
    return lines.join('\n');
}

} // namespace keys
