#include "ui/classroom/classroom.h"

#include "ui/classroom/help_window.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

Classroom::Classroom(QWidget& window) : m_window(window), m_zoom(window) {
    m_zoom.setPercent(m_settings.zoomPercent());
    connect(&m_zoom, &WindowZoom::percentChosen, this,
            [this](int percent) { m_settings.setZoomPercent(percent); });
    bindKeys();
}

Classroom::~Classroom() = default;

void Classroom::bindKeys() {
    const auto bind = [this](const QKeySequence& keys, void (WindowZoom::*action)()) {
        auto* shortcut = new QShortcut(keys, &m_window);
        connect(shortcut, &QShortcut::activated, &m_zoom, action);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), &WindowZoom::zoomIn);
    // Where + shares its key with =, as on US keyboards, Ctrl and that key zoom in as well.
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), &WindowZoom::zoomIn);
    bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), &WindowZoom::zoomOut);
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), &WindowZoom::reset);
    bind(QKeySequence(Qt::Key_F11), &WindowZoom::toggleFullScreen);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &m_window);
    connect(help, &QShortcut::activated, this, &Classroom::showHelp);
}

void Classroom::showHelp() {
    if (m_help == nullptr) {
        m_help = std::make_unique<HelpWindow>();
    }
    m_help->showDocument(m_settings.language());
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
