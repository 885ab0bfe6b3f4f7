// The table of keys. Letters are taken by their place where the platform tells it (the tone
// keys), so the letters here are those of a US keyboard.
#include "ui/texts/key_table.h"

#include <QCoreApplication>
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
        {C::selectMarkLeft,
         {ctrl(Qt::Key_Left)},
         QT_TRANSLATE_NOOP("klangora", "vælg mærket til venstre i diagrammet")},
        {C::selectMarkRight,
         {ctrl(Qt::Key_Right)},
         QT_TRANSLATE_NOOP("klangora", "vælg mærket til højre i diagrammet")},
        {C::selectMarkUp,
         {ctrl(Qt::Key_Up)},
         QT_TRANSLATE_NOOP("klangora", "vælg mærket ovenover (grundtone, terts, kvint)")},
        {C::selectMarkDown,
         {ctrl(Qt::Key_Down)},
         QT_TRANSLATE_NOOP("klangora", "vælg mærket nedenunder")},
        {C::raiseTone,
         {Qt::Key_Up, Qt::Key_Left, Qt::Key_PageUp},
         QT_TRANSLATE_NOOP("klangora", "hæv den valgte tone 1/20 cent")},
        {C::lowerTone,
         {Qt::Key_Down, Qt::Key_Right, Qt::Key_PageDown},
         QT_TRANSLATE_NOOP("klangora", "sænk den valgte tone 1/20 cent")},
        {C::raiseToneCent,
         {shift(Qt::Key_Up), shift(Qt::Key_Left)},
         QT_TRANSLATE_NOOP("klangora", "hæv den valgte tone 1 cent")},
        {C::lowerToneCent,
         {shift(Qt::Key_Down), shift(Qt::Key_Right)},
         QT_TRANSLATE_NOOP("klangora", "sænk den valgte tone 1 cent")},
        {C::toneToTop,
         {Qt::Key_Home},
         QT_TRANSLATE_NOOP("klangora", "sæt den valgte tone 30 cent over den ligesvævende")},
        {C::toneToBottom,
         {Qt::Key_End},
         QT_TRANSLATE_NOOP("klangora", "sæt den valgte tone 30 cent under den ligesvævende")},
        {C::playTone,
         {Qt::Key_A, Qt::Key_W, Qt::Key_S, Qt::Key_E, Qt::Key_D, Qt::Key_F, Qt::Key_T, Qt::Key_G,
          Qt::Key_Y, Qt::Key_H, Qt::Key_U, Qt::Key_J, Qt::Key_K},
         QT_TRANSLATE_NOOP("klangora", "spil C til høje C")},
        {C::octaveDown, {Qt::Key_Z}, QT_TRANSLATE_NOOP("klangora", "en oktav ned")},
        {C::octaveUp, {Qt::Key_X}, QT_TRANSLATE_NOOP("klangora", "en oktav op")},
        {C::soundSelectedMark,
         {Qt::Key_Space},
         QT_TRANSLATE_NOOP("klangora", "lad det valgte mærke klinge: en terts eller kvint med sin "
                                       "grundtone, en grundtone som "
                                       "durtreklang")},
        {C::openTuning, {ctrl(Qt::Key_O)}, QT_TRANSLATE_NOOP("klangora", "åbn en stemning")},
        {C::saveTuning, {ctrl(Qt::Key_S)}, QT_TRANSLATE_NOOP("klangora", "gem stemningen")},
        {C::printHandout,
         {ctrl(Qt::Key_P)},
         QT_TRANSLATE_NOOP("klangora", "udskriv diagrammet og stemningens tabel")},
        {C::tuningMenu,
         {shift(Qt::Key_F10), Qt::Key_Menu},
         QT_TRANSLATE_NOOP("klangora", "menuen med historiske stemninger")},
        {C::stopAllSound, {Qt::Key_Escape}, QT_TRANSLATE_NOOP("klangora", "stop al lyd")},
        {C::playPausePiece,
         {Qt::Key_P},
         QT_TRANSLATE_NOOP("klangora", "spil eller hold pause i et musikstykke")},
        {C::previousTuning,
         {Qt::Key_B},
         QT_TRANSLATE_NOOP("klangora", "skift til stemningen før den sidste")},
        {C::openExercises, {ctrl(Qt::Key_E)}, QT_TRANSLATE_NOOP("klangora", "åbn øvelserne")},
        // Ctrl and = zoom in too, where + shares its key with = (as on US keyboards).
        {C::zoomIn,
         {ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)},
         QT_TRANSLATE_NOOP("klangora", "større")},
        {C::zoomOut, {ctrl(Qt::Key_Minus)}, QT_TRANSLATE_NOOP("klangora", "mindre")},
        {C::zoomReset, {ctrl(Qt::Key_0)}, QT_TRANSLATE_NOOP("klangora", "normal størrelse")},
        {C::fullScreen, {Qt::Key_F11}, QT_TRANSLATE_NOOP("klangora", "fuld skærm")},
        {C::help, {Qt::Key_F1}, QT_TRANSLATE_NOOP("klangora", "hjælp")},
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
            // The table keeps the Danish; the list speaks the interface's language.
            lines << keysText(binding) + ": " +
                         QCoreApplication::translate("klangora",
                                                     binding.meaning.toUtf8().constData());
        }
    }
    return lines.join('\n');
}

} // namespace keys
