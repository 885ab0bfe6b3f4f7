#pragma once

// The help on F1: one document in the interface's language, kept in the repository as Markdown
// with the program's own screenshots, shown in a window of its own beside the main window.
#include "ui/classroom/settings.h"

#include <QTextBrowser>

class HelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the document of this language; the window keeps it until asked for another.
    void showDocument(InterfaceLanguage language);

    // The resource the document of a language is read from.
    static QString documentPath(InterfaceLanguage language);
};
