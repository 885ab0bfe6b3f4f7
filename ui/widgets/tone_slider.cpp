#include "ui/widgets/tone_slider.h"

#include "ui/texts/key_table.h"

#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace {

// One position is 1/20 cent; a whole cent is this many.
constexpr int kPositionsPerCent = 20;

// What a key does to the slider, and how many times. Up raises the tone, which is a lower
// position. Every key moves by a fixed amount, page keys too: the tuning is set in 1/20 cent.
struct Move {
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    int times = 1;
};

Move moveOf(QKeyCombination key) {
    using keys::Command;
    using Action = QAbstractSlider::SliderAction;
    const std::pair<Command, Move> moves[] = {
        {Command::raiseTone, {Action::SliderSingleStepSub}},
        {Command::lowerTone, {Action::SliderSingleStepAdd}},
        {Command::raiseToneCent, {Action::SliderSingleStepSub, kPositionsPerCent}},
        {Command::lowerToneCent, {Action::SliderSingleStepAdd, kPositionsPerCent}},
        {Command::toneToTop, {Action::SliderToMinimum}},
        {Command::toneToBottom, {Action::SliderToMaximum}},
    };
    for (const auto& [command, move] : moves) {
        if (keys::does(key, command)) {
            return move;
        }
    }
    return {};
}

} // namespace

ToneSlider::ToneSlider(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSingleStep(1);
    setPageStep(1);
}

void ToneSlider::keyPressEvent(QKeyEvent* event) {
    // Only Shift changes what a key does here; a key pad's arrows are arrows.
    const Move move =
        moveOf(QKeyCombination(event->modifiers() & Qt::ShiftModifier, Qt::Key(event->key())));
    if (move.action == SliderNoAction) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    if (!m_selected || !m_selected()) {
        event->ignore();
        return;
    }
    // A whole cent is one move of the tone: the position jumps, so the model hears of it once.
    if (move.times > 1) {
        const int step = move.action == SliderSingleStepAdd ? move.times : -move.times;
        setValue(std::clamp(value() + step, minimum(), maximum()));
    } else {
        triggerAction(move.action);
    }
    event->accept();
}
