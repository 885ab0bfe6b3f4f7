#pragma once

// The two arrangements of the diagram's columns: chromatic (C C# D ...) and by fifths
// (C G D A ...), where neighbouring triads share two tones. The button names the arrangement a
// click switches to; every part that stands in columns follows the signal.
#include <QObject>

class QPushButton;
class QTimer;

class Arrangement : public QObject {
    Q_OBJECT

public:
    struct Widgets {
        QPushButton* button = nullptr; // kromkvint
        QTimer* startTimer = nullptr;  // Timer2
    };
    Arrangement(const Widgets& widgets, QObject* parent);

    // Switches to the other arrangement.
    void kromkvintClick();
    // Shortly after start the diagram turns to the fifths arrangement, once.
    void Timer2Timer();
    bool inFifths() const { return m_fifths; }

signals:
    void arranged(bool fifths);

private:
    QPushButton* m_button;
    QTimer* m_startTimer;
    bool m_fifths = false;
};
