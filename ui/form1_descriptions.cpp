// What every control, mark and readout says it is: the Danish names and descriptions that
// assistive technology reads, and the marks' tooltips, which follow every retuning.
#include "ui/form1.h"

#include "ui/control_names.h"
#include "ui/descriptions.h"
#include "ui/diagram_geometry.h"
#include "ui/shape.h"

#include <QCursor>
#include <QLabel>
#include <QRadioButton>
#include <QToolTip>

#include <cstddef>
#include <limits>
#include <utility>

namespace {

// The roots of the two c's have no tooltip; only their description says that c is fixed.
bool carriesTooltip(int column, int row) {
    return row != 0 || !diagram::isFixedC(column);
}

// A tooltip that is open keeps up with its mark: the hovered mark is the one whose old text
// is on screen.
void followOpenTooltip(Shape* mark, const QString& oldText, const QString& newText) {
    if (QToolTip::isVisible() && QToolTip::text() == oldText) {
        QToolTip::showText(QCursor::pos(), newText, mark);
    }
}

// The tone index of a mark's upper tone, unfolded: the third and fifth of the upper columns
// lie in the table's second octave.
int upperToneIndex(int column, int row) {
    return column - 1 + (row == 0 ? 0 : row == 1 ? 4 : 7);
}

} // namespace

void TForm1::nameControls() {
    // No text is written yet: nothing equals NaN, so the first description writes all of them.
    const double none = std::numeric_limits<double>::quiet_NaN();
    for (auto& column : describedCents) {
        column.fill({none, none});
    }
    const auto name = [this](const QString& objectName, const QString& text) {
        findChild<QWidget*>(objectName)->setAccessibleName(text);
    };
    // The sound buttons show only a picture; their names say what they play.
    name("BitBtn1", "Hør en ren treklang og treklangen i den aktuelle stemning");
    name("BitBtn2", "Hør en lille 4-stemmig sats i den valgte toneart");
    name("BitBtn3", "Hør en lille 4-stemmig sats med mere kromatik i den valgte toneart");
    name("Image1", "Billede af en treklang");
    name("Panel1", "Tal for tonerne");
    for (int tone = 1; tone <= 13; ++tone) {
        name(controls::keyName(tone), descriptions::keyButtonName(tone));
        for (int row = 0; row <= 2; ++row) {
            name(controls::markName(tone, row), descriptions::markName(tone, row));
        }
        for (int row = 1; row <= 2; ++row) {
            name(controls::barName(tone, row), descriptions::barName(tone, row));
        }
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        auto* slider = findChild<QWidget*>(controls::sliderName(k));
        slider->setAccessibleName(descriptions::sliderName(k));
        slider->setAccessibleDescription(
            "Pil-op hæver og pil-ned sænker tonen 1/20 cent; Home sætter den 30 cent over den "
            "ligesvævende, End 30 cent under.");
    }
    plFlytMedPil->setToolTip(descriptions::keyboardPathText());
    plFlytMedPil->setAccessibleDescription(descriptions::keyboardPathText());
}

void TForm1::describeMarks() {
    for (int column = 1; column <= 13; ++column) {
        for (int row = 0; row <= 2; ++row) {
            const std::pair<double, double> cents = {
                tones.toneCents[static_cast<std::size_t>(column - 1)],
                tones.toneCents[static_cast<std::size_t>(upperToneIndex(column, row))]};
            if (cents == describedCents[column][row]) {
                continue;
            }
            describedCents[column][row] = cents;
            Shape* mark = toneShapes[column][row];
            const QString text = descriptions::markDescription(tones, column, row);
            const QString oldText = mark->accessibleDescription();
            if (text == oldText) {
                continue;
            }
            mark->setAccessibleDescription(text);
            if (carriesTooltip(column, row)) {
                mark->setToolTip(text);
                followOpenTooltip(mark, oldText, text);
            }
        }
    }
}

void TForm1::nameReadouts() {
    descriptions::ReadoutMode mode = descriptions::ReadoutMode::frequency;
    if (rbterts->isChecked()) {
        mode = descriptions::ReadoutMode::thirdDeviation;
    } else if (rbkvint->isChecked()) {
        mode = descriptions::ReadoutMode::fifthDeviation;
    } else if (rbCent->isChecked()) {
        mode = descriptions::ReadoutMode::cents;
    }
    for (int tone = 1; tone <= 13; ++tone) {
        QLabel* label = readoutLabels[tone];
        auto& named = namedReadoutNumbers[static_cast<std::size_t>(tone)];
        if (mode == namedReadoutMode && label->text() == named) {
            continue;
        }
        named = label->text();
        label->setAccessibleName(descriptions::readoutName(mode, tone, named));
    }
    namedReadoutMode = mode;
}
