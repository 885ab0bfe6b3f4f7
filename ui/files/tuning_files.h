#pragma once

// Keeping and exchanging a tuning as a Scala scale file (.scl): Ctrl+O and Ctrl+S, their entries
// in the background's context menu, and files dropped on the window.
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QWidget;
class TuningModel;

class TuningFiles : public QObject {
    Q_OBJECT

public:
    // The window is the dialogs' parent, answers the shortcuts and takes the drops; while a
    // chord sounds (soundPlaying) it takes no other input.
    TuningFiles(QWidget& window, TuningModel& model, std::function<bool()> soundPlaying);

    // A Scala scale file onto the sliders, or the current tuning into one. On failure they say
    // why in a message box, change nothing else and return false.
    bool openTuning(const QString& path);
    bool saveTuning(const QString& path);

    // Music files (.mid, .midi) go here when they are opened or dropped; Ctrl+O then offers
    // tunings and music alike.
    void setMusicOpener(std::function<bool(const QString&)> openMusic);
    // Lessons (.lektion) are opened by this, by Ctrl+O and by a drop alike.
    void setLessonOpener(std::function<bool(const QString&)> openLesson);

    void addToMenu(QMenu& menu) const;
    void dragEnterEvent(QDragEnterEvent* event);
    void dropEvent(QDropEvent* event);

private:
    bool opens(const QString& path) const;
    void openFile(const QString& path);
    void askToOpenTuning();
    void askToSaveTuning();

    QWidget& m_window;
    TuningModel& m_model;
    std::function<bool()> m_soundPlaying;
    std::function<bool(const QString&)> m_openMusic;
    std::function<bool(const QString&)> m_openLesson;
    QAction* m_open;
    QAction* m_save;
    QString m_tuningFolder; // where the last tuning file was opened or saved
};
