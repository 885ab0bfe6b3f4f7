#include "core/scala_scale.h"

#include <cstdlib>

namespace klangora {

namespace {

// A file line must stay one line, whatever a file name or caption holds.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

// Tone index i at a position stands 100 * i - position / 20 cent above C, that is
// 10000 * i - 5 * position hundredths of a cent: two decimals hold it exactly.
std::string centsText(int toneIndex, int position) {
    const int hundredths = 10000 * toneIndex - 5 * position;
    const int magnitude = std::abs(hundredths);
    const int fraction = magnitude % 100;
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += fraction < 10 ? ".0" : ".";
    text += std::to_string(fraction);
    return text;
}

} // namespace

std::string writeScala(std::string_view fileName, std::string_view description,
                       const Tuning& tuning) {
    std::string text = "! ";
    text.append(oneLine(fileName)).append("\n");
    // A description beginning with '!' would read back as a comment; readers drop the blank.
    const std::string describing = oneLine(description);
    if (describing.starts_with('!')) {
        text.append(" ");
    }
    text.append(describing).append("\n 12\n");
    for (int toneIndex = 1; toneIndex <= kSliderCount; ++toneIndex) {
        const int position = tuning.position(toneIndex + 1);
        text.append(" ").append(centsText(toneIndex, position)).append("\n");
    }
    text.append(" 2/1\n");
    return text;
}

} // namespace klangora
