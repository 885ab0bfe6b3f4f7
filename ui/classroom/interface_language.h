#pragma once

// The language of the interface for the whole application: Danish (the program's own texts and
// Qt's Danish translation) or English (the program's texts from translations/klangora_en.ts,
// and Qt's own English). One scope lives as long as the application; switching posts
// QEvent::LanguageChange to every widget, and the windows show their texts anew at once.
#include "ui/classroom/settings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class DanishQtTexts;
class QTranslator;

// The translation context of every text of the program.
inline constexpr const char* kTextContext = "klangora";

class InterfaceLanguageScope {
public:
    explicit InterfaceLanguageScope(InterfaceLanguage language);
    ~InterfaceLanguageScope();
    InterfaceLanguageScope(const InterfaceLanguageScope&) = delete;
    InterfaceLanguageScope& operator=(const InterfaceLanguageScope&) = delete;

    void use(InterfaceLanguage language);
    InterfaceLanguage language() const { return m_language; }

    // The English of a Danish text of the program; the text itself where it has none.
    QString english(const QString& danish) const;
    // The same, looked up in each of these translation contexts in turn (the program's own, and
    // the classes whose tr() made the text).
    QString english(const QString& danish, const QList<QByteArray>& contexts) const;

    // The scope of the running application, or none.
    static InterfaceLanguageScope* current();
    // Whether the program speaks Danish now: with no scope (a test, a tool) it does.
    static bool speaksDanish();

private:
    InterfaceLanguage m_language;
    std::unique_ptr<QTranslator> m_english;
    std::unique_ptr<DanishQtTexts> m_danishQt;
    bool m_englishInstalled = false;
};

// The language asked for on the command line (--lang da|en, --lang=en), if any; read before
// the command line's help text is made, so that --help speaks it.
std::optional<InterfaceLanguage> languageFromArguments(const QStringList& arguments);
