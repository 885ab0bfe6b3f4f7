// Tone selection by mouse and by Ctrl + arrow keys, which walk the marks as they stand on screen,
// column by column and row by row. Ctrl is needed because the plain keys already belong to the
// selected tone's slider.
#include "ui/selection/tone_selection.h"

#include "core/tone_table.h"
#include "ui/model/descriptions.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/fonts.h"
#include "ui/texts/key_table.h"
#include "ui/texts/window_texts.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/tone_slider.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShortcut>
#include <QWidget>

namespace {

// The hint's design sizes while no tone is selected and while one is.
constexpr int kClickHintPointSize = 8;
constexpr int kArrowHintPointSize = 12;

// The column of no selection.
constexpr int kNoSelection = 14;

int wrapped(int value, int first, int last) {
    const int count = last - first + 1;
    return ((value - first) % count + count) % count + first;
}

} // namespace

ToneSelection::ToneSelection(const Widgets& widgets, TuningModel& model, QObject* parent)
    : QObject(parent), m_model(model), m_sliders(widgets.sliders), m_hint(widgets.hint),
      m_column(kNoSelection) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_sliders[k]->setValue(model.position(k));
        m_sliders[k]->setSelectedQuery([this, k] { return isSelectedTone(k); });
        connect(m_sliders[k], &QScrollBar::valueChanged, &model,
                [&model, k](int position) { model.setPosition(k, position); });
    }
    connect(&model, &TuningModel::tonesChanged, this, &ToneSelection::followTuning);
    QWidget* window = m_hint->window();
    const auto bind = [this, window](keys::Command command, int columnStep, int rowStep) {
        auto* shortcut = new QShortcut(QKeySequence(keys::keyOf(command)), window);
        connect(shortcut, &QShortcut::activated, this,
                [this, columnStep, rowStep] { moveKeyboardSelection(columnStep, rowStep); });
    };
    bind(keys::Command::selectMarkLeft, -1, 0);
    bind(keys::Command::selectMarkRight, 1, 0);
    bind(keys::Command::selectMarkUp, 0, 1); // up the screen: root, third, fifth
    bind(keys::Command::selectMarkDown, 0, -1);
    describeMidiInputs({});
}

// A whole tuning arrives in the model, not through the sliders; they show it. A slider that
// already stands there changes nothing and sends no news.
void ToneSelection::followTuning(ToneMask changed) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        if ((changed & toneBit(k - 1)) != 0) {
            m_sliders[k]->setValue(m_model.position(k));
        }
    }
}

void ToneSelection::describeMidiInputs(const QStringList& inputs) {
    m_midiInputs = inputs;
    const QString text = descriptions::hintText(inputs, m_soundSystem);
    m_hint->setToolTip(text);
    m_hint->setAccessibleDescription(text);
}

void ToneSelection::setArrangement(bool fifths) {
    m_fifths = fifths;
    nodetykkelse();
    focus();
}

bool ToneSelection::hasSelection() const {
    return m_column != kNoSelection;
}

int ToneSelection::selectedToneNumber() const {
    return hasSelection() ? music::markTone(m_column, m_row) : 0;
}

bool ToneSelection::isSelectedTone(int tone) const {
    return hasSelection() && selectedToneNumber() == tone;
}

void ToneSelection::knapMouseDown(int column, int row) {
    const int tone = music::markTone(column, row);
    if (music::isFixedC(tone)) {
        showFixedCMessage();
        return;
    }
    nodetykkelse();
    m_column = column;
    m_row = row;
    emit marked(column, row, tone);
    m_sliders[tone]->setFocus();
    m_hint->setText(QCoreApplication::translate("klangora", texts::kArrowHint));
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
    emit unmarked();
}

void ToneSelection::focus() {
    if (!hasSelection()) {
        return;
    }
    const int tone = selectedToneNumber();
    m_sliders[tone]->setFocus();
    emit marked(m_column, m_row, tone);
}

void ToneSelection::clear() {
    m_column = kNoSelection;
    nodetykkelse();
    m_hint->setText(QCoreApplication::translate("klangora", texts::kClickHint));
    fonts::setDesignSize(m_hint, kClickHintPointSize);
}

void ToneSelection::showFixedCMessage() {
    showMessage("Den hvide er tonen C, og det er den vi stemmer ud fra. Det er den eneste tone "
                "du IKKE kan flytte.");
}

// Without a selection the walk starts on the c at the bottom left, so the first step lands
// on the mark beside or above it. The four white c's cannot be selected and are stepped over.
void ToneSelection::moveKeyboardSelection(int columnStep, int rowStep) {
    const bool fifths = m_fifths;
    int screenColumn = 1;
    int row = 0;
    if (hasSelection()) {
        screenColumn = music::placeOf(m_column, fifths);
        row = m_row;
    }
    // The arrangement swaps pairs of columns, so the same mapping leads back from screen
    // column to tone.
    int tone = 0;
    do {
        screenColumn = wrapped(screenColumn + columnStep, 1, 13);
        row = wrapped(row + rowStep, 0, 2);
        tone = music::placeOf(screenColumn, fifths);
    } while (music::isFixedC(music::markTone(tone, row)));
    knapMouseDown(tone, row);
}
