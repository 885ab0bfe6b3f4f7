#include "core/file_check.h"

#include <cerrno>
#include <sys/stat.h>

namespace klangora {

FileProblem fileProblemOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileProblem::missing;
    case EACCES:
    case EPERM:
        return FileProblem::noPermission;
    case EISDIR:
        return FileProblem::folder;
    default:
        return FileProblem::unreadable;
    }
}

FileProblem fileProblem(bool regular, bool folder, std::uintmax_t size, FileKind kind) {
    if (folder) {
        return FileProblem::folder;
    }
    if (!regular) {
        return FileProblem::notRegular;
    }
    return size > maxFileBytes(kind) ? FileProblem::tooLarge : FileProblem::none;
}

FileProblem fileProblem(const std::filesystem::path& path, FileKind kind) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return fileProblemOfErrno(errno);
    }
    return fileProblem(S_ISREG(status.st_mode), S_ISDIR(status.st_mode),
                       static_cast<std::uintmax_t>(status.st_size), kind);
}

bool isSameFile(const std::filesystem::path& first, const std::filesystem::path& second) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(first, second, error);
    return same && !error;
}

} // namespace klangora
