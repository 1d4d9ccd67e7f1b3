#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads another program's configuration file, read only, refusing what could hang or exhaust the
// reader: anything but a regular file (a FIFO, a device, a directory) and files over maxSize.
class BindingFile {
public:
    static constexpr qint64 maxSize = qint64(4) * 1024 * 1024;

    // The file's bytes; absent when it does not exist (`missing` true) or cannot be read.
    static std::optional<QByteArray> read(const QString &path, bool *missing = nullptr);
};
