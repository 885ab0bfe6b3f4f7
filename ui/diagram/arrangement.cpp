// Switching the diagram between the chromatic and the fifths arrangement.
#include "ui/diagram/arrangement.h"

#include "core/tone_table.h"
#include "ui/diagram/diagram_geometry.h"
#include "ui/diagram/triad_diagram.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/key_marking.h"
#include "ui/selection/tone_selection.h"
#include "ui/texts/control_names.h"
#include "ui/texts/window_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

Arrangement::Arrangement(QWidget& window, const Parts& parts)
    : QObject(&window), m_parts(parts), m_window(window),
      m_button(window.findChild<QPushButton*>("kromkvint")),
      m_startTimer(window.findChild<QTimer*>("Timer2")) {
    connect(m_startTimer, &QTimer::timeout, this, &Arrangement::Timer2Timer);
    m_startTimer->start();
}

bool Arrangement::inFifths() const {
    return m_button->text() == QString(texts::kToChromatic);
}

void Arrangement::BTplacering() {
    m_parts.diagram.placeColumns();
    for (int n = 1; n <= 13; ++n) {
        placeInColumn(n, n);
    }
    // The hidden sliders all stand behind the readout panel.
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        QWidget* slider = m_window.findChild<QWidget*>(controls::sliderName(k));
        slider->move(slider->x(), diagram::kSliderTop);
    }
}

// The readout, the note name and the key button of a tone, centred on a column.
void Arrangement::placeInColumn(int tone, int column) {
    m_parts.panel.placeInColumn(tone, column);
    m_parts.keys.placeUnder(tone, column, m_parts.panel.noteName(tone)->width());
}

void Arrangement::Timer2Timer() {
    m_startTimer->stop();
    kromkvintClick();
}

void Arrangement::kromkvintClick() {
    m_parts.selection.nodetykkelse();
    const bool toFifths = !inFifths();
    for (int tone = 2; tone <= 12; tone += 2) {
        const int column = diagram::columnOf(tone, toFifths);
        m_parts.diagram.placeMarks(tone, column);
        placeInColumn(tone, column);
    }
    // The bars stay in their chromatic columns, except the fifth bar of H.
    m_parts.diagram.placeHFifthBar(toFifths);
    m_button->setText(toFifths ? texts::kToChromatic : texts::kToFifths);
    m_parts.selection.focus();
    m_parts.diagram.tegnRenStreg();
    m_parts.diagram.Timer1Timer();
}
