#pragma once

// The library of historical temperaments: a submenu of the window's context menu, one entry a
// temperament, each acting like a temperament button.
#include <QObject>

class QMenu;
class QWidget;
class TuningControls;

class TemperamentMenu : public QObject {
    Q_OBJECT

public:
    TemperamentMenu(QWidget& window, TuningControls& controls);

    // Adds the submenu "Historiske stemninger" to a menu.
    void addToMenu(QMenu& menu) const;

private:
    QWidget& m_window;
};
