#include "app/check_lesson_command.h"

#include "app/tuning_reason.h"
#include "core/lessons/lesson_reader.h"
#include "ui/music/examples_menu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

// An example piece by its file's name without the extension: "koral-c-dur".
std::optional<std::filesystem::path> findExample(const std::string& name) {
    const QString folder = examplesFolder();
    const QString path = QDir(folder).filePath(QString::fromStdString(name) + ".mid");
    if (folder.isEmpty() || !QFile::exists(path)) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

klangora::LessonContext lessonContext() {
    return {findExample};
}

int checkLesson(const QString& file) {
    const auto result =
        klangora::readLesson(QFile::encodeName(file).toStdString(), lessonContext());
    if (const auto* errors = std::get_if<std::vector<klangora::LessonError>>(&result)) {
        for (const klangora::LessonError& error : *errors) {
            print(stderr, QStringLiteral("%1: %2\n")
                              .arg(file, QString::fromStdString(
                                             klangora::lessonErrorText(error, !speaksDanish()))));
        }
        return 1;
    }
    const auto& lesson = std::get<klangora::Lesson>(result);
    print(stdout, QCoreApplication::translate("klangora", "%1: »%2«, %3 trin\n")
                      .arg(file, QString::fromStdString(lesson.title))
                      .arg(lesson.steps.size()));
    return 0;
}
