#include "ui/texts/fonts.h"

#include <QWidget>

namespace fonts {

namespace {

// The layout was drawn for a narrow 8-point bitmap font. DejaVu Sans Condensed carries every
// Danish letter, but its letters are wider: at 8 points "klang og treklangen" runs under the
// triad button and "Vis afvigelsen fra den RENE terts i cent" loses its last letter. Its small
// print is therefore set at 7.5 points (10 pixels at 96 dpi), where every caption stays inside
// the room the layout gives it; the headings and note names keep their sizes.
constexpr int kDesignSmallPrint = 8;
constexpr double kSmallPrintPoints = 7.5;

double pointsFor(int designPoints) {
    return designPoints == kDesignSmallPrint ? kSmallPrintPoints : designPoints;
}

} // namespace

QFont windowFont() {
    QFont font("DejaVu Sans Condensed");
    font.setPointSizeF(kSmallPrintPoints);
    // Hinting would snap the ring of å above the line that a label is sized to.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont designFont(const QWidget* parent, int designPoints, bool bold) {
    QFont font = parent->font();
    font.setPointSizeF(pointsFor(designPoints));
    font.setBold(bold);
    return font;
}

void setDesignSize(QWidget* widget, int designPoints) {
    QFont font = widget->font();
    if (font.pointSizeF() == pointsFor(designPoints)) {
        return;
    }
    font.setPointSizeF(pointsFor(designPoints));
    widget->setFont(font);
}

} // namespace fonts
