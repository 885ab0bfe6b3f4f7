#pragma once

// The message panel DuHoer above the readout panel: what is heard right now, in words. Several
// parts want it (a sound sequence, an exercise, a playing piece, the live instrument's sounding
// intervals); each asks with its priority, and the panel shows the highest that asks.
#include <QColor>
#include <QObject>
#include <QStringList>

#include <array>

class QLabel;

class MessagePanel : public QObject {
    Q_OBJECT

public:
    // Lowest first: a running sound sequence goes over anything else.
    enum class Priority { liveInstrument, instrumentLoading, piece, exercise, sequence };

    struct Widgets {
        // Placed by the layout as one line; its bottom edge, left edge and width stay.
        QLabel* label = nullptr;
        // Growing upwards, the panel stops here, below the controls above it.
        int highestTop = 0;
    };
    MessagePanel(const Widgets& widgets, QObject* parent);

    // The lines to show for a priority, in its colour; a later request of the same priority
    // replaces the earlier.
    void request(Priority priority, const QStringList& lines, const QColor& colour);
    void release(Priority priority);
    // One line in the window's text colour, or (empty) released.
    void tell(Priority priority, const QString& line);
    // Whether the panel shows this priority's lines now.
    bool shows(Priority priority) const;
    // A line of a fixed beginning and an end that is cut to fit the panel's width, if it must.
    QString fitted(const QString& fixed, const QString& cuttable) const;

private:
    struct Request {
        bool active = false;
        QStringList lines;
        QColor colour;
    };
    void showHighest();
    void showLines(const Request& request);
    int linesThatFit() const;
    void describe(const QString& text);

    QLabel* m_label;
    int m_bottom;
    int m_oneLineHeight;
    int m_highestTop;
    std::array<Request, 5> m_requests;
};
