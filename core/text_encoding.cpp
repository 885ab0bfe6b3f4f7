#include "core/text_encoding.h"

#include <string>

namespace klangora {

namespace {

// The length of the UTF-8 sequence that starts at bytes[at], or 0 when none does: no overlong
// forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::u32string decodeUtf8(std::string_view bytes) {
    std::u32string text;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        const auto lead = static_cast<unsigned char>(bytes[at]);
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            code = (code << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
        }
        text.push_back(code);
        at += length;
    }
    return text;
}

std::u32string decodeLatin1(std::string_view bytes) {
    std::u32string text;
    for (const char byte : bytes) {
        text.push_back(static_cast<unsigned char>(byte));
    }
    return text;
}

bool isControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

void appendUtf8(std::string& out, char32_t code) {
    const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string displayText(std::string_view bytes) {
    std::u32string text = isValidUtf8(bytes) ? decodeUtf8(bytes) : decodeLatin1(bytes);
    for (char32_t& code : text) {
        if (isControl(code)) {
            code = U' ';
        }
    }
    const std::size_t first = text.find_first_not_of(U' ');
    if (first == std::u32string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(U' ');
    std::string out;
    for (std::size_t i = first; i <= last; ++i) {
        appendUtf8(out, text[i]);
    }
    return out;
}

} // namespace klangora
