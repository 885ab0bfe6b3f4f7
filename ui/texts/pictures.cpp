#include "ui/texts/pictures.h"

#include "ui/texts/palette.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

namespace pictures {

namespace {

// The triad's tones wear the colours they have in the diagram: c white, e green, g red.
const QColor kCColour(Qt::white);
const QColor& kEColour = colours::green;
const QColor& kGColour = colours::red;
const QColor kInk(0x20, 0x20, 0x20);

struct Staff {
    qreal top; // y of the top line
    qreal gap; // distance between two lines
    qreal left;
    qreal right;

    // Staff step s counts lines and spaces upwards from the bottom line (0 = bottom line).
    qreal y(int step) const { return top + 4 * gap - step * gap / 2; }
};

QPixmap blank(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0xff, 0xfb, 0xf0));
    return pixmap;
}

void drawStaff(QPainter& p, const Staff& staff) {
    p.setPen(QPen(kInk, 1));
    for (int line = 0; line < 5; ++line) {
        const qreal y = staff.top + line * staff.gap;
        p.drawLine(QPointF(staff.left, y), QPointF(staff.right, y));
    }
}

void drawLedger(QPainter& p, const Staff& staff, qreal x, int step) {
    // Steps below the bottom line (negative even steps) need short ledger lines.
    p.setPen(QPen(kInk, 1));
    for (int s = -2; s >= step; s -= 2) {
        const qreal y = staff.y(s);
        p.drawLine(QPointF(x - staff.gap, y), QPointF(x + staff.gap, y));
    }
}

void drawHead(QPainter& p, const Staff& staff, qreal x, int step, const QColor& fill) {
    drawLedger(p, staff, x, step);
    p.save();
    p.translate(x, staff.y(step));
    p.rotate(-20);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(fill);
    p.drawEllipse(QPointF(0, 0), staff.gap * 0.72, staff.gap * 0.5);
    p.restore();
}

void drawSharp(QPainter& p, const Staff& staff, qreal x, int step) {
    const qreal y = staff.y(step);
    const qreal g = staff.gap;
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(x - g * 0.25, y - g * 0.8), QPointF(x - g * 0.25, y + g * 0.8));
    p.drawLine(QPointF(x + g * 0.25, y - g * 0.9), QPointF(x + g * 0.25, y + g * 0.7));
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(x - g * 0.55, y - g * 0.15), QPointF(x + g * 0.55, y - g * 0.35));
    p.drawLine(QPointF(x - g * 0.55, y + g * 0.35), QPointF(x + g * 0.55, y + g * 0.15));
}

// A chord: staff steps of its heads, and which of them carries a sharp.
struct Chord {
    std::vector<int> steps;
    std::vector<int> sharps;
};

void drawChord(QPainter& p, const Staff& staff, qreal x, const Chord& chord) {
    for (int step : chord.sharps) {
        drawSharp(p, staff, x - staff.gap * 1.6, step);
    }
    for (int step : chord.steps) {
        drawHead(p, staff, x, step, kInk);
    }
    // One stem for the chord, down from the highest head.
    int high = chord.steps.front();
    int low = chord.steps.front();
    for (int step : chord.steps) {
        high = std::max(high, step);
        low = std::min(low, step);
    }
    const qreal stemX = x - staff.gap * 0.68;
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(stemX, staff.y(high)), QPointF(stemX, staff.y(low) + 3.2 * staff.gap));
}

Staff staffIn(const QRectF& area, qreal gap) {
    const qreal top = area.top() + (area.height() - 4 * gap) / 2;
    return {top, gap, area.left(), area.right()};
}

void drawSetting(QPainter& p, QSize size, const std::vector<Chord>& upper,
                 const std::vector<Chord>& lower) {
    const qreal gap = size.height() / 14.0;
    const QRectF top(4, 0, size.width() - 8, size.height() / 2.0);
    const QRectF bottom(4, size.height() / 2.0, size.width() - 8, size.height() / 2.0);
    const Staff treble = staffIn(top, gap);
    const Staff bass = staffIn(bottom, gap);
    drawStaff(p, treble);
    drawStaff(p, bass);
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(treble.left, treble.top), QPointF(bass.left, bass.y(0)));
    const qreal step = (size.width() - 16.0) / static_cast<qreal>(upper.size());
    for (std::size_t n = 0; n < upper.size(); ++n) {
        const qreal x = 14 + step * (static_cast<qreal>(n) + 0.5);
        drawChord(p, treble, x, upper[n]);
        drawChord(p, bass, x, lower[n]);
    }
}

} // namespace

QPixmap triad(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal gap = size.height() / 8.0;
    const Staff staff =
        staffIn(QRectF(QPointF(2, 0), QSizeF(size.width() - 4, size.height())), gap);
    drawStaff(p, staff);
    // c' e' g' in the treble clef: the c on its ledger line, e on the bottom line, g above.
    const qreal x = size.width() / 2.0;
    drawHead(p, staff, x, -2, kCColour);
    drawHead(p, staff, x, 0, kEColour);
    drawHead(p, staff, x, 2, kGColour);
    return pixmap;
}

QPixmap chorale(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Soprano and alto on the upper staff, tenor and bass on the lower, plain diatonic chords.
    drawSetting(p, size, {{{1, -2}, {}}, {{1, -3}, {}}, {{0, -5}, {}}, {{-2, -5}, {}}},
                {{{6, 2}, {}}, {{4, 0}, {}}, {{3, -1}, {}}, {{2, -4}, {}}});
    return pixmap;
}

QPixmap chromaticChorale(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawSetting(p, size, {{{1, -2}, {}}, {{1, -3}, {}}, {{1, -2}, {}}, {{0, -5}, {}}},
                {{{6, 2}, {}}, {{5, 0}, {5}}, {{3, 3}, {}}, {{3, 1}, {3}}});
    return pixmap;
}

namespace {

// Sides up to which the icon is drawn in its small form.
constexpr int kLargestSmallIcon = 32;

// A five-line staff at 16 or 32 pixels is a grey smudge. The small icon keeps what still reads
// at that size: the triad's three notes in their diagram colours, climbing from left to right
// so that each keeps its own outline, on the two lines the e and the g sit on and the short
// ledger line of the c. Drawn on a 16-pixel grid scaled to the side, so that lines and outlines
// fall on whole pixels.
QPixmap smallAppIcon(int side) {
    QPixmap pixmap = blank(QSize(side, side));
    QPainter p(&pixmap);
    const int unit = std::max(1, side / 16);
    const auto at = [unit](qreal gridUnits) { return gridUnits * unit; };
    const qreal lineWidth = unit;
    const auto line = [&](qreal y, qreal left, qreal right) {
        p.fillRect(QRectF(at(left), at(y) - lineWidth / 2, at(right - left), lineWidth), kInk);
    };
    line(4.5, 0, 16);
    line(8.5, 0, 16);
    line(12.5, 0, 8);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, unit));
    const auto head = [&](qreal x, qreal y, const QColor& fill) {
        p.setBrush(fill);
        p.drawEllipse(QPointF(at(x), at(y)), at(2.5), at(2));
    };
    head(4, 12.5, kCColour);
    head(8, 8.5, kEColour);
    head(12, 4.5, kGColour);
    return pixmap;
}

} // namespace

QPixmap appIcon(int side) {
    return side <= kLargestSmallIcon ? smallAppIcon(side) : triad(QSize(side, side));
}

QIcon windowIcon() {
    QIcon icon;
    for (int side : kAppIconSides) {
        icon.addPixmap(appIcon(side));
    }
    return icon;
}

} // namespace pictures
