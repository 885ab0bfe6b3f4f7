// Switching the diagram between the chromatic and the fifths arrangement.
#include "ui/diagram/arrangement.h"

#include "ui/texts/window_texts.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

Arrangement::Arrangement(const Widgets& widgets, QObject* parent)
    : QObject(parent), m_button(widgets.button), m_startTimer(widgets.startTimer) {
    connect(m_startTimer, &QTimer::timeout, this, &Arrangement::Timer2Timer);
    m_startTimer->start();
}

void Arrangement::Timer2Timer() {
    m_startTimer->stop();
    kromkvintClick();
}

void Arrangement::kromkvintClick() {
    m_fifths = !m_fifths;
    m_button->setText(
        QCoreApplication::translate("klangora", m_fifths ? texts::kToChromatic : texts::kToFifths));
    emit arranged(m_fifths);
}
