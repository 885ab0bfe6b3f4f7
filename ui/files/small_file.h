#pragma once

#include <QByteArray>
#include <QString>

// Reads a small regular file whole, without ever waiting on something that only looks like a
// file: a FIFO, a socket or a device is refused before a byte is read.
struct SmallFile {
    enum class Problem { none, missing, folder, noPermission, notRegular, tooLarge, unreadable };
    Problem problem = Problem::none;
    QByteArray bytes;
};

SmallFile readSmallFile(const QString& path, qint64 maxBytes);
