#pragma once

// The message panel DuHoer above the readout panel: what is heard right now, in words. It shows
// what its board says (the highest request there) and cuts the sequence's lines to its width.
#include "ui/messages/message_board.h"

#include <QObject>
#include <QStringList>

class QLabel;

class MessagePanel : public QObject {
    Q_OBJECT

public:
    using Priority = MessageBoard::Priority;

    struct Widgets {
        // Placed by the layout as one line; its bottom edge, left edge and width stay.
        QLabel* label = nullptr;
        // Growing upwards, the panel stops here, below the controls above it.
        int highestTop = 0;
    };
    // Shows the given board; without one the panel keeps a board of its own.
    MessagePanel(const Widgets& widgets, QObject* parent, MessageBoard* board = nullptr);
    ~MessagePanel() override;

    MessageBoard& board() { return *m_board; }
    void request(Priority priority, const QStringList& lines, const QColor& colour) {
        m_board->request(priority, lines, colour);
    }
    void release(Priority priority) { m_board->release(priority); }
    bool shows(Priority priority) const { return m_board->shows(priority); }
    void tell(Priority priority, const QString& line) { m_board->tell(priority, line); }
    // A line of a fixed beginning and an end that is cut to fit the panel's width, if it must.
    QString fitted(const QString& fixed, const QString& cuttable) const;

private:
    void showBoard();
    void showLines(const MessageBoard::Message& message);
    int linesThatFit() const;
    void describe(const QString& text);

    MessageBoard* m_board;
    QLabel* m_label;
    int m_bottom;
    int m_oneLineHeight;
    int m_highestTop;
};
