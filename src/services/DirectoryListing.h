#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What Qt's own directory listing leaves out: entries whose names are not valid UTF-8 (QDir and
// QDirIterator skip them without a word, since no QString can name them).
namespace DirectoryListing {

// The names, as bytes, of the entries of `folder` that are not valid UTF-8, in listing order.
QList<QByteArray> undecodableNames(const QString &folder);

// A file name in bytes as one safe piece of a log line: its valid UTF-8 as text (escaped like
// SystemLog::escaped), every other byte as \xHH.
QString displayName(const QByteArray &name);

} // namespace DirectoryListing
