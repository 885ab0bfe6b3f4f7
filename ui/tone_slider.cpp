#include "ui/tone_slider.h"

#include <QKeyEvent>

ToneSlider::ToneSlider(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSingleStep(1);
    setPageStep(1);
}

void ToneSlider::keyPressEvent(QKeyEvent* event) {
    // Every key moves by exactly one step, page keys too: the tuning is set in 1/20 cent.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}
