// Tone selection by mouse and by Ctrl + arrow keys, which walk the marks as they stand on screen,
// column by column and row by row. Ctrl is needed because the plain keys already belong to the
// selected tone's slider.
#include "ui/selection/tone_selection.h"

#include "core/tone_table.h"
#include "ui/diagram/diagram_geometry.h"
#include "ui/diagram/triad_diagram.h"
#include "ui/panel/readout_panel.h"
#include "ui/texts/control_names.h"
#include "ui/texts/fonts.h"
#include "ui/texts/window_texts.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/shape.h"
#include "ui/widgets/tone_slider.h"

#include <QLabel>
#include <QShortcut>
#include <QWidget>

namespace {

// The hint's design sizes while no tone is selected and while one is.
constexpr int kClickHintPointSize = 8;
constexpr int kArrowHintPointSize = 12;

int wrapped(int value, int first, int last) {
    const int count = last - first + 1;
    return ((value - first) % count + count) % count + first;
}

} // namespace

ToneSelection::ToneSelection(QWidget& window, TriadDiagram& diagram, ReadoutPanel& panel)
    : QObject(&window), m_diagram(diagram), m_panel(panel),
      m_hint(window.findChild<QLabel*>("plFlytMedPil")), m_column(diagram::kNoSelection) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_sliders[k] = window.findChild<ToneSlider*>(controls::sliderName(k));
        m_sliders[k]->setSelectedQuery([this, k] { return isSelectedTone(k); });
    }
    const auto bind = [this, &window](Qt::Key key, int columnStep, int rowStep) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), &window);
        connect(shortcut, &QShortcut::activated, this,
                [this, columnStep, rowStep] { moveKeyboardSelection(columnStep, rowStep); });
    };
    bind(Qt::Key_Left, -1, 0);
    bind(Qt::Key_Right, 1, 0);
    bind(Qt::Key_Up, 0, 1); // up the screen: root, third, fifth
    bind(Qt::Key_Down, 0, -1);
}

bool ToneSelection::hasSelection() const {
    return m_column != diagram::kNoSelection;
}

int ToneSelection::selectedToneNumber() const {
    return hasSelection() ? diagram::shapeTone(m_column, m_row) : 0;
}

bool ToneSelection::isSelectedTone(int tone) const {
    return hasSelection() && selectedToneNumber() == tone;
}

void ToneSelection::knapMouseDown(int column, int row) {
    const int tone = diagram::shapeTone(column, row);
    if (diagram::isFixedC(tone)) {
        showFixedCMessage();
        return;
    }
    nodetykkelse();
    m_column = column;
    m_row = row;
    markSelected(column, row);
    m_sliders[tone]->setFocus();
    m_panel.highlightTone(tone);
    m_hint->setText(texts::kArrowHint);
    fonts::setDesignSize(m_hint, kArrowHintPointSize);
}

// The selection stays as the press made it, the red labels of G included.
void ToneSelection::knap12ContextPopup() {
    nodetykkelse();
    m_column = 1;
    m_row = 2;
    focus();
}

void ToneSelection::nodetykkelse() {
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            m_diagram.mark(n, row)->setPenWidth(kNormalPenWidth);
            m_diagram.mark(n, row)->setChecked(false);
        }
    }
    m_panel.clearHighlights();
}

void ToneSelection::focus() {
    if (!hasSelection()) {
        return;
    }
    const int tone = selectedToneNumber();
    m_sliders[tone]->setFocus();
    m_panel.highlightTone(tone);
    markSelected(m_column, m_row);
}

void ToneSelection::clear() {
    m_column = diagram::kNoSelection;
    nodetykkelse();
    m_hint->setText(texts::kClickHint);
    fonts::setDesignSize(m_hint, kClickHintPointSize);
}

void ToneSelection::markSelected(int column, int row) {
    m_diagram.mark(column, row)->setPenWidth(kSelectedPenWidth);
    m_diagram.mark(column, row)->setChecked(true);
}

void ToneSelection::showFixedCMessage() {
    showMessage("Den hvide er tonen C, og det er den vi stemmer ud fra. Det er den eneste tone "
                "du IKKE kan flytte.");
}

// Without a selection the walk starts on the c at the bottom left, so the first step lands
// on the mark beside or above it. The four white c's cannot be selected and are stepped over.
void ToneSelection::moveKeyboardSelection(int columnStep, int rowStep) {
    const bool fifths = m_inFifths && m_inFifths();
    int screenColumn = 1;
    int row = 0;
    if (hasSelection()) {
        screenColumn = diagram::columnOf(m_column, fifths);
        row = m_row;
    }
    // The arrangement swaps pairs of columns, so the same mapping leads back from screen
    // column to tone.
    int tone = 0;
    do {
        screenColumn = wrapped(screenColumn + columnStep, 1, 13);
        row = wrapped(row + rowStep, 0, 2);
        tone = diagram::columnOf(screenColumn, fifths);
    } while (diagram::isFixedC(diagram::shapeTone(tone, row)));
    knapMouseDown(tone, row);
}
