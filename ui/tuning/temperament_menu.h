#pragma once

// The library of historical temperaments: a submenu of the window's context menu, one entry a
// temperament, each acting like a temperament button.
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;
class TuningModel;

class TemperamentMenu : public QObject {
    Q_OBJECT

public:
    // The actions belong to the window, whose context menu shows them.
    TemperamentMenu(QWidget& window, TuningModel& model);

    // Adds the submenu "Historiske stemninger" to a menu.
    void addToMenu(QMenu& menu) const;

private:
    QList<QAction*> m_actions;
};
