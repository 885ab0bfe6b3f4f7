#pragma once

// The "Lektioner" submenu: the lessons the program brings (those in the interface's language)
// and those in the user's own lessons folder, each by its title, and a way to that folder.
#include <QObject>
#include <QString>

class QMenu;

class LessonsMenu : public QObject {
    Q_OBJECT

public:
    explicit LessonsMenu(QObject* parent = nullptr);

    void addToMenu(QMenu& menu);

signals:
    // The full path of the lesson chosen.
    void lessonChosen(const QString& path);
};
