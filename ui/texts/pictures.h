#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's own pictures, drawn in code: a C major triad on a staff for the window icon and
// the triad button, and small four-part settings for the two chorale buttons.
namespace pictures {

QPixmap triad(QSize size);
QPixmap chorale(QSize size);
QPixmap chromaticChorale(QSize size);
// The program's icon, square, drawn for one side length in pixels. The window icon and the
// icons installed for the desktop are both made from it, at these sides.
inline constexpr int kAppIconSides[] = {16, 32, 48, 64, 128, 256};
QPixmap appIcon(int side);
QIcon windowIcon();

} // namespace pictures
