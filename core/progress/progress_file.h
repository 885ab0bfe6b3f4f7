#pragma once

// The progress file on disk. It is only ever replaced whole: the records go to a new file beside
// it, which then takes its name in one step, so that a program stopped in the middle leaves the
// old file or the new one, never half of either. A file that cannot be read, or that holds a
// fault, is never written over: it is renamed aside (`progress.txt.damaged-20261210T115028Z`),
// and the records that could be read from it are kept.
#include "core/progress/progress_format.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace klangora {

struct ProgressLoad {
    std::vector<ProgressRecord> records;
    std::vector<ProgressFault> faults;
    // Where a file with faults now lies.
    std::optional<std::filesystem::path> setAside;
    // False when a damaged file could not be moved: then it must not be written over.
    bool writable = true;
};

// Reads the file at `path`; a missing file is an empty progress. `now` (a record's time) names
// the copy of a damaged file.
ProgressLoad loadProgressFile(const std::filesystem::path& path, std::string_view now);

// Replaces the file at `path` (and makes its folder) with the records; false when it could not,
// the file before left as it was.
bool saveProgressFile(const std::filesystem::path& path,
                      const std::vector<ProgressRecord>& records);

} // namespace klangora
