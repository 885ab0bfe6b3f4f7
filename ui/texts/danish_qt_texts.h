#pragma once

#include <QTranslator>

// Qt writes some texts of its own: the headings of --help, and the buttons, columns, tooltips and
// menus of its file dialog. Installed in the application, this gives those in Danish like every
// other text of the program (Debian ships no Danish translation of Qt by default).
class DanishQtTexts : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};
