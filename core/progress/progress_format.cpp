#include "core/progress/progress_format.h"

#include "core/progress/progress_fields.h"

#include <array>
#include <istream>
#include <ostream>

namespace klangora {

namespace {

using Kind = ExerciseKind;
using Fields = std::vector<std::string>;

using progress_fields::escaped;
using progress_fields::kFieldSeparator;
using progress_fields::kItemSeparator;
using progress_fields::number;
using progress_fields::numberText;
using progress_fields::split;
using progress_fields::unescaped;

std::string optionalNumberText(const std::optional<double>& value) {
    return value ? numberText(*value) : std::string();
}

constexpr std::array<std::pair<Kind, std::string_view>, 3> kExerciseWords{{
    {Kind::pureOrTempered, "pure-or-tempered"},
    {Kind::tunePure, "tune-pure"},
    {Kind::whichTemperament, "which-temperament"},
}};

constexpr std::string_view kExerciseWord = "exercise";
constexpr std::string_view kAnswerWord = "answer";
constexpr std::string_view kPassedWord = "passed";

std::string answerText(const ExerciseAnswer& answer) {
    return std::string(answer.right ? "1" : "0") + kItemSeparator +
           optionalNumberText(answer.cents) + kItemSeparator + escaped(answer.played) +
           kItemSeparator + escaped(answer.chosen);
}

std::string joined(const Fields& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) {
            line += kFieldSeparator;
        }
        line += field;
    }
    return line;
}

std::string lessonFields(const LessonIdentity& lesson) {
    return escaped(lesson.title) + kFieldSeparator + escaped(lesson.file);
}

struct LineWriter {
    const std::string& time;

    std::string operator()(const ExerciseOutcome& outcome) const {
        std::string temperaments;
        for (const std::string& name : outcome.temperaments) {
            if (!temperaments.empty()) {
                temperaments += kItemSeparator;
            }
            temperaments += escaped(name);
        }
        Fields fields{time,
                      std::string(kExerciseWord),
                      std::string(kExerciseWords[static_cast<std::size_t>(outcome.kind)].second),
                      optionalNumberText(outcome.thresholdCents),
                      optionalNumberText(outcome.beatsPerSecond),
                      temperaments,
                      escaped(outcome.summary)};
        for (const ExerciseAnswer& answer : outcome.answers) {
            fields.push_back(answerText(answer));
        }
        return joined(fields);
    }
    std::string operator()(const LessonAnswerRecord& answer) const {
        return joined({time, std::string(kAnswerWord), lessonFields(answer.lesson),
                       std::to_string(answer.stepIndex + 1), std::to_string(answer.answerIndex + 1),
                       answer.right ? "1" : "0"});
    }
    std::string operator()(const LessonPassedRecord& passed) const {
        return joined({time, std::string(kPassedWord), lessonFields(passed.lesson),
                       std::to_string(passed.rightAnswers), std::to_string(passed.questions)});
    }
};

// Reads the fields of one line, reporting the first that cannot be read.
class LineReader {
public:
    LineReader(std::vector<std::string_view> fields, int line, std::vector<ProgressFault>& faults)
        : m_fields(std::move(fields)), m_line(line), m_faults(faults) {}

    std::size_t size() const { return m_fields.size(); }
    bool ok() const { return m_ok; }

    std::string text(std::size_t n) {
        auto value = unescaped(m_fields[n]);
        if (!value) {
            fail(ProgressFaultKind::badValue, m_fields[n]);
        }
        return value.value_or("");
    }
    // A count (0 or more), or a place counted from 1 (returned counted from 0).
    int count(std::size_t n, int least = 0) {
        const auto value = number<int>(m_fields[n]);
        if (!value || *value < least) {
            fail(ProgressFaultKind::badNumber, m_fields[n]);
        }
        return value.value_or(least);
    }
    int place(std::size_t n) { return count(n, 1) - 1; }
    std::optional<double> optionalNumber(std::string_view text) {
        return text.empty() ? std::nullopt : std::optional(decimal(text));
    }
    bool flag(std::string_view text) {
        if (text != "0" && text != "1") {
            fail(ProgressFaultKind::badValue, text);
        }
        return text == "1";
    }
    std::string_view field(std::size_t n) const { return m_fields[n]; }
    void fail(ProgressFaultKind kind, std::string_view detail) {
        if (m_ok) {
            m_faults.push_back({m_line, kind, std::string(detail)});
        }
        m_ok = false;
    }

private:
    double decimal(std::string_view text) {
        const auto value = number<double>(text);
        if (!value) {
            fail(ProgressFaultKind::badNumber, text);
        }
        return value.value_or(0.0);
    }

    std::vector<std::string_view> m_fields;
    int m_line;
    std::vector<ProgressFault>& m_faults;
    bool m_ok = true;
};

std::optional<Kind> exerciseKind(std::string_view word) {
    for (const auto& [kind, name] : kExerciseWords) {
        if (name == word) {
            return kind;
        }
    }
    return std::nullopt;
}

ExerciseAnswer exerciseAnswer(LineReader& reader, std::string_view field) {
    const std::vector<std::string_view> parts = split(field, kItemSeparator);
    if (parts.size() != 4) {
        reader.fail(ProgressFaultKind::badValue, field);
        return {};
    }
    ExerciseAnswer answer;
    answer.right = reader.flag(parts[0]);
    answer.cents = reader.optionalNumber(parts[1]);
    const auto played = unescaped(parts[2]);
    const auto chosen = unescaped(parts[3]);
    if (!played || !chosen) {
        reader.fail(ProgressFaultKind::badValue, field);
    }
    answer.played = played.value_or("");
    answer.chosen = chosen.value_or("");
    return answer;
}

std::optional<ExerciseOutcome> exerciseRecord(LineReader& reader) {
    constexpr std::size_t kFirstAnswer = 7;
    if (reader.size() < kFirstAnswer) {
        reader.fail(ProgressFaultKind::fieldCount, std::to_string(reader.size()));
        return std::nullopt;
    }
    ExerciseOutcome outcome;
    const auto kind = exerciseKind(reader.field(2));
    if (!kind) {
        reader.fail(ProgressFaultKind::badValue, reader.field(2));
    }
    outcome.kind = kind.value_or(Kind::pureOrTempered);
    outcome.thresholdCents = reader.optionalNumber(reader.field(3));
    outcome.beatsPerSecond = reader.optionalNumber(reader.field(4));
    if (!reader.field(5).empty()) {
        for (const std::string_view name : split(reader.field(5), kItemSeparator)) {
            const auto text = unescaped(name);
            if (!text) {
                reader.fail(ProgressFaultKind::badValue, reader.field(5));
            }
            outcome.temperaments.push_back(text.value_or(""));
        }
    }
    outcome.summary = reader.text(6);
    for (std::size_t n = kFirstAnswer; n < reader.size(); ++n) {
        outcome.answers.push_back(exerciseAnswer(reader, reader.field(n)));
    }
    return outcome;
}

std::optional<LessonIdentity> lessonIdentity(LineReader& reader, std::size_t fieldCount) {
    if (reader.size() != fieldCount) {
        reader.fail(ProgressFaultKind::fieldCount, std::to_string(reader.size()));
        return std::nullopt;
    }
    return LessonIdentity{reader.text(2), reader.text(3)};
}

std::optional<LessonAnswerRecord> answerRecord(LineReader& reader) {
    auto lesson = lessonIdentity(reader, 7);
    if (!lesson) {
        return std::nullopt;
    }
    return LessonAnswerRecord{std::move(*lesson), reader.place(4), reader.place(5),
                              reader.flag(reader.field(6))};
}

std::optional<LessonPassedRecord> passedRecord(LineReader& reader) {
    auto lesson = lessonIdentity(reader, 6);
    if (!lesson) {
        return std::nullopt;
    }
    return LessonPassedRecord{std::move(*lesson), reader.count(4), reader.count(5)};
}

template <typename Record>
void keep(ProgressReading& reading, const LineReader& reader, std::string_view time,
          std::optional<Record> record) {
    if (record && reader.ok()) {
        reading.records.push_back({std::string(time), std::move(*record)});
    }
}

void readRecord(std::string_view line, int number, ProgressReading& reading) {
    LineReader reader(split(line, kFieldSeparator), number, reading.faults);
    if (reader.size() < 2) {
        reader.fail(ProgressFaultKind::fieldCount, std::to_string(reader.size()));
        return;
    }
    const std::string_view time = reader.field(0);
    if (!isProgressTime(time)) {
        reader.fail(ProgressFaultKind::badTime, time);
        return;
    }
    const std::string_view word = reader.field(1);
    if (word == kExerciseWord) {
        keep(reading, reader, time, exerciseRecord(reader));
    } else if (word == kAnswerWord) {
        keep(reading, reader, time, answerRecord(reader));
    } else if (word == kPassedWord) {
        keep(reading, reader, time, passedRecord(reader));
    } else {
        reader.fail(ProgressFaultKind::unknownRecord, word);
    }
}

// The first line: the format's tag, a space and its version.
std::optional<ProgressFault> headerFault(std::string_view line) {
    const std::string tag = std::string(kProgressFormatTag) + ' ';
    const auto version =
        line.starts_with(tag) ? number<int>(line.substr(tag.size())) : std::nullopt;
    if (!version || *version < 1) {
        return ProgressFault{1, ProgressFaultKind::notProgress, std::string(line.substr(0, 40))};
    }
    if (*version > kProgressFormatVersion) {
        return ProgressFault{1, ProgressFaultKind::laterVersion, std::to_string(*version)};
    }
    return std::nullopt;
}

} // namespace

bool isProgressTime(std::string_view text) {
    constexpr std::string_view shape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t n = 0; n < shape.size(); ++n) {
        const bool digit = text[n] >= '0' && text[n] <= '9';
        if (shape[n] == 'd' ? !digit : text[n] != shape[n]) {
            return false;
        }
    }
    return true;
}

std::string progressHeader() {
    return std::string(kProgressFormatTag) + ' ' + std::to_string(kProgressFormatVersion);
}

std::string progressLine(const ProgressRecord& record) {
    return std::visit(LineWriter{record.time}, record.what);
}

ProgressReading readProgress(std::istream& in) {
    ProgressReading reading;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        // A line end an editor on another system wrote; the program's own lines escape it.
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (number == 1) {
            if (auto fault = headerFault(line)) {
                reading.faults.push_back(std::move(*fault));
                return reading; // nothing after an unknown first line can be trusted
            }
        } else if (!line.empty()) {
            readRecord(line, number, reading);
        }
    }
    return reading;
}

void writeProgress(std::ostream& out, const std::vector<ProgressRecord>& records) {
    out << progressHeader() << '\n';
    for (const ProgressRecord& record : records) {
        out << progressLine(record) << '\n';
    }
}

} // namespace klangora
