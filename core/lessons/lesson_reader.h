#pragma once

// Reading a lesson file: plain UTF-8 text, its format and version on the first line
// ("klangora-lektion 1"), a header with the title, then steps, each begun by a line
// "= KEYWORD ARGUMENTS" and followed by its own lines. Keywords are Danish or English. Every
// fault is reported with its line, and a lesson with any fault is not returned at all.
#include "core/lessons/lesson.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace klangora {

struct LessonError {
    enum class Kind {
        notALesson,     // first line
        unknownVersion, // first line, a later format
        noTitle,        // header
        noSteps,
        unknownStep,   // detail: the keyword
        badArgument,   // detail: what was given
        unknownTuning, // detail: the reason
        unknownNote,   // detail: the note
        missingFile,   // detail: the file name
        badPiece,      // detail: the file name
        badTime,       // detail: what was given
        answers,       // two to four answers, exactly one right
        outsideStep,   // a line before the first step that is no header
        unreadable,    // the file itself
    };
    int line = 0;
    Kind kind = Kind::badArgument;
    std::string detail;
};

// What a lesson may use beyond its own folder: the example pieces by name.
struct LessonContext {
    std::function<std::optional<std::filesystem::path>(const std::string& name)> findExample;
};

using LessonResult = std::variant<Lesson, std::vector<LessonError>>;

// The file names the lesson names are taken relative to `folder`.
LessonResult parseLesson(std::string_view text, const std::filesystem::path& folder,
                         const LessonContext& context = {});
LessonResult readLesson(const std::filesystem::path& file, const LessonContext& context = {});

// "linje 12: ..." in Danish, or "line 12: ..." in English.
std::string lessonErrorText(const LessonError& error, bool english);

// Lesson files end so, in any case.
inline constexpr std::string_view kLessonExtension = ".lektion";
bool isLessonFileName(std::string_view name);

} // namespace klangora
