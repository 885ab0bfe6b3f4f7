#include "core/music/triad_report.h"

#include "core/rounding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>

namespace klangora::music {

namespace {

constexpr std::array<const char*, 12> kNoteNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                    "F#", "G",  "G#", "A",  "Bb", "H"};

// A number to one decimal with the given separator; signed puts a + before positive values,
// so that a third wider than pure reads as such. Halves round to even, as everywhere in the
// program; zero has no sign.
std::string tenths(double value, char decimalSeparator, bool withSign = false) {
    const auto tenthsCount = roundHalfEven(static_cast<long double>(value) * 10.0L);
    char text[32];
    std::snprintf(text, sizeof text, withSign && tenthsCount != 0 ? "%+.1f" : "%.1f",
                  static_cast<double>(tenthsCount) / 10.0);
    std::string result = text;
    for (char& c : result) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return result;
}

std::string padded(std::string text, std::size_t width, bool right) {
    if (text.size() >= width) {
        return text;
    }
    const std::string spaces(width - text.size(), ' ');
    return right ? spaces + text : text + spaces;
}

} // namespace

std::string majorTriadName(int root) {
    return std::string(kNoteNames[static_cast<std::size_t>(root)]) + "-dur";
}

std::string minorTriadName(int root) {
    return std::string(kNoteNames[static_cast<std::size_t>(root)]) + "-mol";
}

TriadReportWords danishReportWords() {
    TriadReportWords words{{}, {}, "terts", "kvint"};
    for (int root = 0; root < 12; ++root) {
        words.triadNames[static_cast<std::size_t>(root)] = majorTriadName(root);
        words.minorTriadNames[static_cast<std::size_t>(root)] = minorTriadName(root);
    }
    return words;
}

bool includes(TriadChoice choice, TriadKind kind) {
    return choice == TriadChoice::both ||
           (choice == TriadChoice::major) == (kind == TriadKind::major);
}

std::string triadReport(const TriadTimes& times, const Tuning& tuning, char decimalSeparator,
                        const TriadReportWords& words, TriadChoice choice) {
    // The names in a column as wide as the longest listed, and one space.
    std::size_t nameWidth = 0;
    for (int root = 0; root < 12; ++root) {
        const auto at = static_cast<std::size_t>(root);
        for (const TriadKind kind : {TriadKind::major, TriadKind::minor}) {
            const std::string& name =
                kind == TriadKind::major ? words.triadNames[at] : words.minorTriadNames[at];
            nameWidth = includes(choice, kind) ? std::max(nameWidth, name.size() + 1) : nameWidth;
        }
    }
    std::string report;
    for (const TriadKind kind : {TriadKind::major, TriadKind::minor}) {
        if (!includes(choice, kind)) {
            continue;
        }
        const auto& names = kind == TriadKind::major ? words.triadNames : words.minorTriadNames;
        for (int root : kFifthsRoots) {
            const TriadDeviation deviation = triadDeviation(tuning, root, kind);
            report +=
                padded(names[static_cast<std::size_t>(root)], nameWidth, false) +
                padded(tenths(times.secondsOf(root, kind), decimalSeparator), 8, true) + " s" +
                padded(tenths(100.0 * times.share(root, kind), decimalSeparator), 7, true) + " %" +
                "   " + words.third + " " +
                padded(tenths(deviation.thirdCents, decimalSeparator, true), 5, true) + " cent   " +
                words.fifth + " " +
                padded(tenths(deviation.fifthCents, decimalSeparator, true), 5, true) + " cent\n";
        }
    }
    return report;
}

} // namespace klangora::music
