#pragma once

// The triad table as plain text, one line per triad in the order of the diagram's fifths
// arrangement (C G D ... F), the major triads before the minor: its name, how many seconds and
// what share of the piece it sounds, and how far its third and its fifth lie from pure in the
// tuning, in cents.
#include "core/music/triad_analysis.h"
#include "core/tone_table.h"

#include <array>
#include <string>

namespace klangora::music {

// The Danish name of the major triad on a root 0..11: "C-dur", "C#-dur", ..., "H-dur"; of the
// minor triad: "C-mol", ..., "H-mol".
std::string majorTriadName(int root);
std::string minorTriadName(int root);

// The words of the report in one language (UTF-8): the triads' names by root 0..11 and the
// words before the third's and the fifth's cents.
struct TriadReportWords {
    std::array<std::string, 12> triadNames;
    std::array<std::string, 12> minorTriadNames;
    std::string third;
    std::string fifth;
};
TriadReportWords danishReportWords();

// Which triads a report or a table lists.
enum class TriadChoice { major, minor, both };

bool includes(TriadChoice choice, TriadKind kind);

// decimalSeparator: the user's, '.' or ','.
std::string triadReport(const TriadTimes& times, const Tuning& tuning, char decimalSeparator,
                        const TriadReportWords& words = danishReportWords(),
                        TriadChoice choice = TriadChoice::major);

} // namespace klangora::music
