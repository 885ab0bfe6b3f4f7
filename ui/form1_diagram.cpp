// The triad diagram: its control tables, placement, mark heights, reference lines and the
// switch between chromatic and fifths arrangement.
#include "ui/form1.h"

#include "core/rounding.h"
#include "ui/control_names.h"
#include "ui/diagram_geometry.h"
#include "ui/palette.h"
#include "ui/shape.h"
#include "ui/tone_slider.h"
#include "ui/window_texts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using klangora::roundHalfEven;
using namespace diagram;

namespace {

constexpr std::array<int, 3> kReferenceLineYs = {kPureThirdLineY, kPureFifthLineY, kRootLineY};

int columnLine(int column) {
    return kColumnSpacing * column + kColumnOffset;
}

int markLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L + kMarkShift));
}

int panelChildLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L)) - kPanelLeft;
}

int keyButtonLeft(int column, int nameWidth) {
    return static_cast<int>(
               roundHalfEven(columnLine(column) + kKeyButtonShift - nameWidth / 2.0L)) -
           kPanelLeft;
}

int markTop(long double cents, long double equalCents, long double equalTop) {
    return static_cast<int>(roundHalfEven(equalTop - (cents - equalCents) * kPixelsPerCent));
}

void moveLeft(QWidget* widget, int left) {
    widget->move(left, widget->y());
}

} // namespace

void TForm1::BTnavngivning() {
    clickHintText = texts::kClickHint;
    arrowHintText = texts::kArrowHint;
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            toneShapes[n][row] = findChild<Shape*>(controls::markName(n, row));
        }
        barShapes[n][1] = findChild<Shape*>(controls::barName(n, 1));
        barShapes[n][2] = findChild<Shape*>(controls::barName(n, 2));
        keyButtons[n] = findChild<QRadioButton*>(controls::keyName(n));
        readoutLabels[n] = findChild<QLabel*>(controls::readoutName(n));
        noteNameLabels[n] = findChild<QLabel*>(controls::noteName(n));
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k] = findChild<ToneSlider*>(controls::sliderName(k));
    }
    for (int n = 1; n <= 13; ++n) {
        noteNameLabels[n]->setText(diagram::noteName(n));
        noteNameLabels[n]->adjustSize();
    }
}

void TForm1::BTplacering() {
    selectedTone = kNoSelection;
    selectedRow = 1;
    stemningLabelLeft = kOwnTuningCaptionLeft;
    for (int n = 1; n <= 13; ++n) {
        barShapes[n][1]->move(columnLine(n), kThirdBarTop);
        barShapes[n][2]->move(columnLine(n), kFifthBarTop);
        for (int row = 0; row <= 2; ++row) {
            moveLeft(toneShapes[n][row], markLeft(n, toneShapes[n][row]->width()));
        }
    }
    for (int n = 1; n <= 13; ++n) {
        placeInColumn(n, n);
        keyButtons[n]->setText(QString());
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k]->move(toneSliders[k]->x(), kSliderTop);
    }
}

// The readout, the note name and the key button of a tone, centred on a column.
void TForm1::placeInColumn(int tone, int column) {
    QLabel* readout = readoutLabels[tone];
    QLabel* name = noteNameLabels[tone];
    moveLeft(readout, panelChildLeft(column, readout->width()));
    name->move(panelChildLeft(column, name->width()), kNoteNameTop);
    keyButtons[tone]->move(keyButtonLeft(column, name->width()), kKeyButtonTop);
}

void TForm1::nodetykkelse() {
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            toneShapes[n][row]->setPenWidth(normalPenWidth);
            toneShapes[n][row]->setChecked(false);
        }
    }
    const QColor plain = windowTextColour();
    for (int n = 1; n <= 13; ++n) {
        setTextColour(noteNameLabels[n], plain);
    }
    // The fixed C's readout is never highlighted, so it is left alone.
    for (int n = 2; n <= 13; ++n) {
        setTextColour(readoutLabels[n], plain);
    }
}

void TForm1::centTILnode() {
    klangora::deriveThirdsAndFifths(tones);
    for (int i = 0; i <= 12; ++i) {
        Shape* third = toneShapes[i + 1][1];
        Shape* fifth = toneShapes[i + 1][2];
        third->move(third->x(), markTop(tones.thirdCents[i], kEqualThirdCents, kEqualThirdTop));
        fifth->move(fifth->x(), markTop(tones.fifthCents[i], kEqualFifthCents, kEqualFifthTop));
    }
    tegnRenStreg();
}

void TForm1::tegnRenStreg() {
    // The reference lines are part of the window's own painting (paintEvent), underneath the
    // marks and bars, so every repaint of any part of the diagram draws them again and nothing
    // can wipe them. When a step asks for them they are therefore already on screen, and asking
    // for a repaint here would only redraw every mark that crosses them, on every arrow key.
}

void TForm1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colours::red, 1, Qt::DotLine));
    for (int y : kReferenceLineYs) {
        painter.drawLine(kReferenceLineLeft, y, kReferenceLineRight, y);
    }
}

void TForm1::Timer1Timer() {
    tegnRenStreg();
    // A tick switches the timer off; a direct call while it is off schedules one more redraw.
    if (Timer1->isActive()) {
        Timer1->stop();
    } else {
        Timer1->start();
    }
}

bool TForm1::inFifthsArrangement() const {
    return kromkvint->text() == QString(texts::kToChromatic);
}

void TForm1::Timer2Timer() {
    Timer2->stop();
    kromkvintClick();
}

void TForm1::kromkvintClick() {
    nodetykkelse();
    const bool toFifths = !inFifthsArrangement();
    for (int tone = 2; tone <= 12; tone += 2) {
        const int column = columnOf(tone, toFifths);
        for (int row = 0; row <= 2; ++row) {
            moveLeft(toneShapes[tone][row], markLeft(column, toneShapes[tone][row]->width()));
        }
        placeInColumn(tone, column);
    }
    // The bars stay in their chromatic columns, except the fifth bar of H.
    moveLeft(barShapes[12][2], toFifths ? kHFifthBarFifthsLeft : kHFifthBarChromaticLeft);
    kromkvint->setText(toFifths ? texts::kToChromatic : texts::kToFifths);
    focus();
    tegnRenStreg();
    Timer1Timer();
}
