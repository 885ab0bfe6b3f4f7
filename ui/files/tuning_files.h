#pragma once

// Keeping and exchanging a tuning as a Scala scale file (.scl): Ctrl+O and Ctrl+S, their entries
// in the background's context menu, and files dropped on the window.
#include <QObject>
#include <QString>

#include <functional>

class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QWidget;
class TemperamentCaption;
class TuningControls;
class TuningModel;

class TuningFiles : public QObject {
    Q_OBJECT

public:
    struct Parts {
        const TuningModel& model;
        TuningControls& controls;
        const TemperamentCaption& caption;
        // While a chord sounds the window takes no other input.
        std::function<bool()> soundPlaying;
    };
    TuningFiles(QWidget& window, const Parts& parts);

    // A Scala scale file onto the sliders, or the current tuning into one. On failure they say
    // why in a message box, change nothing else and return false.
    bool openTuning(const QString& path);
    bool saveTuning(const QString& path);

    void addToMenu(QMenu& menu) const;
    void dragEnterEvent(QDragEnterEvent* event);
    void dropEvent(QDropEvent* event);

private:
    void askToOpenTuning();
    void askToSaveTuning();

    QWidget& m_window;
    Parts m_parts;
    QString m_tuningFolder; // where the last tuning file was opened or saved
};
