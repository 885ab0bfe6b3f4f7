#include "ui/lessons/lesson_files.h"

#include "ui/music/examples_menu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* kInstalledFolder = "klangora/lessons";

// An example piece by its file's name without the extension: "koral-c-dur".
std::optional<std::filesystem::path> findExample(const std::string& name) {
    const QString folder = examplesFolder();
    const QString path = QDir(folder).filePath(QString::fromStdString(name) + ".mid");
    if (folder.isEmpty() || !QFileInfo::exists(path)) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

QString shippedLessonsFolder() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programDir.filePath("lessons"),
          programDir.filePath(QString("../share/") + kInstalledFolder),
          QStandardPaths::locate(QStandardPaths::GenericDataLocation, kInstalledFolder,
                                 QStandardPaths::LocateDirectory)}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

QString ownLessonsFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(kInstalledFolder);
}

klangora::LessonContext lessonContext() {
    return {findExample};
}

bool isLessonFile(const QString& path) {
    return klangora::isLessonFileName(path.toStdString());
}

// A header field ("titel:" or "title:", ...) from the lesson's first lines.
QString headerField(const QString& path, const QString& danish, const QString& english) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (int line = 0; line < 20 && !file.atEnd(); ++line) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        for (const QString& key : {danish + ':', english + ':'}) {
            if (text.startsWith(key, Qt::CaseInsensitive)) {
                return text.mid(key.size()).trimmed();
            }
        }
    }
    return {};
}

QString lessonTitle(const QString& path) {
    return headerField(path, "titel", "title");
}

QString lessonLanguage(const QString& path) {
    return headerField(path, "sprog", "language");
}
