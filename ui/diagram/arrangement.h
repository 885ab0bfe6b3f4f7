#pragma once

// The two arrangements of the diagram's columns: chromatic (C C# D ...) and by fifths
// (C G D A ...), where neighbouring triads share two tones. The readouts, note names and key
// buttons move with their columns.
#include <QObject>

class KeyMarking;
class QPushButton;
class QTimer;
class QWidget;
class ReadoutPanel;
class ToneSelection;
class TriadDiagram;

class Arrangement : public QObject {
    Q_OBJECT

public:
    struct Parts {
        TriadDiagram& diagram;
        ReadoutPanel& panel;
        KeyMarking& keys;
        ToneSelection& selection;
    };
    Arrangement(QWidget& window, const Parts& parts);

    // Everything in its chromatic column.
    void BTplacering();
    // Switches to the other arrangement.
    void kromkvintClick();
    // Shortly after start the diagram turns to the fifths arrangement, once.
    void Timer2Timer();
    bool inFifths() const;

private:
    void placeInColumn(int tone, int column);

    Parts m_parts;
    QWidget& m_window;
    QPushButton* m_button;
    QTimer* m_startTimer;
};
