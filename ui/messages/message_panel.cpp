// One owner for the message panel: its text, colour, height and visibility follow from the
// requests alone, so no asker sets its geometry.
#include "ui/messages/message_panel.h"

#include "ui/texts/palette.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <cstddef>

MessagePanel::MessagePanel(const Widgets& widgets, QObject* parent)
    : QObject(parent), m_label(widgets.label),
      m_bottom(widgets.label->y() + widgets.label->height()),
      m_oneLineHeight(widgets.label->height()), m_highestTop(widgets.highestTop) {}

void MessagePanel::request(Priority priority, const QStringList& lines, const QColor& colour) {
    m_requests[static_cast<std::size_t>(priority)] = {true, lines, colour};
    showHighest();
}

void MessagePanel::release(Priority priority) {
    m_requests[static_cast<std::size_t>(priority)] = {};
    showHighest();
}

void MessagePanel::tell(Priority priority, const QString& line) {
    if (line.isEmpty()) {
        release(priority);
    } else {
        request(priority, {line}, windowTextColour());
    }
}

bool MessagePanel::shows(Priority priority) const {
    for (auto n = m_requests.size(); n-- > 0;) {
        if (m_requests[n].active) {
            return n == static_cast<std::size_t>(priority);
        }
    }
    return false;
}

QString MessagePanel::fitted(const QString& fixed, const QString& cuttable) const {
    const QFontMetrics metrics(m_label->font());
    const int room = m_label->contentsRect().width() - metrics.horizontalAdvance(fixed);
    return fixed + metrics.elidedText(cuttable, Qt::ElideRight, room);
}

void MessagePanel::showHighest() {
    for (auto request = m_requests.rbegin(); request != m_requests.rend(); ++request) {
        if (request->active) {
            showLines(*request);
            return;
        }
    }
    m_label->hide();
    m_label->setToolTip({});
    describe({});
}

// A screen reader hears of the panel's text only when it has changed: a request that shows the
// same lines again (the music's intervals looked at anew) says nothing.
void MessagePanel::describe(const QString& text) {
    if (m_label->accessibleDescription() != text) {
        m_label->setAccessibleDescription(text);
    }
}

int MessagePanel::linesThatFit() const {
    const int frame = 2 * m_label->frameWidth();
    return std::max(1, (m_bottom - m_highestTop - frame) / m_label->fontMetrics().lineSpacing());
}

// More lines than fit: those that fit but the last, then how many more there are; every line is
// in the tooltip and the accessible description.
void MessagePanel::showLines(const Request& request) {
    QStringList shown = request.lines;
    const int fit = linesThatFit();
    if (shown.size() > fit) {
        const auto more = shown.size() - (fit - 1);
        shown = shown.mid(0, fit - 1)
                << QCoreApplication::translate("klangora", "… og %1 mere").arg(more);
    }
    const QString all = request.lines.join('\n');
    m_label->setToolTip(all);
    describe(all);
    const int height = std::max(m_oneLineHeight, static_cast<int>(shown.size()) *
                                                         m_label->fontMetrics().lineSpacing() +
                                                     2 * m_label->frameWidth());
    m_label->setGeometry(m_label->x(), m_bottom - height, m_label->width(), height);
    setTextColour(m_label, request.colour);
    m_label->setText(shown.join('\n'));
    m_label->show();
}
