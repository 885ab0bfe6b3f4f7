// Switching the diagram between the chromatic and the fifths arrangement.
#include "ui/diagram/arrangement.h"

#include "ui/session/session.h"
#include "ui/texts/window_texts.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

Arrangement::Arrangement(const Widgets& widgets, Session& session, QObject* parent)
    : QObject(parent), m_session(session), m_button(widgets.button),
      m_startTimer(widgets.startTimer) {
    connect(m_startTimer, &QTimer::timeout, this, &Arrangement::Timer2Timer);
    connect(&session, &Session::arranged, this, &Arrangement::nameButton);
    m_startTimer->start();
}

void Arrangement::Timer2Timer() {
    m_startTimer->stop();
    kromkvintClick();
}

void Arrangement::kromkvintClick() {
    m_session.switchArrangement();
}

bool Arrangement::inFifths() const {
    return m_session.inFifths();
}

void Arrangement::nameButton(bool fifths) {
    m_button->setText(
        QCoreApplication::translate("klangora", fifths ? texts::kToChromatic : texts::kToFifths));
}
