// The readout panel: one number per column, frequency, cent value or the deviation of the
// third or fifth built on that tone from pure.
#include "ui/form1.h"

#include "core/readings.h"
#include "ui/number_format.h"

#include <QLabel>
#include <QRadioButton>

using klangora::centReadout;
using klangora::deviationReadout;
using klangora::frequencyReadout;
using klangora::kPureFifthCents;
using klangora::kPureThirdCents;

void TForm1::opdaterLabel() {
    klangora::deriveThirdsAndFifths(tones);
    for (int i = 0; i <= 12; ++i) {
        long double value = 0;
        if (rbterts->isChecked()) {
            value = deviationReadout(tones.thirdCents[i], kPureThirdCents);
        } else if (rbkvint->isChecked()) {
            value = deviationReadout(tones.fifthCents[i], kPureFifthCents);
        } else if (rbCent->isChecked()) {
            value = centReadout(tones.toneCents[i]);
        } else {
            value = frequencyReadout(tones.toneCents[i]);
        }
        QLabel* label = readoutLabels[i + 1];
        label->setText(formatReadout(value));
        label->adjustSize();
    }
    nameReadouts();
    describeMarks();
}

// Whichever readout button becomes checked, the panel shows the numbers it names.
void TForm1::showReadoutMode() {
    nodetykkelse();
    opdaterLabel();
    focus();
}

void TForm1::rbFreClick() {
    showReadoutMode();
}
void TForm1::rbCentClick() {
    showReadoutMode();
}
void TForm1::rbtertsClick() {
    showReadoutMode();
}
void TForm1::rbkvintClick() {
    showReadoutMode();
}
