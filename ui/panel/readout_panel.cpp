// The readout panel: numbers per tone in the chosen mode, and their names for screen readers.
#include "ui/panel/readout_panel.h"

#include "core/readings.h"
#include "core/rounding.h"
#include "ui/model/concealed_tone.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/fonts.h"
#include "ui/texts/number_format.h"
#include "ui/texts/palette.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <cstddef>

using klangora::kPureFifthCents;
using klangora::kPureThirdCents;
using klangora::roundHalfEven;

namespace {

// The note names' top in the panel, and their design size; the key's name stands 2 pixels
// higher in a larger font.
constexpr int kNoteNameTop = 15;
constexpr int kNamePointSize = 12;
constexpr int kKeyNamePointSize = 14;
constexpr int kKeyNameTop = kNoteNameTop - 2;

// A sounding tone's name stands on this light gold, which leaves the red of the selection
// readable.
const QColor kLitBackground(255, 226, 120);

void setLabelSize(QLabel* label, int pointSize, int top) {
    fonts::setDesignSize(label, pointSize);
    label->adjustSize();
    label->move(label->x(), top);
}

void setLit(QLabel* label, bool lit) {
    label->setAutoFillBackground(lit);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, lit ? kLitBackground : QColor(Qt::transparent));
    label->setPalette(palette);
}

} // namespace

ReadoutPanel::ReadoutPanel(const Widgets& widgets, const TuningModel& model, QObject* parent)
    : QObject(parent), m_widgets(widgets), m_model(model) {
    for (int n = 1; n <= 13; ++n) {
        m_widgets.noteNames[n]->setText(music::noteName(n));
        m_widgets.noteNames[n]->adjustSize();
        m_widgets.noteNames[n]->installEventFilter(this);
    }
    connect(&model, &TuningModel::tonesChanged, this, &ReadoutPanel::opdaterLabel);
    connect(&model, &TuningModel::keyChanged, this, &ReadoutPanel::markKey);
    connect(m_widgets.modes, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            opdaterLabel();
            emit modeChosen();
        }
    });
    // The readouts are first written by the start-up sequence, once, after the diagram's
    // placing: the panel does not write them ahead of it.
}

descriptions::ReadoutMode ReadoutPanel::mode() const {
    using Mode = descriptions::ReadoutMode;
    if (m_widgets.thirds->isChecked()) {
        return Mode::thirdDeviation;
    }
    if (m_widgets.fifths->isChecked()) {
        return Mode::fifthDeviation;
    }
    return m_widgets.cents->isChecked() ? Mode::cents : Mode::frequency;
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
        QLabel* label = m_widgets.readouts[i + 1];
        label->setText(formatReadout(value));
        label->adjustSize();
    }
    hideConcealed();
}

void ReadoutPanel::followConcealment(const ConcealedTone& concealed) {
    m_concealed = &concealed;
    connect(&concealed, &ConcealedTone::changed, this, &ReadoutPanel::hideConcealed);
    hideConcealed();
}

std::vector<int> ReadoutPanel::concealedReadouts() const {
    if (m_concealed == nullptr || !m_concealed->tone()) {
        return {};
    }
    using Mode = descriptions::ReadoutMode;
    const Mode shown = mode();
    const int row = shown == Mode::thirdDeviation ? 1 : shown == Mode::fifthDeviation ? 2 : 0;
    return concealment::columnsTelling(*m_concealed->tone(), row);
}

void ReadoutPanel::hideConcealed() {
    const std::vector<int> hidden = concealedReadouts();
    for (int tone = 1; tone <= 13; ++tone) {
        m_widgets.readouts[tone]->setHidden(std::ranges::find(hidden, tone) != hidden.end());
    }
    nameReadouts();
}

void ReadoutPanel::nameReadoutsAnew() {
    m_namedNumbers.fill(QString());
    nameReadouts();
}

void ReadoutPanel::nameReadouts() {
    const descriptions::ReadoutMode shown = mode();
    const std::vector<int> hidden = concealedReadouts();
    for (int tone = 1; tone <= 13; ++tone) {
        QLabel* label = m_widgets.readouts[tone];
        // A hidden readout is out of sight, not out of a screen reader's reach: its name says
        // nothing of the number.
        const QString number =
            std::ranges::find(hidden, tone) != hidden.end() ? QString("?") : label->text();
        auto& named = m_namedNumbers[static_cast<std::size_t>(tone)];
        if (shown == m_namedMode && number == named) {
            continue;
        }
        named = number;
        label->setAccessibleName(descriptions::readoutName(shown, tone, named));
    }
    m_namedMode = shown;
}

void ReadoutPanel::centreTone(int tone, int centreX) {
    const auto leftOf = [this, centreX](const QLabel* label) {
        return static_cast<int>(roundHalfEven(centreX - label->width() / 2.0L)) -
               m_widgets.frame->x();
    };
    QLabel* readout = m_widgets.readouts[tone];
    QLabel* name = m_widgets.noteNames[tone];
    readout->move(leftOf(readout), readout->y());
    name->move(leftOf(name), name->y()); // the key's name stays where its larger size puts it
}

void ReadoutPanel::highlightTone(int tone) {
    setTextColour(m_widgets.noteNames[tone], colours::red);
    setTextColour(m_widgets.readouts[tone], colours::red);
}

void ReadoutPanel::clearHighlights() {
    const QColor plain = windowTextColour();
    for (int n = 1; n <= 13; ++n) {
        setTextColour(m_widgets.noteNames[n], plain);
    }
    // The fixed C's readout is never highlighted, so it is left alone.
    for (int n = 2; n <= 13; ++n) {
        setTextColour(m_widgets.readouts[n], plain);
    }
}

void ReadoutPanel::markKey(int key) {
    for (int n = 1; n <= 13; ++n) {
        setLabelSize(m_widgets.noteNames[n], kNamePointSize, kNoteNameTop);
    }
    if (key >= 1 && key <= 13) {
        setLabelSize(m_widgets.noteNames[key], kKeyNamePointSize, kKeyNameTop);
    }
}

void ReadoutPanel::lightTones(const std::array<bool, 14>& lit) {
    for (int tone = 1; tone <= 13; ++tone) {
        if (lit[tone] != m_lit[tone]) {
            setLit(m_widgets.noteNames[tone], lit[tone]);
        }
    }
    m_lit = lit;
}

bool ReadoutPanel::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if ((!press && event->type() != QEvent::MouseButtonRelease) ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    for (int tone = 1; tone <= 13; ++tone) {
        if (watched == m_widgets.noteNames[tone]) {
            if (press) {
                emit noteNamePressed(tone);
            } else {
                emit noteNameReleased();
            }
            return true;
        }
    }
    return false;
}
