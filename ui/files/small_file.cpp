#include "ui/files/small_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Problem = SmallFile::Problem;

Problem problemOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Problem::missing;
    case EACCES:
    case EPERM:
        return Problem::noPermission;
    case EISDIR:
        return Problem::folder;
    default:
        return Problem::unreadable;
    }
}

Problem problemOfKind(const struct stat& status, qint64 maxBytes) {
    if (S_ISDIR(status.st_mode)) {
        return Problem::folder;
    }
    if (!S_ISREG(status.st_mode)) {
        return Problem::notRegular;
    }
    return status.st_size > maxBytes ? Problem::tooLarge : Problem::none;
}

// Reads one byte more than allowed, so that a file that grew since fstat is still caught.
SmallFile readOpenFile(int fd, qint64 maxBytes) {
    SmallFile file;
    file.bytes.resize(maxBytes + 1);
    qint64 filled = 0;
    while (filled < file.bytes.size()) {
        const ssize_t got =
            ::read(fd, file.bytes.data() + filled, static_cast<size_t>(file.bytes.size() - filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return {problemOfErrno(errno), {}};
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    if (filled > maxBytes) {
        return {Problem::tooLarge, {}};
    }
    file.bytes.resize(filled);
    return file;
}

} // namespace

SmallFile readSmallFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) {
        return {problemOfErrno(errno), {}};
    }
    if (const Problem problem = problemOfKind(status, maxBytes); problem != Problem::none) {
        return {problem, {}};
    }
    // O_NONBLOCK in case the name was swapped for a FIFO or device since stat; fstat then tells.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {problemOfErrno(errno), {}};
    }
    SmallFile file;
    if (::fstat(fd, &status) != 0) {
        file.problem = problemOfErrno(errno);
    } else if (const Problem problem = problemOfKind(status, maxBytes); problem != Problem::none) {
        file.problem = problem;
    } else {
        file = readOpenFile(fd, maxBytes);
    }
    ::close(fd);
    return file;
}
