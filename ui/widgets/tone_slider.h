#pragma once

#include <QScrollBar>

#include <functional>
#include <utility>

// The hidden vertical slider that carries one tone's tuning. A press on a diagram mark gives
// it the keyboard focus, and the keys then move it one position (1/20 cent) at a time: up
// raises the tone, down lowers it, with Shift a whole cent (20 positions). Left and Right follow
// Up and Down, which a plain vertical scroll bar would have the other way round.
//
// The keys move it only while its tone is the selected one. The slider can also come by the
// focus through Tab, and a tone the user never chose must not move under a key press.
class ToneSlider : public QScrollBar {
    Q_OBJECT

public:
    explicit ToneSlider(QWidget* parent);

    // Tells whether this slider's tone is the selected tone right now; until it is set, no key
    // moves the slider.
    void setSelectedQuery(std::function<bool()> selected) { m_selected = std::move(selected); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool()> m_selected;
};
