#include "services/DirectoryListing.h"

#include "services/SystemLog.h"

#include <QFile>

#include <cstring>
#include <dirent.h>

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
qsizetype validSequence(const QByteArray &bytes, qsizetype at)
{
    const uchar lead = uchar(bytes.at(at));
    if (lead < 0x80)
        return 1;
    const qsizetype length = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3 : lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    const QByteArray sequence = bytes.mid(at, length);
    const QString decoded = QString::fromUtf8(sequence);
    // Overlong forms, surrogates and stray continuation bytes do not survive the round trip.
    return !decoded.contains(QChar::ReplacementCharacter) && decoded.toUtf8() == sequence ? length : 0;
}

bool isValidUtf8(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = validSequence(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

namespace DirectoryListing {

QList<QByteArray> undecodableNames(const QString &folder)
{
    QList<QByteArray> names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name, qsizetype(std::strlen(entry->d_name)));
        if (!isValidUtf8(name))
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

QString displayName(const QByteArray &name)
{
    QString out;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = validSequence(name, i);
        if (length == 0) {
            out += QStringLiteral("\\x%1").arg(uint(uchar(name.at(i))), 2, 16, QLatin1Char('0'));
            ++i;
            continue;
        }
        out += SystemLog::escaped(QString::fromUtf8(name.mid(i, length)));
        i += length;
    }
    return out;
}

} // namespace DirectoryListing
