#pragma once

// What the message panel is to say, without the panel: several parts want it (a sound
// sequence, an exercise, a playing piece, the live instrument's sounding intervals); each asks
// with its priority, and the highest that asks is shown. The board needs no window, so the
// session and its tests write it as the window would.
#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class MessageBoard : public QObject {
    Q_OBJECT

public:
    // Lowest first: a running sound sequence goes over anything else.
    enum class Priority { liveInstrument, instrumentLoading, piece, exercise, sequence };

    struct Message {
        QStringList lines;
        QColor colour;
    };

    explicit MessageBoard(QObject* parent = nullptr);

    // The lines to show for a priority, in its colour; a later request of the same priority
    // replaces the earlier.
    void request(Priority priority, const QStringList& lines, const QColor& colour);
    void release(Priority priority);
    // One line in the window's text colour, or (empty) released.
    void tell(Priority priority, const QString& line);
    // Whether this priority's lines are the ones shown now.
    bool shows(Priority priority) const;
    // The highest request's lines; none when nobody asks.
    const Message* shown() const;
    // A line of a fixed beginning and an end cut to the panel's width where a panel shows the
    // board; without one the line is whole.
    QString fitted(const QString& fixed, const QString& cuttable) const;
    using Fitter = std::function<QString(const QString& fixed, const QString& cuttable)>;
    void setFitter(Fitter fitter) { m_fitter = std::move(fitter); }

signals:
    void changed();

private:
    struct Request {
        bool active = false;
        Message message;
    };
    const Request* highest() const;

    std::array<Request, 5> m_requests;
    Fitter m_fitter;
};
