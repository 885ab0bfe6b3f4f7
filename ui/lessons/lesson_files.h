#pragma once

// Where lessons are found: those the program brings ("lessons" beside the program in the build
// tree, share/klangora/lessons installed) and those the user keeps (klangora/lessons in the
// user's data folder); and what a lesson may use besides its own folder, the example pieces.
#include "core/lessons/lesson_reader.h"

#include <QString>
#include <QStringList>

QString shippedLessonsFolder();
// Not made until the user asks to see it.
QString ownLessonsFolder();
klangora::LessonContext lessonContext();
bool isLessonFile(const QString& path);
// A lesson's title from its header, without checking the rest; empty when it has none.
QString lessonTitle(const QString& path);
// "da", "en", or empty where the lesson does not say.
QString lessonLanguage(const QString& path);
