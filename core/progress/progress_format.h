#pragma once

// The progress file's text: a first line naming the format and its version, then one record a
// line, its fields separated by tabs. docs/progress.md describes it for anyone who reads the file
// with other tools. Reading never stops at a fault: every line that can be read is kept, and
// every one that cannot is reported with its number and the reason.
#include "core/progress/progress_record.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace klangora {

inline constexpr std::string_view kProgressFormatTag = "klangora-progress";
inline constexpr int kProgressFormatVersion = 1;

enum class ProgressFaultKind {
    unreadable,    // the file as a whole (line 0); detail: why
    notProgress,   // the first line names no progress file
    laterVersion,  // the first line names a version this program does not know
    unknownRecord, // detail: the record's word
    fieldCount,    // detail: how many fields the line has
    badTime,       // detail: the time as written
    badNumber,     // detail: the number as written
    badValue       // detail: the field as written (an exercise's name, an answer, an escape)
};

struct ProgressFault {
    int line = 0; // counted from 1; 0 for the file as a whole
    ProgressFaultKind kind = ProgressFaultKind::unreadable;
    std::string detail;
};

struct ProgressReading {
    std::vector<ProgressRecord> records;
    std::vector<ProgressFault> faults;
};

// The first line, and one record's line (both without the line end).
std::string progressHeader();
std::string progressLine(const ProgressRecord& record);

ProgressReading readProgress(std::istream& in);
void writeProgress(std::ostream& out, const std::vector<ProgressRecord>& records);

} // namespace klangora
