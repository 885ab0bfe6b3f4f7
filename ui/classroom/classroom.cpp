#include "ui/classroom/classroom.h"

#include "ui/classroom/help_window.h"
#include "ui/classroom/interface_language.h"
#include "ui/classroom/shown_texts.h"
#include "ui/texts/key_table.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

Classroom::Classroom(QWidget& window) : m_window(window), m_zoom(window) {
    m_zoom.setPercent(m_settings.zoomPercent());
    connect(&m_zoom, &WindowZoom::percentChosen, this,
            [this](int percent) { m_settings.setZoomPercent(percent); });
    bindKeys();
    m_window.installEventFilter(this);
    if (const InterfaceLanguageScope* scope = InterfaceLanguageScope::current();
        scope != nullptr && scope->language() == InterfaceLanguage::english) {
        showTextsIn(m_window, *scope);
    }
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
    m_help->showDocument(language());
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

InterfaceLanguage Classroom::language() const {
    const InterfaceLanguageScope* scope = InterfaceLanguageScope::current();
    return scope != nullptr ? scope->language() : m_settings.language();
}

void Classroom::setLanguage(InterfaceLanguage language) {
    m_settings.setLanguage(language);
    InterfaceLanguageScope* scope = InterfaceLanguageScope::current();
    if (scope == nullptr) {
        return;
    }
    scope->use(language);
    // At once, not only when the posted LanguageChange arrives: the window and every part that
    // follows the language show it before this returns.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&m_window, &change);
}

void Classroom::showLanguage(const InterfaceLanguageScope& scope) {
    showTextsIn(m_window, scope);
    if (m_help != nullptr && m_help->isVisible()) {
        m_help->showDocument(scope.language());
    }
}

void Classroom::addToMenu(QMenu& menu) {
    QMenu* languages = menu.addMenu(
        QCoreApplication::translate(kTextContext, QT_TRANSLATE_NOOP("klangora", "Sprog")));
    languages->setObjectName("languageMenu");
    auto* group = new QActionGroup(languages);
    // Each language by its own name, so that a user who cannot read the other finds it.
    const auto add = [this, languages, group](const QString& name, InterfaceLanguage language) {
        QAction* action = languages->addAction(name);
        action->setCheckable(true);
        action->setChecked(this->language() == language);
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [this, language] { setLanguage(language); });
    };
    add(QString::fromUtf8("Dansk"), InterfaceLanguage::danish);
    add("English", InterfaceLanguage::english);
}

bool Classroom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::LanguageChange) {
        if (const InterfaceLanguageScope* scope = InterfaceLanguageScope::current()) {
            showLanguage(*scope);
        }
    }
    return false;
}
