// The triad diagram: its control tables, placement, mark heights, reference lines and the
// switch between chromatic and fifths arrangement.
#include "ui/form1.h"

#include "core/rounding.h"
#include "ui/diagram_geometry.h"
#include "ui/palette.h"
#include "ui/shape.h"
#include "ui/tone_slider.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using klangora::roundHalfEven;

namespace {

const QStringList kNoteNames = {"C", "C#", "D", "Eb", "E", "F", "F#",
                                "G", "G#", "A", "Bb", "H", "C"};

const QString kToFifths = "vis i KVINT-opstilling";
const QString kToChromatic = "vis i KROMATISK opstilling";

// Reference lines: where the centre of a mark sits when its interval is pure (third, fifth)
// and the centre line of the roots.
constexpr std::array<int, 3> kReferenceLineYs = {183, 54, 272};
constexpr int kReferenceLineLeft = 120;
constexpr int kReferenceLineRight = 640;

int columnLine(int column) {
    return 40 * column + 100;
}

int markLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L + 2));
}

int panelChildLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L)) - diagram::kPanelLeft;
}

int keyButtonLeft(int column, int nameWidth) {
    return static_cast<int>(roundHalfEven(40 * column + 224 - nameWidth / 2.0L)) -
           diagram::kPanelLeft;
}

// 89 pixels for every 80 cents, upwards for wider intervals: a 400-cent third at top 160,
// a 700-cent fifth at top 48.
int markTop(long double cents, long double equalCents, long double equalTop) {
    return static_cast<int>(roundHalfEven(equalTop - (cents - equalCents) * 89.0L / 80.0L));
}

void moveLeft(QWidget* widget, int left) {
    widget->move(left, widget->y());
}

} // namespace

void TForm1::BTnavngivning() {
    clickHintText = "Klik på en tone og brug så piletasterne, hvis du vil flytte den.";
    arrowHintText = "Brug piletasterne \"pil-op\" og \"pil-ned\" til at flytte tonen.";
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            toneShapes[n][row] = findChild<Shape*>(QString("knap%1%2").arg(n).arg(row));
        }
        barShapes[n][1] = findChild<Shape*>(QString("linie%1%2").arg(n).arg(1));
        barShapes[n][2] = findChild<Shape*>(QString("linie%1%2").arg(n).arg(2));
        keyButtons[n] = findChild<QRadioButton*>(QString("sp%1").arg(n));
        readoutLabels[n] = findChild<QLabel*>(QString("lb%1").arg(n));
        noteNameLabels[n] = findChild<QLabel*>(QString("na%1").arg(n));
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k] = findChild<ToneSlider*>(QString("sb%1").arg(k));
    }
    for (int n = 1; n <= 13; ++n) {
        noteNameLabels[n]->setText(kNoteNames[n - 1]);
        noteNameLabels[n]->adjustSize();
    }
}

void TForm1::BTplacering() {
    selectedTone = diagram::kNoSelection;
    selectedRow = 1;
    stemningLabelLeft = 670;
    for (int n = 1; n <= 13; ++n) {
        barShapes[n][1]->move(columnLine(n), 128);
        barShapes[n][2]->move(columnLine(n), 16);
        for (int row = 0; row <= 2; ++row) {
            moveLeft(toneShapes[n][row], markLeft(n, toneShapes[n][row]->width()));
        }
    }
    for (int n = 1; n <= 13; ++n) {
        placeInColumn(n, n);
        keyButtons[n]->setText(QString());
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k]->move(toneSliders[k]->x(), 365);
    }
}

// The readout, the note name and the key button of a tone, centred on a column. The key
// button sits just right of the note name's centre, under the root mark.
void TForm1::placeInColumn(int tone, int column) {
    QLabel* readout = readoutLabels[tone];
    QLabel* name = noteNameLabels[tone];
    moveLeft(readout, panelChildLeft(column, readout->width()));
    name->move(panelChildLeft(column, name->width()), 15);
    keyButtons[tone]->move(keyButtonLeft(column, name->width()), 300);
}

void TForm1::nodetykkelse() {
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            toneShapes[n][row]->setPenWidth(normalPenWidth);
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
        third->move(third->x(), markTop(tones.thirdCents[i], 400.0L, 160.0L));
        fifth->move(fifth->x(), markTop(tones.fifthCents[i], 700.0L, 48.0L));
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

void TForm1::Timer2Timer() {
    Timer2->stop();
    kromkvintClick();
}

void TForm1::kromkvintClick() {
    nodetykkelse();
    const bool toFifths = kromkvint->text() == kToFifths;
    for (int tone = 2; tone <= 12; tone += 2) {
        const int column = diagram::columnOf(tone, toFifths);
        for (int row = 0; row <= 2; ++row) {
            moveLeft(toneShapes[tone][row], markLeft(column, toneShapes[tone][row]->width()));
        }
        placeInColumn(tone, column);
    }
    // The bars stay in their chromatic columns, except the fifth bar of H, which takes the
    // place of the invisible bar under F's fifth (the c) in the fifths arrangement.
    moveLeft(barShapes[12][2], toFifths ? 340 : 580);
    kromkvint->setText(toFifths ? kToChromatic : kToFifths);
    focus();
    tegnRenStreg();
    Timer1Timer();
}
