#pragma once

#include <QColor>

class QWidget;

// The named colours of the window.
namespace colours {
inline const QColor red{0xFF, 0x00, 0x00};
inline const QColor yellow{0xFF, 0xFF, 0x00};
inline const QColor green{0x00, 0x80, 0x00};
inline const QColor fuchsia{0xFF, 0x00, 0xFF};
inline const QColor purple{0x80, 0x00, 0x80};
// The classic desktop background, which the marks of D wear.
inline const QColor desktop{0x3A, 0x6E, 0xA5};
} // namespace colours

// Text colour of a label or button, through its palette.
void setTextColour(QWidget* widget, const QColor& colour);

// The system's window-text colour, which plain labels go back to.
QColor windowTextColour();
