#include "ui/texts/palette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::WindowText) == colour) {
        return;
    }
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QColor windowTextColour() {
    return QApplication::palette().color(QPalette::WindowText);
}
