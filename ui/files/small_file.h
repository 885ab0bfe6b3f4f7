#pragma once

#include "core/file_check.h"

#include <QByteArray>
#include <QString>

// Reads a small regular file whole, without ever waiting on something that only looks like a
// file: a FIFO, a socket or a device is refused before a byte is read.
struct SmallFile {
    using Problem = klangora::FileProblem;
    Problem problem = Problem::none;
    QByteArray bytes;
};

SmallFile readSmallFile(const QString& path, klangora::FileKind kind);
