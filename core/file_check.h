#pragma once

// Every file the program reads is looked at before anything opens it: it must be a regular file
// no larger than its kind of file can sensibly be. A FIFO, a socket or a device would make the
// reader wait for ever, and a huge (perhaps sparse) file would be read whole before its content
// could be refused; both are refused from the file's metadata alone.
#include <cstdint>
#include <filesystem>

namespace klangora {

enum class FileKind { tuning, piece, soundFont, settings, lesson, progress };

// The largest file of each kind that is read: a Scala tuning is a few hundred bytes, a MIDI
// piece of hours lies well under 16 MiB, a General MIDI sound font with its samples may reach
// 2 GB, the settings hold a handful of values.
constexpr std::uintmax_t maxFileBytes(FileKind kind) {
    switch (kind) {
    case FileKind::tuning:
        return 64 * 1024;
    case FileKind::piece:
        return 16 * 1024 * 1024;
    case FileKind::soundFont:
        return std::uintmax_t{2} * 1024 * 1024 * 1024;
    case FileKind::settings:
        return 64 * 1024;
    case FileKind::lesson: // an hour's lesson is a few pages of text
        return 1024 * 1024;
    case FileKind::progress: // years of daily exercises, a line of a few hundred bytes each
        return 64 * 1024 * 1024;
    }
    return 0;
}

enum class FileProblem { none, missing, folder, noPermission, notRegular, tooLarge, unreadable };

// What stands in the way of reading the file at `path` (symbolic links followed), without
// opening it.
FileProblem fileProblem(const std::filesystem::path& path, FileKind kind);
// The same for metadata already at hand (from fstat of a file just opened).
FileProblem fileProblem(bool regular, bool folder, std::uintmax_t size, FileKind kind);
// The problem an errno from stat or open stands for.
FileProblem fileProblemOfErrno(int error);

// Whether two names lead to the same file (the same device and inode, whatever links or
// symbolic links lie between); false when either does not exist.
bool isSameFile(const std::filesystem::path& first, const std::filesystem::path& second);

} // namespace klangora
