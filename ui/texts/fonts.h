#pragma once

#include <QFont>

class QWidget;

// The window's typeface and the sizes its captions are set in. Sizes are given as the layout
// names them, in points: 8 for the small print, 10, 12 and 14 for headings and note names.
namespace fonts {

// The font every control inherits from the window: the small print.
QFont windowFont();
// The font of the given parent at a layout size, bold or not.
QFont designFont(const QWidget* parent, int designPoints, bool bold);
// Sets a control's text to a layout size, keeping its face and weight.
void setDesignSize(QWidget* widget, int designPoints);

} // namespace fonts
