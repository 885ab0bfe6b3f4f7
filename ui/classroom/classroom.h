#pragma once

// What makes the window fit a classroom: zoom and full screen for a projector, the help on F1,
// and the remembered settings. The keys: Ctrl++ and Ctrl+- step the zoom, Ctrl+0 goes back to
// 100 %, F11 switches full screen on and off, F1 opens the help.
#include "ui/classroom/settings.h"
#include "ui/classroom/window_zoom.h"

#include <QObject>

#include <memory>

class HelpWindow;
class InterfaceLanguageScope;
class QMenu;

class Classroom : public QObject {
    Q_OBJECT

public:
    // Takes the zoom the user chose last time; the window need not be shown yet.
    explicit Classroom(QWidget& window);
    ~Classroom() override;

    WindowZoom& zoom() { return m_zoom; }
    Settings& settings() { return m_settings; }

    // Opens (or raises) the help window in the interface's language.
    void showHelp();

    // Chooses the interface's language for the whole application, remembers it, and shows
    // every text in it at once.
    void setLanguage(InterfaceLanguage language);
    InterfaceLanguage language() const;
    // The language submenu of the window's context menu.
    void addToMenu(QMenu& menu);
    HelpWindow* helpWindow() const { return m_help.get(); }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showLanguage(const InterfaceLanguageScope& scope);
    void bindKeys();

    QWidget& m_window;
    Settings m_settings;
    WindowZoom m_zoom;
    std::unique_ptr<HelpWindow> m_help;
};
