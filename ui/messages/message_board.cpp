#include "ui/messages/message_board.h"

#include "ui/texts/palette.h"

#include <cstddef>

MessageBoard::MessageBoard(QObject* parent) : QObject(parent) {}

void MessageBoard::request(Priority priority, const QStringList& lines, const QColor& colour) {
    m_requests[static_cast<std::size_t>(priority)] = {true, {lines, colour}};
    emit changed();
}

void MessageBoard::release(Priority priority) {
    m_requests[static_cast<std::size_t>(priority)] = {};
    emit changed();
}

void MessageBoard::tell(Priority priority, const QString& line) {
    if (line.isEmpty()) {
        release(priority);
    } else {
        request(priority, {line}, windowTextColour());
    }
}

const MessageBoard::Request* MessageBoard::highest() const {
    for (auto request = m_requests.rbegin(); request != m_requests.rend(); ++request) {
        if (request->active) {
            return &*request;
        }
    }
    return nullptr;
}

bool MessageBoard::shows(Priority priority) const {
    return highest() == &m_requests[static_cast<std::size_t>(priority)];
}

const MessageBoard::Message* MessageBoard::shown() const {
    const Request* request = highest();
    return request != nullptr ? &request->message : nullptr;
}

QString MessageBoard::fitted(const QString& fixed, const QString& cuttable) const {
    return m_fitter ? m_fitter(fixed, cuttable) : fixed + cuttable;
}
