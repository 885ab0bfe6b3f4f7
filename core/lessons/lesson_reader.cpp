#include "core/lessons/lesson_reader.h"

#include "core/file_check.h"
#include "core/music/midi_file_reader.h"
#include "core/music/tuning_name.h"
#include "core/musical_facts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace klangora {
namespace {

using Kind = LessonError::Kind;

// Each keyword in Danish and in English, so a lesson reads in the language it teaches in.
struct Keyword {
    LessonStepKind kind;
    std::string_view danish;
    std::string_view english;
};
constexpr std::array<Keyword, 9> kKeywords = {{
    {LessonStepKind::text, "tekst", "text"},
    {LessonStepKind::tuning, "stemning", "tuning"},
    {LessonStepKind::key, "toneart", "key"},
    {LessonStepKind::arrangement, "opstilling", "arrangement"},
    {LessonStepKind::mark, "marker", "mark"},
    {LessonStepKind::notes, "toner", "notes"},
    {LessonStepKind::piece, "stykke", "piece"},
    {LessonStepKind::question, "spørgsmål", "question"},
    {LessonStepKind::exercise, "øvelse", "exercise"},
}};
constexpr std::string_view kTuningQuestionDanish = "spørgsmål-stemning";
constexpr std::string_view kTuningQuestionEnglish = "tuning-question";

constexpr double kLongestSound = 60.0;
constexpr int kMostNotes = 8;

std::string_view trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    std::istringstream stream{std::string(text)};
    for (std::string word; stream >> word;) {
        result.push_back(word);
    }
    return result;
}

bool isOneOf(std::string_view word, std::initializer_list<std::string_view> names) {
    const std::string lower = lowered(word);
    return std::find(names.begin(), names.end(), lower) != names.end();
}

std::optional<double> number(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "1:05", "65" or "65.5" seconds.
std::optional<double> timeOf(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return number(text);
    }
    const auto minutes = number(text.substr(0, colon));
    const auto seconds = number(text.substr(colon + 1));
    if (!minutes || !seconds || *seconds >= 60 || *minutes < 0 || *seconds < 0) {
        return std::nullopt;
    }
    return *minutes * 60 + *seconds;
}

// The pitch class of a note letter with its accidental: c, c#, db, ..., h (the program's name
// for the tone an English text calls B); b alone is refused, as it means h to one reader and
// bb to another.
std::optional<int> pitchClass(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    static constexpr std::array<std::pair<char, int>, 7> kLetters = {
        {{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'h', 11}}};
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    const auto found = std::find_if(kLetters.begin(), kLetters.end(),
                                    [letter](const auto& entry) { return entry.first == letter; });
    const std::string_view accidental = name.substr(1);
    if (letter == 'b') {
        return accidental == "b" ? std::optional<int>(10) : std::nullopt; // bb, the program's Bb
    }
    if (found == kLetters.end()) {
        return std::nullopt;
    }
    if (accidental.empty()) {
        return found->second;
    }
    if (accidental == "#") {
        return (found->second + 1) % 12;
    }
    if (accidental == "b") {
        return (found->second + 11) % 12;
    }
    return std::nullopt;
}

// A column of the diagram by its root's name: C .. H are 1..12, c' is 13.
std::optional<int> toneNumber(std::string_view name) {
    if (name == "c'") {
        return 13;
    }
    const auto pitch = pitchClass(name);
    return pitch ? std::optional<int>(*pitch + 1) : std::nullopt;
}

// A note in Helmholtz's letters (C the great octave, c the small, c' the fixed c, each ' an
// octave higher) or a MIDI note number.
std::optional<int> noteNumber(std::string_view name) {
    if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0]))) {
        const auto value = number(name);
        if (value && *value >= 0 && *value <= 127 && *value == static_cast<int>(*value)) {
            return static_cast<int>(*value);
        }
        return std::nullopt;
    }
    const auto primes = static_cast<int>(std::count(name.begin(), name.end(), '\''));
    const std::string_view letters = name.substr(0, name.find('\''));
    if (letters.size() + static_cast<std::size_t>(primes) != name.size()) {
        return std::nullopt; // a prime in the middle
    }
    const auto pitch = pitchClass(letters);
    if (!pitch) {
        return std::nullopt;
    }
    const bool great = std::isupper(static_cast<unsigned char>(letters[0])) != 0;
    if (great && primes > 0) {
        return std::nullopt;
    }
    const int smallC = kFixedCNote - 12;
    const int note = (great ? smallC - 12 : smallC + 12 * primes) + *pitch;
    return note <= 127 ? std::optional<int>(note) : std::nullopt;
}

std::optional<std::string> soundName(std::string_view word) {
    static constexpr std::array<std::array<std::string_view, 3>, 4> kSounds = {{
        {"own", "own", "eget"},
        {"harpsichord", "harpsichord", "cembalo"},
        {"organ", "organ", "orgel"},
        {"piano", "piano", "klaver"},
    }};
    const std::string lower = lowered(word);
    for (const auto& sound : kSounds) {
        if (lower == sound[1] || lower == sound[2]) {
            return std::string(sound[0]);
        }
    }
    return std::nullopt;
}

std::optional<LessonExercise> exerciseNamed(std::string_view word) {
    if (isOneOf(word, {"ren-eller-tempereret", "pure-or-tempered"})) {
        return LessonExercise::pureOrTempered;
    }
    if (isOneOf(word, {"stem-rent", "tune-pure"})) {
        return LessonExercise::tunePure;
    }
    if (isOneOf(word, {"hvilken-stemning", "which-temperament"})) {
        return LessonExercise::whichTemperament;
    }
    return std::nullopt;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && lowered(text.substr(text.size() - end.size())) == end;
}

// Reads one lesson: the header, then each step from its "=" line to the next.
class LessonParser {
public:
    LessonParser(const std::filesystem::path& folder, const LessonContext& context)
        : m_folder(folder), m_context(context) {}

    LessonResult parse(std::string_view text);

private:
    void fail(int line, Kind kind, std::string detail = {}) {
        m_errors.push_back({line, kind, std::move(detail)});
    }
    void readHeaderLine(int line, std::string_view text);
    void beginStep(int line, std::string_view text);
    void readStepLine(int line, std::string_view text);
    void finishStep();
    void readTuning(LessonStep& step, std::string_view name);
    void readMark(LessonStep& step, const std::vector<std::string>& args);
    void readNotes(LessonStep& step, const std::vector<std::string>& args);
    void readPiece(LessonStep& step, std::string_view args);
    void readExercise(LessonStep& step, const std::vector<std::string>& args);
    void checkQuestion(const LessonStep& step);
    std::optional<double> seconds(int line, std::string_view text);

    std::filesystem::path m_folder;
    const LessonContext& m_context;
    Lesson m_lesson;
    std::optional<LessonStep> m_step;
    std::vector<LessonError> m_errors;
};

LessonResult LessonParser::parse(std::string_view text) {
    int line = 0;
    bool versionRead = false;
    while (!text.empty() || line == 0) {
        const auto end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++line;
        const std::string_view content = trimmed(raw);
        if (!versionRead) {
            versionRead = true;
            const auto first = words(content);
            if (first.size() != 2 ||
                (first[0] != "klangora-lektion" && first[0] != "klangora-lesson")) {
                fail(line, Kind::notALesson);
                return m_errors;
            }
            if (first[1] != "1") {
                fail(line, Kind::unknownVersion, first[1]);
                return m_errors;
            }
            continue;
        }
        if (content.starts_with('#')) {
            continue; // a comment
        }
        if (content.starts_with("= ") || content == "=") {
            beginStep(line, content.substr(1));
        } else if (m_step) {
            readStepLine(line, raw);
        } else if (!content.empty()) {
            readHeaderLine(line, content);
        }
    }
    finishStep();
    if (m_lesson.title.empty()) {
        fail(1, Kind::noTitle);
    }
    if (m_lesson.steps.empty() && m_errors.empty()) {
        fail(line, Kind::noSteps);
    }
    if (!m_errors.empty()) {
        return m_errors;
    }
    return m_lesson;
}

void LessonParser::readHeaderLine(int line, std::string_view text) {
    const auto colon = text.find(':');
    const std::string key = lowered(trimmed(text.substr(0, colon)));
    const std::string_view value =
        colon == std::string_view::npos ? std::string_view() : trimmed(text.substr(colon + 1));
    if (key == "titel" || key == "title") {
        m_lesson.title = std::string(value);
    } else if (key == "sprog" || key == "language") {
        if (value != "da" && value != "en") {
            fail(line, Kind::badArgument, std::string(value));
        }
        m_lesson.language = std::string(value);
    } else {
        fail(line, Kind::outsideStep, std::string(text));
    }
}

void LessonParser::beginStep(int line, std::string_view text) {
    finishStep();
    text = trimmed(text);
    const auto space = text.find_first_of(" \t");
    const std::string keyword = lowered(text.substr(0, space));
    const std::string_view args =
        space == std::string_view::npos ? std::string_view() : trimmed(text.substr(space));
    LessonStep step;
    step.line = line;
    if (keyword == kTuningQuestionDanish || keyword == kTuningQuestionEnglish) {
        step.kind = LessonStepKind::question;
        step.askForTuning = true;
    } else {
        const auto found = std::find_if(kKeywords.begin(), kKeywords.end(), [&](const Keyword& k) {
            return k.danish == keyword || k.english == keyword;
        });
        if (found == kKeywords.end()) {
            fail(line, Kind::unknownStep, keyword);
            m_step = LessonStep{}; // its lines are skipped with it
            m_step->line = -1;
            return;
        }
        step.kind = found->kind;
    }
    const auto argWords = words(args);
    switch (step.kind) {
    case LessonStepKind::text:
        break;
    case LessonStepKind::tuning:
        readTuning(step, args);
        break;
    case LessonStepKind::key:
        if (const auto tone = argWords.size() == 1 ? toneNumber(argWords[0]) : std::nullopt) {
            step.toneNumber = *tone;
        } else {
            fail(line, Kind::unknownNote, std::string(args));
        }
        break;
    case LessonStepKind::arrangement:
        if (argWords.size() == 1 && isOneOf(argWords[0], {"kvinter", "fifths"})) {
            step.fifths = true;
        } else if (!(argWords.size() == 1 && isOneOf(argWords[0], {"kromatisk", "chromatic"}))) {
            fail(line, Kind::badArgument, std::string(args));
        }
        break;
    case LessonStepKind::mark:
        readMark(step, argWords);
        break;
    case LessonStepKind::notes:
        readNotes(step, argWords);
        break;
    case LessonStepKind::piece:
        readPiece(step, args);
        break;
    case LessonStepKind::question:
        step.question = std::string(args);
        if (args.empty()) {
            fail(line, Kind::badArgument, {});
        }
        break;
    case LessonStepKind::exercise:
        readExercise(step, argWords);
        break;
    }
    m_step = std::move(step);
}

void LessonParser::readTuning(LessonStep& step, std::string_view name) {
    std::string resolved(name);
    if (endsWithIgnoringCase(name, ".scl") && std::filesystem::path(resolved).is_relative()) {
        resolved = (m_folder / resolved).string();
    }
    const auto tuning = resolveTuningName(resolved);
    if (const auto* error = std::get_if<TuningNameError>(&tuning)) {
        fail(step.line, Kind::unknownTuning, tuningNameReason(*error));
        return;
    }
    step.tuningName = resolved;
}

std::optional<double> LessonParser::seconds(int line, std::string_view text) {
    std::string_view value = text;
    if (value.ends_with('s')) {
        value.remove_suffix(1);
    }
    const auto parsed = number(value);
    if (!parsed || *parsed <= 0 || *parsed > kLongestSound) {
        fail(line, Kind::badTime, std::string(text));
        return std::nullopt;
    }
    return parsed;
}

void LessonParser::readMark(LessonStep& step, const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 3) {
        fail(step.line, Kind::badArgument, {});
        return;
    }
    if (isOneOf(args[0], {"grundtone", "root"})) {
        step.row = MarkRow::root;
    } else if (isOneOf(args[0], {"terts", "third"})) {
        step.row = MarkRow::third;
    } else if (isOneOf(args[0], {"kvint", "fifth"})) {
        step.row = MarkRow::fifth;
    } else {
        fail(step.line, Kind::badArgument, args[0]);
    }
    if (const auto tone = toneNumber(args[1])) {
        step.toneNumber = *tone;
    } else {
        fail(step.line, Kind::unknownNote, args[1]);
    }
    if (args.size() == 3) {
        step.seconds = seconds(step.line, args[2]).value_or(step.seconds);
    }
}

void LessonParser::readNotes(LessonStep& step, const std::vector<std::string>& args) {
    for (const std::string& word : args) {
        if (&word == &args.back() && word.ends_with('s') &&
            number(word.substr(0, word.size() - 1))) {
            step.seconds = seconds(step.line, word).value_or(step.seconds);
        } else if (const auto note = noteNumber(word)) {
            step.notes.push_back(*note);
        } else {
            fail(step.line, Kind::unknownNote, word);
        }
    }
    if (step.notes.empty() || static_cast<int>(step.notes.size()) > kMostNotes) {
        fail(step.line, Kind::badArgument, std::to_string(step.notes.size()));
    }
}

// "FILE [fra T] [til T] [gentag] [klang NAME]": the file name is all before the first of these.
void LessonParser::readPiece(LessonStep& step, std::string_view args) {
    const auto argWords = words(args);
    std::size_t first = 0;
    const auto isOption = [](const std::string& word) {
        return isOneOf(word, {"fra", "from", "til", "to", "gentag", "repeat", "klang", "sound"});
    };
    std::string file;
    while (first < argWords.size() && !isOption(argWords[first])) {
        file += (file.empty() ? "" : " ") + argWords[first++];
    }
    for (std::size_t n = first; n < argWords.size(); ++n) {
        const std::string& word = argWords[n];
        const bool hasValue = n + 1 < argWords.size();
        if (isOneOf(word, {"gentag", "repeat"})) {
            step.repeat = true;
        } else if (isOneOf(word, {"fra", "from"}) && hasValue) {
            const auto time = timeOf(argWords[++n]);
            time ? void(step.fromSeconds = *time) : fail(step.line, Kind::badTime, argWords[n]);
        } else if (isOneOf(word, {"til", "to"}) && hasValue) {
            const auto time = timeOf(argWords[++n]);
            time ? void(step.toSeconds = *time) : fail(step.line, Kind::badTime, argWords[n]);
        } else if (isOneOf(word, {"klang", "sound"}) && hasValue) {
            const auto sound = soundName(argWords[++n]);
            sound ? void(step.sound = *sound) : fail(step.line, Kind::badArgument, argWords[n]);
        } else {
            fail(step.line, Kind::badArgument, word);
        }
    }
    std::optional<std::filesystem::path> path;
    if (file.starts_with("eksempel:") || file.starts_with("example:")) {
        const std::string name = file.substr(file.find(':') + 1);
        path = m_context.findExample ? m_context.findExample(name) : std::nullopt;
    } else if (!file.empty()) {
        path = m_folder / file;
    }
    if (!path || fileProblem(*path, FileKind::piece) != FileProblem::none) {
        fail(step.line, Kind::missingFile, file);
        return;
    }
    const auto piece = readMidiFile(*path);
    if (std::holds_alternative<MidiFileError>(piece)) {
        fail(step.line, Kind::badPiece, file);
        return;
    }
    step.pieceFile = path->string();
    const double length = std::get<Piece>(piece).lengthSeconds;
    const double to = step.toSeconds.value_or(length);
    if (step.fromSeconds >= to || step.fromSeconds >= length) {
        fail(step.line, Kind::badTime, file);
    }
}

void LessonParser::readExercise(LessonStep& step, const std::vector<std::string>& args) {
    const auto exercise = args.empty() ? std::nullopt : exerciseNamed(args[0]);
    if (!exercise) {
        fail(step.line, Kind::badArgument, args.empty() ? std::string() : args[0]);
        return;
    }
    step.exercise = *exercise;
    // Settings in pairs: "runder 10", "bestå 80%".
    for (std::size_t n = 1; n < args.size(); n += 2) {
        std::string_view given = n + 1 < args.size() ? std::string_view(args[n + 1]) : "";
        if (given.ends_with('%')) {
            given.remove_suffix(1);
        }
        const auto value = number(given);
        if (isOneOf(args[n], {"runder", "rounds"}) && value && *value >= 1 && *value <= 50) {
            step.rounds = static_cast<int>(*value);
        } else if (isOneOf(args[n], {"bestå", "pass"}) && value && *value >= 0 && *value <= 100) {
            step.passPercent = static_cast<int>(*value);
        } else {
            fail(step.line, Kind::badArgument, args[n]);
        }
    }
}

void LessonParser::readStepLine(int line, std::string_view raw) {
    LessonStep& step = *m_step;
    if (step.line < 0) {
        return; // the lines of an unknown step
    }
    const std::string_view content = trimmed(raw);
    if (step.kind == LessonStepKind::text) {
        if (content.starts_with("![") && content.ends_with(')')) {
            const std::string file(
                content.substr(content.find("](") + 2, content.size() - content.find("](") - 3));
            if (fileProblem(m_folder / file, FileKind::piece) != FileProblem::none) {
                fail(line, Kind::missingFile, file);
            }
            step.pictures.push_back((m_folder / file).string());
            // Shown wherever the lesson's folder is: the picture by its full name.
            const std::string alt(content.substr(0, content.find("](")));
            step.text += alt + "](" + step.pictures.back() + ")\n";
            return;
        }
        step.text += std::string(raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw) + "\n";
        return;
    }
    if (content.empty()) {
        return;
    }
    if (step.kind == LessonStepKind::question) {
        if (content.starts_with("- ") || content.starts_with("* ")) {
            LessonAnswer answer{std::string(trimmed(content.substr(2))), content[0] == '*'};
            if (step.askForTuning) {
                const auto tuning = resolveTuningName(answer.text);
                if (const auto* error = std::get_if<TuningNameError>(&tuning)) {
                    fail(line, Kind::unknownTuning, tuningNameReason(*error));
                }
            }
            step.answers.push_back(std::move(answer));
            return;
        }
        const auto colon = content.find(':');
        const std::string key = lowered(trimmed(content.substr(0, colon)));
        if ((key == "forklaring" || key == "explanation") && colon != std::string_view::npos) {
            step.explanation = std::string(trimmed(content.substr(colon + 1)));
            return;
        }
    }
    fail(line, Kind::outsideStep, std::string(content));
}

void LessonParser::checkQuestion(const LessonStep& step) {
    const auto right = std::count_if(step.answers.begin(), step.answers.end(),
                                     [](const LessonAnswer& answer) { return answer.right; });
    if (step.answers.size() < 2 || step.answers.size() > 4 || right != 1) {
        fail(step.line, Kind::answers, std::to_string(step.answers.size()));
    }
}

void LessonParser::finishStep() {
    if (!m_step || m_step->line < 0) {
        m_step.reset();
        return;
    }
    if (m_step->kind == LessonStepKind::question) {
        checkQuestion(*m_step);
    }
    m_lesson.steps.push_back(std::move(*m_step));
    m_step.reset();
}

} // namespace

LessonResult parseLesson(std::string_view text, const std::filesystem::path& folder,
                         const LessonContext& context) {
    return LessonParser(folder, context).parse(text);
}

LessonResult readLesson(const std::filesystem::path& file, const LessonContext& context) {
    if (fileProblem(file, FileKind::lesson) != FileProblem::none) {
        return std::vector<LessonError>{{0, Kind::unreadable, file.filename().string()}};
    }
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    if (!stream && !stream.eof()) {
        return std::vector<LessonError>{{0, Kind::unreadable, file.filename().string()}};
    }
    return parseLesson(text.str(), file.parent_path(), context);
}

bool isLessonFileName(std::string_view name) {
    return endsWithIgnoringCase(name, kLessonExtension);
}

std::string lessonErrorText(const LessonError& error, bool english) {
    struct Texts {
        Kind kind;
        const char* danish;
        const char* english;
    };
    static constexpr std::array<Texts, 14> kTexts = {{
        {Kind::notALesson, "ikke en lektion: første linje skal være »klangora-lektion 1«",
         "not a lesson: the first line must be \"klangora-lektion 1\""},
        {Kind::unknownVersion, "lektionsformat %s kendes ikke (kun 1)",
         "lesson format %s is unknown (only 1)"},
        {Kind::noTitle, "lektionen har ingen »titel:«", "the lesson has no \"title:\""},
        {Kind::noSteps, "lektionen har ingen trin", "the lesson has no steps"},
        {Kind::unknownStep, "ukendt trin »%s«", "unknown step \"%s\""},
        {Kind::badArgument, "forstår ikke »%s«", "cannot understand \"%s\""},
        {Kind::unknownTuning, "%s", "%s"},
        {Kind::unknownNote, "ukendt tone »%s« (skriv fx c', eb', f#, H eller 60)",
         "unknown note \"%s\" (write e.g. c', eb', f#, H or 60)"},
        {Kind::missingFile, "filen »%s« findes ikke ved lektionen",
         "the file \"%s\" is not beside the lesson"},
        {Kind::badPiece, "»%s« er ikke musik, der kan spilles", "\"%s\" is no playable music"},
        {Kind::badTime, "tiden »%s« passer ikke", "the time \"%s\" does not fit"},
        {Kind::answers, "et spørgsmål skal have 2 til 4 svar, og præcis ét med *, ikke %s",
         "a question needs 2 to 4 answers and exactly one marked *, not %s"},
        {Kind::outsideStep, "»%s« hører ikke til noget trin", "\"%s\" belongs to no step"},
        {Kind::unreadable, "»%s« kan ikke læses", "\"%s\" cannot be read"},
    }};
    const auto found = std::find_if(kTexts.begin(), kTexts.end(),
                                    [&](const Texts& texts) { return texts.kind == error.kind; });
    std::string message = english ? found->english : found->danish;
    if (const auto at = message.find("%s"); at != std::string::npos) {
        message.replace(at, 2, error.detail);
    }
    if (error.line > 0) {
        return (english ? "line " : "linje ") + std::to_string(error.line) + ": " + message;
    }
    return message;
}

} // namespace klangora
