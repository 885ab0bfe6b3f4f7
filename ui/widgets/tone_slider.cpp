#include "ui/widgets/tone_slider.h"

#include <QKeyEvent>

#include <optional>

namespace {

// Every key moves by exactly one step, page keys too: the tuning is set in 1/20 cent.
std::optional<QAbstractSlider::SliderAction> actionOf(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return std::nullopt;
    }
}

} // namespace

ToneSlider::ToneSlider(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSingleStep(1);
    setPageStep(1);
}

void ToneSlider::keyPressEvent(QKeyEvent* event) {
    const std::optional<SliderAction> action = actionOf(event->key());
    if (!action) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    if (!m_selected || !m_selected()) {
        event->ignore();
        return;
    }
    triggerAction(*action);
    event->accept();
}
