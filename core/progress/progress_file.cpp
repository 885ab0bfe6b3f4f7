#include "core/progress/progress_file.h"

#include "core/file_check.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace klangora {

namespace fs = std::filesystem;

namespace {

std::string problemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::folder:
        return "folder";
    case FileProblem::noPermission:
        return "no permission";
    case FileProblem::notRegular:
        return "not a regular file";
    case FileProblem::tooLarge:
        return "too large";
    case FileProblem::none:
    case FileProblem::missing:
    case FileProblem::unreadable:
        break;
    }
    return "unreadable";
}

// "2026-12-10T11:50:28Z" as "20261210T115028Z", fit for a file name anywhere.
std::string compactTime(std::string_view time) {
    std::string compact;
    for (const char c : time) {
        if (c != '-' && c != ':') {
            compact += c;
        }
    }
    return compact;
}

// The damaged file's new name beside it; a later number where an earlier copy has it.
std::optional<fs::path> setAside(const fs::path& path, std::string_view now) {
    const std::string stem = path.filename().string() + ".damaged-" + compactTime(now);
    for (int copy = 1; copy < 100; ++copy) {
        const fs::path aside =
            path.parent_path() / (copy == 1 ? stem : stem + '-' + std::to_string(copy));
        std::error_code error;
        if (!fs::exists(fs::symlink_status(aside, error))) {
            fs::rename(path, aside, error);
            return error ? std::nullopt : std::optional(aside);
        }
    }
    return std::nullopt;
}

bool writeAll(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno != EINTR) {
            return false;
        }
        done += written < 0 ? 0 : static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

ProgressLoad loadProgressFile(const fs::path& path, std::string_view now) {
    ProgressLoad load;
    const FileProblem problem = fileProblem(path, FileKind::progress);
    if (problem == FileProblem::missing) {
        return load;
    }
    if (problem != FileProblem::none) {
        load.faults.push_back({0, ProgressFaultKind::unreadable, problemText(problem)});
    } else {
        std::ifstream in(path, std::ios::binary);
        ProgressReading reading = readProgress(in);
        if (in.bad()) {
            reading.faults.push_back({0, ProgressFaultKind::unreadable, "read error"});
        }
        load.records = std::move(reading.records);
        load.faults = std::move(reading.faults);
    }
    if (!load.faults.empty()) {
        load.setAside = setAside(path, now);
        load.writable = load.setAside.has_value();
    }
    return load;
}

bool saveProgressFile(const fs::path& path, const std::vector<ProgressRecord>& records) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ostringstream text;
    writeProgress(text, records);
    std::string temporary = path.string() + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return false;
    }
    // On disk before it takes the name, so that a crash just after cannot leave it empty.
    const bool written = writeAll(descriptor, text.str()) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace klangora
