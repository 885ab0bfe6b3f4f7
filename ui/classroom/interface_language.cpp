#include "ui/classroom/interface_language.h"

#include "ui/texts/danish_qt_texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTranslator>

namespace {

InterfaceLanguageScope* g_current = nullptr;

} // namespace

InterfaceLanguageScope::InterfaceLanguageScope(InterfaceLanguage language)
    : m_language(language), m_english(std::make_unique<QTranslator>()) {
    // Built from translations/klangora_en.ts at build time and embedded.
    if (!m_english->load(":/i18n/klangora_en.qm")) {
        qWarning("klangora: the English texts are missing from the program");
    }
    g_current = this;
    m_language = language == InterfaceLanguage::english ? InterfaceLanguage::danish
                                                        : InterfaceLanguage::english;
    use(language);
}

InterfaceLanguageScope::~InterfaceLanguageScope() {
    if (m_englishInstalled) {
        QCoreApplication::removeTranslator(m_english.get());
    }
    m_danishQt.reset();
    g_current = nullptr;
}

void InterfaceLanguageScope::use(InterfaceLanguage language) {
    if (language == m_language) {
        return;
    }
    m_language = language;
    if (language == InterfaceLanguage::english) {
        m_danishQt.reset();
        m_englishInstalled = QCoreApplication::installTranslator(m_english.get());
    } else {
        if (m_englishInstalled) {
            QCoreApplication::removeTranslator(m_english.get());
            m_englishInstalled = false;
        }
        m_danishQt = std::make_unique<DanishQtTexts>();
    }
}

QString InterfaceLanguageScope::english(const QString& danish) const {
    return english(danish, {kTextContext});
}

QString InterfaceLanguageScope::english(const QString& danish,
                                        const QList<QByteArray>& contexts) const {
    const QByteArray source = danish.toUtf8();
    for (const QByteArray& context : contexts) {
        const QString translated = m_english->translate(context.constData(), source.constData());
        if (!translated.isEmpty()) {
            return translated;
        }
    }
    return danish;
}

InterfaceLanguageScope* InterfaceLanguageScope::current() {
    return g_current;
}

bool InterfaceLanguageScope::speaksDanish() {
    const auto* language = current();
    return language == nullptr || language->language() == InterfaceLanguage::danish;
}

std::optional<InterfaceLanguage> languageFromArguments(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == "--lang" && i + 1 < arguments.size()) {
            value = arguments[i + 1];
        } else if (arguments[i].startsWith("--lang=")) {
            value = arguments[i].mid(7);
        } else {
            continue;
        }
        if (value == "en") {
            return InterfaceLanguage::english;
        }
        if (value == "da") {
            return InterfaceLanguage::danish;
        }
    }
    return std::nullopt;
}
