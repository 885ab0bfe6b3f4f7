// The remembered values in the desktop's usual INI-style file, written one value at a time and
// flushed at once so that a program stopped hard keeps what the user chose.
#include "ui/classroom/settings.h"

#include "core/file_check.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

constexpr const char* kLanguageKey = "interface/language";
constexpr const char* kZoomKey = "interface/zoomPercent";
constexpr const char* kSoundKey = "sound/name";
constexpr const char* kVolumeKey = "sound/volumePercent";
constexpr const char* kPulseLatencyKey = "sound/pulseLatencyMs";
constexpr int kLongestLatencyMs = 48;

constexpr const char* kEnglish = "en";
constexpr const char* kDanish = "da";
constexpr int kFullSize = 100;
constexpr int kLoudest = 100;

// Where QSettings keeps the user's file on this desktop. It is named here because QSettings
// reads the file the moment it is made, and the file has to be looked at before that.
QString userFileName() {
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    return (configHome.isEmpty() ? QDir::homePath() + "/.config" : configHome) +
           "/klangora/klangora.conf";
}

// A file that is missing is simply not written yet; one that is not a regular file of a
// sensible size (a FIFO would keep QSettings waiting for ever) is left alone.
bool mayRead(const QString& fileName) {
    const klangora::FileProblem problem = klangora::fileProblem(
        QFile::encodeName(fileName).toStdString(), klangora::FileKind::settings);
    return problem == klangora::FileProblem::none || problem == klangora::FileProblem::missing;
}

} // namespace

// With a file not fit to read, nothing is remembered and nothing written for this run.
Settings::Settings() : m_fileName(userFileName()) {
    if (mayRead(m_fileName)) {
        m_store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              "klangora", "klangora");
    }
}

QVariant Settings::value(const char* key) const {
    return m_store ? m_store->value(key) : QVariant();
}

void Settings::setValue(const char* key, const QVariant& value) {
    if (m_store) {
        m_store->setValue(key, value);
        m_store->sync();
    }
}

Settings::~Settings() = default;

InterfaceLanguage Settings::language() const {
    return value(kLanguageKey).toString() == kEnglish ? InterfaceLanguage::english
                                                      : InterfaceLanguage::danish;
}

void Settings::setLanguage(InterfaceLanguage language) {
    setValue(kLanguageKey, language == InterfaceLanguage::english ? kEnglish : kDanish);
}

int Settings::zoomPercent() const {
    bool isNumber = false;
    const int percent = value(kZoomKey).toInt(&isNumber);
    return isNumber ? percent : kFullSize;
}

void Settings::setZoomPercent(int percent) {
    setValue(kZoomKey, percent);
}

std::optional<QString> Settings::soundName() const {
    const QVariant name = value(kSoundKey);
    if (!name.isValid()) {
        return std::nullopt;
    }
    return name.toString();
}

void Settings::setSoundName(const QString& name) {
    setValue(kSoundKey, name);
}

std::optional<int> Settings::volumePercent() const {
    bool isNumber = false;
    const int percent = value(kVolumeKey).toInt(&isNumber);
    // A volume below silence or above full is nonsense like any other, and not set.
    return isNumber && percent >= 0 && percent <= kLoudest ? std::optional<int>(percent)
                                                           : std::nullopt;
}

void Settings::setVolumePercent(int percent) {
    setValue(kVolumeKey, percent);
}

std::optional<int> Settings::pulseLatencyMs() const {
    bool isNumber = false;
    const int ms = value(kPulseLatencyKey).toInt(&isNumber);
    return isNumber && ms > 0 && ms <= kLongestLatencyMs ? std::optional<int>(ms) : std::nullopt;
}

void Settings::setPulseLatencyMs(int ms) {
    setValue(kPulseLatencyKey, ms);
}

QString Settings::fileName() const {
    return m_store ? m_store->fileName() : m_fileName;
}
