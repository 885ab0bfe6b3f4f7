#pragma once

// The pieces of the progress file's lines: fields escaped so that no tab, line end or list
// separator in a title or a summary can break a line apart, and numbers written and read with a
// point whatever the locale.
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace klangora::progress_fields {

inline constexpr char kFieldSeparator = '\t';
// Separates the items of a list (the temperaments) and the parts of an exercise's answer.
inline constexpr char kItemSeparator = ';';

// A field's text with backslash, tab, line feed, carriage return and semicolon as escapes, and
// back; none for an escape the format does not know or a backslash at the end.
std::string escaped(std::string_view text);
std::optional<std::string> unescaped(std::string_view text);
// Splits at every separator that is not escaped; the parts stay escaped.
std::vector<std::string_view> split(std::string_view text, char separator);
// The shortest text that reads back as the same number.
std::string numberText(double value);

// The whole text as one number (finite, for a decimal); none for anything else.
template <typename Number> std::optional<Number> number(std::string_view text) {
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace klangora::progress_fields
