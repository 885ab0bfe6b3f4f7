// The readout panel: one number per column, frequency, cent value or the deviation of the
// third or fifth built on that tone from pure.
#include "ui/form1.h"

#include "core/rounding.h"
#include "ui/number_format.h"

#include <QLabel>
#include <QRadioButton>

#include <cmath>

using klangora::roundHalfEven;

namespace {

// The pure major third (5/4) and fifth (3/2) in cents, to three decimals.
constexpr long double kPureThirdCents = 386.314L;
constexpr long double kPureFifthCents = 701.955L;
// The panel shows pitches from C = 261.6 Hz; the sound uses 261 Hz.
constexpr long double kDisplayBaseHz = 261.6L;

long double frequencyReadout(long double cents) {
    const long double ratio = std::pow(10.0L, std::log10(2.0L) * cents / 1200.0L);
    return roundHalfEven(ratio * kDisplayBaseHz * 10.0L) / 10.0L;
}

long double centReadout(long double cents) {
    return roundHalfEven(cents * 10.0L) / 10.0L;
}

long double deviationReadout(long double cents, long double pure) {
    return roundHalfEven((cents - pure) * 10.0L) * 0.1L;
}

} // namespace

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
