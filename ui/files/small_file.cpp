#include "ui/files/small_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using klangora::fileProblemOfErrno;
using Problem = SmallFile::Problem;

Problem problemOfOpenFile(const struct stat& status, klangora::FileKind kind) {
    return klangora::fileProblem(S_ISREG(status.st_mode), S_ISDIR(status.st_mode),
                                 static_cast<std::uintmax_t>(status.st_size), kind);
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
            return {fileProblemOfErrno(errno), {}};
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

SmallFile readSmallFile(const QString& path, klangora::FileKind kind) {
    const QByteArray name = QFile::encodeName(path);
    if (const Problem problem = klangora::fileProblem(name.constData(), kind);
        problem != Problem::none) {
        return {problem, {}};
    }
    // O_NONBLOCK in case the name was swapped for a FIFO or device since stat; fstat then tells.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {fileProblemOfErrno(errno), {}};
    }
    SmallFile file;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        file.problem = fileProblemOfErrno(errno);
    } else if (const Problem problem = problemOfOpenFile(status, kind); problem != Problem::none) {
        file.problem = problem;
    } else {
        file = readOpenFile(fd, static_cast<qint64>(klangora::maxFileBytes(kind)));
    }
    ::close(fd);
    return file;
}
