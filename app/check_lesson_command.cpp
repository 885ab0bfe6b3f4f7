#include "app/check_lesson_command.h"

#include "core/lessons/lesson_reader.h"
#include "ui/classroom/interface_language.h"
#include "ui/lessons/lesson_files.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int checkLesson(const QString& file) {
    const auto result =
        klangora::readLesson(QFile::encodeName(file).toStdString(), lessonContext());
    if (const auto* errors = std::get_if<std::vector<klangora::LessonError>>(&result)) {
        for (const klangora::LessonError& error : *errors) {
            print(stderr, QStringLiteral("%1: %2\n")
                              .arg(file, QString::fromStdString(klangora::lessonErrorText(
                                             error, !InterfaceLanguageScope::speaksDanish()))));
        }
        return 1;
    }
    const auto& lesson = std::get<klangora::Lesson>(result);
    print(stdout, QCoreApplication::translate("klangora", "%1: »%2«, %3 trin\n")
                      .arg(file, QString::fromStdString(lesson.title))
                      .arg(lesson.steps.size()));
    return 0;
}
