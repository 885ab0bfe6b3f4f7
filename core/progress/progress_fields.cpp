#include "core/progress/progress_fields.h"

#include <array>

namespace klangora::progress_fields {

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case kItemSeparator:
            out += "\\;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] != '\\') {
            out += text[n];
            continue;
        }
        if (++n == text.size()) {
            return std::nullopt;
        }
        switch (text[n]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case kItemSeparator:
            out += kItemSeparator;
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] == '\\') {
            ++n;
        } else if (text[n] == separator) {
            parts.push_back(text.substr(begin, n - begin));
            begin = n + 1;
        }
    }
    parts.push_back(text.substr(begin));
    return parts;
}

std::string numberText(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace klangora::progress_fields
