#include "ui/classroom/classroom.h"

#include "ui/classroom/help_window.h"
#include "ui/texts/key_table.h"

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
    const auto bind = [this](keys::Command command, auto action) {
        for (const QKeyCombination key : keys::keysOf(command)) {
            auto* shortcut = new QShortcut(QKeySequence(key), &m_window);
            connect(shortcut, &QShortcut::activated, this, action);
        }
    };
    using keys::Command;
    bind(Command::zoomIn, [this] { m_zoom.zoomIn(); });
    bind(Command::zoomOut, [this] { m_zoom.zoomOut(); });
    bind(Command::zoomReset, [this] { m_zoom.reset(); });
    bind(Command::fullScreen, [this] { m_zoom.toggleFullScreen(); });
    bind(Command::help, [this] { showHelp(); });
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
