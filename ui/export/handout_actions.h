#pragma once

// "Udskriv …" (Ctrl+P) and "Eksporter …" in the window's context menu: the handout of the tuning
// the window shows, in its arrangement, with the triad table of the piece open in the music
// window, printed or written to a file the user names.
#include "ui/export/handout.h"

#include <QObject>

#include <functional>

class MusicWindow;
class QMenu;
class QTableWidget;
class QWidget;
class TuningModel;

struct HandoutSources {
    const TuningModel& model;
    std::function<bool()> inFifths;
    // The piece's triad table, or null while no piece is open.
    std::function<const QTableWidget*()> triadTable;
};

class HandoutActions : public QObject {
    Q_OBJECT

public:
    HandoutActions(QWidget& window, HandoutSources sources);

    void addToMenu(QMenu& menu);
    // The handout as the window stands now.
    Handout handout() const;

    void print();
    void exportToFile();

private:
    QWidget& m_window;
    HandoutSources m_sources;
};

// The triad table of the piece open in the music window; null while none is.
const QTableWidget* openTriadTable(MusicWindow& window);

// A table's visible rows as text, its headings first.
QList<QStringList> tableTexts(const QTableWidget& table);
