// The triad diagram's marks, bars and reference lines, and what each mark says it is.
#include "ui/diagram/triad_diagram.h"

#include "core/rounding.h"
#include "ui/diagram/diagram_geometry.h"
#include "ui/model/descriptions.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/palette.h"
#include "ui/widgets/shape.h"

#include <QCursor>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <array>

#include <cstddef>
#include <limits>

using klangora::roundHalfEven;
using namespace diagram;

namespace {

constexpr std::array<int, 3> kReferenceLineYs = {kPureThirdLineY, kPureFifthLineY, kRootLineY};

int markLeft(int column, int width) {
    return static_cast<int>(roundHalfEven(columnLine(column) - width / 2.0L + kMarkShift));
}

int markTop(long double cents, long double equalCents, long double equalTop) {
    return static_cast<int>(roundHalfEven(equalTop - (cents - equalCents) * kPixelsPerCent));
}

void moveLeft(QWidget* widget, int left) {
    widget->move(left, widget->y());
}

// The roots of the two c's have no tooltip; only their description says that c is fixed.
bool carriesTooltip(int column, int row) {
    return row != 0 || !music::isFixedC(column);
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
    return column - 1 + music::semitonesOfRow(row);
}

} // namespace

TriadDiagram::TriadDiagram(const Widgets& widgets, const TuningModel& model, QObject* parent)
    : QObject(parent), m_model(model), m_redrawTimer(widgets.redrawTimer), m_marks(widgets.marks),
      m_bars(widgets.bars) {
    forgetDescriptions();
    connect(m_redrawTimer, &QTimer::timeout, this, &TriadDiagram::Timer1Timer);
    connect(&model, &TuningModel::tonesChanged, this, &TriadDiagram::followTuning);
    connect(&model, &TuningModel::tuningSet, this, &TriadDiagram::Timer1Timer);
    m_redrawTimer->start();
    followTuning(0);
}

// No text counts as written: nothing equals NaN, so the next description writes all of them.
void TriadDiagram::forgetDescriptions() {
    const double none = std::numeric_limits<double>::quiet_NaN();
    for (auto& column : m_describedCents) {
        column.fill({none, none});
    }
}

void TriadDiagram::describeMarksAnew() {
    forgetDescriptions();
    describeMarks();
}

void TriadDiagram::followTuning(ToneMask) {
    centTILnode();
    describeMarks();
}

void TriadDiagram::placeColumns() {
    for (int n = 1; n <= 13; ++n) {
        m_bars[n][1]->move(columnLine(n), kThirdBarTop);
        m_bars[n][2]->move(columnLine(n), kFifthBarTop);
        placeTone(n, n);
    }
}

void TriadDiagram::arrange(bool fifths) {
    for (int tone = 1; tone <= 13; ++tone) {
        if (music::placeOf(tone, true) != tone) {
            placeTone(tone, music::placeOf(tone, fifths));
        }
    }
    // The bars stay in their chromatic columns, except the fifth bar of H, which takes the
    // place of the invisible bar under F's fifth (the c).
    moveLeft(m_bars[12][2], fifths ? kHFifthBarFifthsLeft : kHFifthBarChromaticLeft);
    Timer1Timer();
}

void TriadDiagram::placeTone(int tone, int column) {
    for (int row = 0; row <= 2; ++row) {
        moveLeft(m_marks[tone][row], markLeft(column, m_marks[tone][row]->width()));
    }
    emit toneMoved(tone, columnLine(column));
}

void TriadDiagram::showSelected(int column, int row) {
    m_marks[column][row]->setPenWidth(kSelectedPenWidth);
    m_marks[column][row]->setChecked(true);
}

void TriadDiagram::showNoSelection() {
    for (int n = 1; n <= 13; ++n) {
        for (int row = 0; row <= 2; ++row) {
            m_marks[n][row]->setPenWidth(kNormalPenWidth);
            m_marks[n][row]->setChecked(false);
        }
    }
}

void TriadDiagram::centTILnode() {
    const klangora::ToneTable& tones = m_model.tones();
    for (int i = 0; i <= 12; ++i) {
        Shape* third = m_marks[i + 1][1];
        Shape* fifth = m_marks[i + 1][2];
        third->move(third->x(), markTop(tones.thirdCents[i], kEqualThirdCents, kEqualThirdTop));
        fifth->move(fifth->x(), markTop(tones.fifthCents[i], kEqualFifthCents, kEqualFifthTop));
    }
}

// The step that drew the reference lines has nothing left to do: the lines are part of the
// window's own painting, underneath the marks and bars, so every repaint of any part of the
// diagram draws them again and nothing can wipe them. Asking for a repaint here would only
// redraw every mark that crosses them, on every arrow key. The step stays because Timer1 and
// the window's public step of the same name run it.
void TriadDiagram::tegnRenStreg() {}

void TriadDiagram::paintReferenceLines(QPainter& painter) const {
    painter.setPen(QPen(colours::red, 1, Qt::DotLine));
    for (int y : kReferenceLineYs) {
        painter.drawLine(kReferenceLineLeft, y, kReferenceLineRight, y);
    }
}

void TriadDiagram::Timer1Timer() {
    tegnRenStreg();
    // A tick switches the timer off; a direct call while it is off schedules one more redraw.
    if (m_redrawTimer->isActive()) {
        m_redrawTimer->stop();
    } else {
        m_redrawTimer->start();
    }
}

void TriadDiagram::describeMarks() {
    const klangora::ToneTable& tones = m_model.tones();
    for (int column = 1; column <= 13; ++column) {
        for (int row = 0; row <= 2; ++row) {
            const std::pair<double, double> cents = {
                tones.toneCents[static_cast<std::size_t>(column - 1)],
                tones.toneCents[static_cast<std::size_t>(upperToneIndex(column, row))]};
            if (cents == m_describedCents[column][row]) {
                continue;
            }
            m_describedCents[column][row] = cents;
            Shape* mark = m_marks[column][row];
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
