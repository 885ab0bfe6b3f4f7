#pragma once

#include <QScrollBar>

// The hidden vertical slider that carries one tone's tuning. A press on a diagram mark gives
// it the keyboard focus, and the keys then move it one position (1/20 cent) at a time: up
// raises the tone, down lowers it. Left and Right follow Up and Down, which a plain vertical
// scroll bar would have the other way round.
class ToneSlider : public QScrollBar {
    Q_OBJECT

public:
    explicit ToneSlider(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
