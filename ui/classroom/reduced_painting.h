#pragma once

// Painting for the zoom steps below 100 %. Qt 6.4 lays a window out, places it on the screen and
// maps the mouse and the screen reader through a device pixel ratio below 1 as it does above, but
// its painter never scales a paint device down: every widget would draw at full size into a
// window that has become smaller, and the children would be cut off. While a window's ratio is
// below 1 this filter leaves out Qt's own painting of its widgets on the screen and, each time
// Qt has brought the window up to date, draws the whole window anew through a painter scaled by
// the ratio (so text, lines and the staff pictures are drawn for the zoom, not shrunk from a
// bitmap) and shows it.
#include <QObject>

class QWidget;

class ReducedPainting : public QObject {
    Q_OBJECT

public:
    // Filters the whole application's paint events from now on, for every window (the main
    // window, its tool windows, menus and tooltips) whose ratio is below 1.
    ReducedPainting();
    ~ReducedPainting() override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintWhole(QWidget& window);

    // While the window renders itself for one paint, its widgets paint as usual.
    bool m_rendering = false;
};
