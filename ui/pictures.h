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
QIcon windowIcon();

} // namespace pictures
