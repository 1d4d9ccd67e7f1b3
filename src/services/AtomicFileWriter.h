#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Writes that either land whole or leave the old file as it was. Each function returns nothing on
// success and the reason for a log line on failure.
//
// QSaveFile alone is not enough: its commit() renames the temporary file over the real one even when
// the last buffered write failed (a full disk), leaving an empty or cut file in place of the old one.
// Here every write, the flush and the sync to disk are checked before the rename.
namespace AtomicFileWriter {

// Replaces `path` with `bytes`: a temporary file next to it, synced, then renamed over it.
std::optional<QString> write(const QString &path, const QByteArray &bytes);

// Copies the regular file `source` to `target` the same way, in pieces (it may be large).
std::optional<QString> copy(const QString &source, const QString &target);

// Renames whatever `source` is (a file, a FIFO, a link, a directory) to `target`, which must not exist.
std::optional<QString> moveAside(const QString &source, const QString &target);

} // namespace AtomicFileWriter
