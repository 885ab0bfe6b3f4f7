// The readout panel: numbers per tone in the chosen mode, and their names for screen readers.
#include "ui/panel/readout_panel.h"

#include "core/readings.h"
#include "core/rounding.h"
#include "ui/diagram/diagram_geometry.h"
#include "ui/texts/control_names.h"
#include "ui/texts/number_format.h"
#include "ui/texts/palette.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include <cstddef>

using klangora::kPureFifthCents;
using klangora::kPureThirdCents;
using klangora::roundHalfEven;
using namespace diagram;

namespace {

int panelChildLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L)) - kPanelLeft;
}

} // namespace

ReadoutPanel::ReadoutPanel(QWidget& window, const TuningModel& model)
    : QObject(&window), m_thirds(window.findChild<QRadioButton*>("rbterts")),
      m_fifths(window.findChild<QRadioButton*>("rbkvint")),
      m_cents(window.findChild<QRadioButton*>("rbCent")), m_model(model) {
    for (int n = 1; n <= 13; ++n) {
        m_readouts[n] = window.findChild<QLabel*>(controls::readoutName(n));
        m_noteNames[n] = window.findChild<QLabel*>(controls::noteName(n));
        m_noteNames[n]->setText(diagram::noteName(n));
        m_noteNames[n]->adjustSize();
    }
    connect(&model, &TuningModel::tonesChanged, this, &ReadoutPanel::opdaterLabel);
    connect(window.findChild<QButtonGroup*>("readoutGroup"), &QButtonGroup::idToggled, this,
            [this](int, bool checked) {
                if (checked) {
                    emit modeChosen();
                }
            });
}

descriptions::ReadoutMode ReadoutPanel::mode() const {
    using Mode = descriptions::ReadoutMode;
    if (m_thirds->isChecked()) {
        return Mode::thirdDeviation;
    }
    if (m_fifths->isChecked()) {
        return Mode::fifthDeviation;
    }
    return m_cents->isChecked() ? Mode::cents : Mode::frequency;
}

void ReadoutPanel::opdaterLabel() {
    using Mode = descriptions::ReadoutMode;
    const klangora::ToneTable& tones = m_model.tones();
    const Mode shown = mode();
    for (int i = 0; i <= 12; ++i) {
        long double value = 0;
        switch (shown) {
        case Mode::thirdDeviation:
            value = klangora::deviationReadout(tones.thirdCents[i], kPureThirdCents);
            break;
        case Mode::fifthDeviation:
            value = klangora::deviationReadout(tones.fifthCents[i], kPureFifthCents);
            break;
        case Mode::cents:
            value = klangora::centReadout(tones.toneCents[i]);
            break;
        case Mode::frequency:
            value = klangora::frequencyReadout(tones.toneCents[i]);
            break;
        }
        QLabel* label = m_readouts[i + 1];
        label->setText(formatReadout(value));
        label->adjustSize();
    }
    nameReadouts();
}

void ReadoutPanel::nameReadouts() {
    const descriptions::ReadoutMode shown = mode();
    for (int tone = 1; tone <= 13; ++tone) {
        QLabel* label = m_readouts[tone];
        auto& named = m_namedNumbers[static_cast<std::size_t>(tone)];
        if (shown == m_namedMode && label->text() == named) {
            continue;
        }
        named = label->text();
        label->setAccessibleName(descriptions::readoutName(shown, tone, named));
    }
    m_namedMode = shown;
}

void ReadoutPanel::placeInColumn(int tone, int column) {
    QLabel* readout = m_readouts[tone];
    QLabel* name = m_noteNames[tone];
    readout->move(panelChildLeft(column, readout->width()), readout->y());
    name->move(panelChildLeft(column, name->width()), kNoteNameTop);
}

void ReadoutPanel::highlightTone(int tone) {
    setTextColour(m_noteNames[tone], colours::red);
    setTextColour(m_readouts[tone], colours::red);
}

void ReadoutPanel::clearHighlights() {
    const QColor plain = windowTextColour();
    for (int n = 1; n <= 13; ++n) {
        setTextColour(m_noteNames[n], plain);
    }
    // The fixed C's readout is never highlighted, so it is left alone.
    for (int n = 2; n <= 13; ++n) {
        setTextColour(m_readouts[n], plain);
    }
}
