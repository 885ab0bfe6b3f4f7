// The remembered values in the desktop's usual INI-style file, written one value at a time and
// flushed at once so that a program stopped hard keeps what the user chose.
#include "ui/classroom/settings.h"

#include <QSettings>

namespace {

constexpr const char* kLanguageKey = "interface/language";
constexpr const char* kZoomKey = "interface/zoomPercent";
constexpr const char* kSoundKey = "sound/name";
constexpr const char* kVolumeKey = "sound/volumePercent";

constexpr const char* kEnglish = "en";
constexpr const char* kDanish = "da";
constexpr int kFullSize = 100;

} // namespace

Settings::Settings()
    : m_store(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "klangora",
                                          "klangora")) {}

Settings::~Settings() = default;

InterfaceLanguage Settings::language() const {
    return m_store->value(kLanguageKey).toString() == kEnglish ? InterfaceLanguage::english
                                                               : InterfaceLanguage::danish;
}

void Settings::setLanguage(InterfaceLanguage language) {
    m_store->setValue(kLanguageKey, language == InterfaceLanguage::english ? kEnglish : kDanish);
    m_store->sync();
}

int Settings::zoomPercent() const {
    bool isNumber = false;
    const int percent = m_store->value(kZoomKey).toInt(&isNumber);
    return isNumber ? percent : kFullSize;
}

void Settings::setZoomPercent(int percent) {
    m_store->setValue(kZoomKey, percent);
    m_store->sync();
}

std::optional<QString> Settings::soundName() const {
    if (!m_store->contains(kSoundKey)) {
        return std::nullopt;
    }
    return m_store->value(kSoundKey).toString();
}

void Settings::setSoundName(const QString& name) {
    m_store->setValue(kSoundKey, name);
    m_store->sync();
}

std::optional<int> Settings::volumePercent() const {
    bool isNumber = false;
    const int percent = m_store->value(kVolumeKey).toInt(&isNumber);
    return isNumber ? std::optional<int>(percent) : std::nullopt;
}

void Settings::setVolumePercent(int percent) {
    m_store->setValue(kVolumeKey, percent);
    m_store->sync();
}

QString Settings::fileName() const {
    return m_store->fileName();
}
