// Qt's Danish translation from the system, and the handful of its texts it lacks.
#include "ui/texts/danish_qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstring>

namespace {

struct Text {
    const char* context;
    const char* english;
    const char* danish;
};

// Texts the file dialog shows that Qt's Danish translation leaves in English.
constexpr Text kMissingTexts[] = {
    {"QFileDialog", "Save", "Gem"},
    {"QAbstractFileIconProvider", "Folder", "Mappe"},
    {"QAbstractFileIconProvider", "File", "Fil"},
    {"QAbstractFileIconProvider", "Drive", "Drev"},
    {"QAbstractFileIconProvider", "%1 File", "%1-fil"},
};

} // namespace

class DanishQtTexts::MissingTexts : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (context == nullptr || sourceText == nullptr) {
            return {};
        }
        for (const Text& text : kMissingTexts) {
            if (std::strcmp(context, text.context) == 0 &&
                std::strcmp(sourceText, text.english) == 0) {
                return QString::fromUtf8(text.danish);
            }
        }
        return {};
    }
};

DanishQtTexts::DanishQtTexts()
    : m_qt(std::make_unique<QTranslator>()), m_missing(std::make_unique<MissingTexts>()) {
    // The translation installed last is asked first: Qt's own file, then the missing texts.
    QCoreApplication::installTranslator(m_missing.get());
    m_qtLoaded = m_qt->load(QLocale(QLocale::Danish), "qtbase", "_",
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (m_qtLoaded) {
        QCoreApplication::installTranslator(m_qt.get());
    }
}

DanishQtTexts::~DanishQtTexts() {
    QCoreApplication::removeTranslator(m_qt.get());
    QCoreApplication::removeTranslator(m_missing.get());
}
