#pragma once

// The two arrangements of the diagram's columns: chromatic (C C# D ...) and by fifths
// (C G D A ...), where neighbouring triads share two tones. The session holds which one is shown;
// the button names the arrangement a click switches to, and every part that stands in columns
// follows the session's signal.
#include <QObject>

class QPushButton;
class Session;
class QTimer;

class Arrangement : public QObject {
    Q_OBJECT

public:
    struct Widgets {
        QPushButton* button = nullptr; // kromkvint
        QTimer* startTimer = nullptr;  // Timer2
    };
    Arrangement(const Widgets& widgets, Session& session, QObject* parent);

    // Switches to the other arrangement.
    void kromkvintClick();
    // Shortly after start the diagram turns to the fifths arrangement, once.
    void Timer2Timer();
    bool inFifths() const;

private:
    void nameButton(bool fifths);

    Session& m_session;
    QPushButton* m_button;
    QTimer* m_startTimer;
};
