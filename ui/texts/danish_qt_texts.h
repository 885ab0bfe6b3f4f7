#pragma once

// Qt's own texts in Danish: the headings of --help, and the buttons, columns, tooltips and menus
// of the file dialog, like every other text of the program.
#include <QTranslator>

#include <memory>

class DanishQtTexts {
public:
    // Installs Qt's Danish translation (Debian's qt6-translations-l10n), and behind it the few
    // texts the program can show that the translation lacks, into the running application. Both
    // are removed again when the object goes.
    DanishQtTexts();
    ~DanishQtTexts();
    DanishQtTexts(const DanishQtTexts&) = delete;
    DanishQtTexts& operator=(const DanishQtTexts&) = delete;

private:
    class MissingTexts;
    std::unique_ptr<QTranslator> m_qt;
    std::unique_ptr<MissingTexts> m_missing;
    bool m_qtLoaded = false;
};
