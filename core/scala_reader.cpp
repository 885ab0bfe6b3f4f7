#include "core/decimal_cents.h"
#include "core/scala_scale.h"
#include "core/text_encoding.h"

#include <array>
#include <cmath>
#include <optional>

namespace klangora {

namespace {

constexpr std::int64_t kLargestInteger = 2'147'483'647;
constexpr int kPitchCount = 12;
constexpr std::int64_t kToneRange = 30 * kNanoCentsPerCent;
constexpr std::int64_t kOctaveTolerance = 500'000; // 0.0005 cent
constexpr std::int64_t kOctave = 1200 * kNanoCentsPerCent;

// The lines of a text, with LF, CRLF or CR as line end, counted from 1.
class Lines {
public:
    explicit Lines(std::string_view text) : m_rest(text) {}

    std::optional<std::string_view> next() {
        if (m_rest.empty()) {
            return std::nullopt;
        }
        const std::size_t end = m_rest.find_first_of("\r\n");
        const std::string_view line = m_rest.substr(0, end);
        std::size_t skip = end == std::string_view::npos ? m_rest.size() : end + 1;
        if (end != std::string_view::npos && m_rest[end] == '\r' && end + 1 < m_rest.size() &&
            m_rest[end + 1] == '\n') {
            ++skip;
        }
        m_rest.remove_prefix(skip);
        ++m_number;
        return line;
    }

    int number() const { return m_number; }

private:
    std::string_view m_rest;
    int m_number = 0;
};

bool isComment(std::string_view line) {
    return !line.empty() && line.front() == '!';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value of a line: its first word; what follows it is a remark.
std::string_view firstWord(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < line.size() && !isBlank(line[end])) {
        ++end;
    }
    return line.substr(start, end - start);
}

// The next line that holds a value; comments and blank lines between values are passed over.
std::optional<std::string_view> nextValueLine(Lines& lines) {
    while (const std::optional<std::string_view> line = lines.next()) {
        if (!isComment(*line) && !firstWord(*line).empty()) {
            return line;
        }
    }
    return std::nullopt;
}

struct Integer {
    NumberText status = NumberText::malformed;
    std::int64_t value = 0;
};

Integer parseInteger(std::string_view digits) {
    if (digits.empty()) {
        return {};
    }
    Integer result{NumberText::ok, 0};
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return {};
        }
        if (result.status == NumberText::ok) {
            result.value = result.value * 10 + (c - '0');
            if (result.value > kLargestInteger) {
                result = {NumberText::tooLarge, 0};
            }
        }
    }
    return result;
}

// One pitch above the unison, as its line gives it.
struct Pitch {
    bool inCents = false;
    DecimalCents cents;
    std::int64_t numerator = 1;
    std::int64_t denominator = 1;
};

struct PitchText {
    NumberText status = NumberText::malformed;
    Pitch pitch;
};

PitchText parseRatio(std::string_view word) {
    const std::size_t slash = word.find('/');
    const Integer numerator = parseInteger(word.substr(0, slash));
    const Integer denominator = slash == std::string_view::npos
                                    ? Integer{NumberText::ok, 1}
                                    : parseInteger(word.substr(slash + 1));
    if (numerator.status == NumberText::malformed || denominator.status == NumberText::malformed) {
        return {};
    }
    if (numerator.status == NumberText::tooLarge || denominator.status == NumberText::tooLarge) {
        return {NumberText::tooLarge, {}};
    }
    if (numerator.value == 0 || denominator.value == 0) {
        return {}; // a ratio must be positive
    }
    return {NumberText::ok, {false, {}, numerator.value, denominator.value}};
}

PitchText parsePitch(std::string_view word) {
    if (word.find('.') == std::string_view::npos) {
        return parseRatio(word);
    }
    const DecimalCentsText cents = parseDecimalCents(word);
    return {cents.status, {true, cents.value, 1, 1}};
}

ScalaError errorAt(ScalaFault fault, int line) {
    ScalaError error;
    error.fault = fault;
    error.line = line;
    return error;
}

ScalaError faultOf(NumberText status, int line) {
    return errorAt(
        status == NumberText::tooLarge ? ScalaFault::valueTooLarge : ScalaFault::badPitch, line);
}

// What the file announces and the first twelve of its pitches (the rest are only checked).
struct PitchList {
    std::int64_t count = 0;
    std::array<Pitch, kPitchCount> pitches{};
};

std::variant<std::int64_t, ScalaError> readPitchCount(Lines& lines) {
    const std::optional<std::string_view> line = nextValueLine(lines);
    if (!line) {
        return errorAt(ScalaFault::noPitchCount, 0);
    }
    const Integer count = parseInteger(firstWord(*line));
    if (count.status == NumberText::malformed) {
        return errorAt(ScalaFault::noPitchCount, lines.number());
    }
    if (count.status == NumberText::tooLarge) {
        return errorAt(ScalaFault::valueTooLarge, lines.number());
    }
    return count.value;
}

std::variant<PitchList, ScalaError> readPitches(Lines& lines) {
    const std::variant<std::int64_t, ScalaError> count = readPitchCount(lines);
    if (const ScalaError* error = std::get_if<ScalaError>(&count)) {
        return *error;
    }
    PitchList list;
    list.count = std::get<std::int64_t>(count);
    for (std::int64_t n = 0; n < list.count; ++n) {
        const std::optional<std::string_view> line = nextValueLine(lines);
        if (!line) {
            ScalaError error = errorAt(ScalaFault::missingPitches, 0);
            error.pitchCount = list.count;
            error.pitchesFound = n;
            return error;
        }
        const PitchText pitch = parsePitch(firstWord(*line));
        if (pitch.status != NumberText::ok) {
            return faultOf(pitch.status, lines.number());
        }
        if (n < kPitchCount) {
            list.pitches[static_cast<std::size_t>(n)] = pitch.pitch;
        }
    }
    return list;
}

bool isOctave(const Pitch& pitch) {
    if (pitch.inCents) {
        const std::int64_t offset = pitch.cents.nanoCents - kOctave;
        return offset >= -kOctaveTolerance && offset <= kOctaveTolerance;
    }
    return pitch.numerator == 2 * pitch.denominator;
}

long double ratioOf(const Pitch& pitch) {
    return static_cast<long double>(pitch.numerator) / static_cast<long double>(pitch.denominator);
}

// The tone's distance from equal temperament, and its slider position when it is in reach.
struct ToneFit {
    bool inRange = false;
    double distanceCents = 0.0;
    int position = 0;
};

ToneFit fitTone(int toneIndex, const Pitch& pitch) {
    ToneFit fit;
    if (pitch.inCents) {
        const std::int64_t offset = nanoCentsFromEqual(toneIndex, pitch.cents);
        fit.distanceCents = static_cast<double>(static_cast<long double>(offset) /
                                                static_cast<long double>(kNanoCentsPerCent));
        fit.inRange = offset >= -kToneRange && offset <= kToneRange;
        fit.position = fit.inRange ? sliderPositionFromCents(toneIndex, pitch.cents) : 0;
    } else {
        const long double offset = centsFromRatio(ratioOf(pitch)) - 100.0L * toneIndex;
        fit.distanceCents = static_cast<double>(offset);
        fit.inRange = std::fabs(offset) <= 30.0L;
        fit.position = fit.inRange ? sliderPositionFromRatio(toneIndex, ratioOf(pitch)) : 0;
    }
    // The slider would clamp a position beyond its ends; such a tone is refused instead.
    fit.inRange = fit.inRange && fit.position >= kSliderMin && fit.position <= kSliderMax;
    return fit;
}

std::variant<SliderPositions, ScalaError> positionsOf(const PitchList& list) {
    if (list.count != kPitchCount) {
        ScalaError error = errorAt(ScalaFault::wrongPitchCount, 0);
        error.pitchCount = list.count;
        return error;
    }
    if (!isOctave(list.pitches.back())) {
        return errorAt(ScalaFault::lastNotOctave, 0);
    }
    SliderPositions positions{};
    for (int toneIndex = 1; toneIndex < kPitchCount; ++toneIndex) {
        const ToneFit fit =
            fitTone(toneIndex, list.pitches[static_cast<std::size_t>(toneIndex - 1)]);
        if (!fit.inRange) {
            ScalaError error = errorAt(ScalaFault::toneTooFar, 0);
            error.toneIndex = toneIndex;
            error.distanceCents = fit.distanceCents;
            return error;
        }
        positions[static_cast<std::size_t>(toneIndex - 1)] = fit.position;
    }
    return positions;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (text.substr(0, kMark.size()) == kMark) {
        text.remove_prefix(kMark.size());
    }
    return text;
}

} // namespace

ScalaReadResult readScala(std::string_view text) {
    Lines lines(withoutByteOrderMark(text));
    std::optional<std::string_view> description;
    while ((description = lines.next()) && isComment(*description)) {
    }
    if (!description) {
        return errorAt(ScalaFault::noPitchCount, 0);
    }
    const std::variant<PitchList, ScalaError> list = readPitches(lines);
    if (const ScalaError* error = std::get_if<ScalaError>(&list)) {
        return *error;
    }
    const std::variant<SliderPositions, ScalaError> positions =
        positionsOf(std::get<PitchList>(list));
    if (const ScalaError* error = std::get_if<ScalaError>(&positions)) {
        return *error;
    }
    std::string shown = displayText(*description);
    return ScalaScale{shown,
                      Tuning(std::get<SliderPositions>(positions), TuningIdentity::file(shown))};
}

} // namespace klangora
