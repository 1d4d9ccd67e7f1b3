#include "platform/freedesktop/XdgAutostartItem.h"

#include "services/AtomicFileWriter.h"
#include "platform/PlatformProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QStringList environmentConfigDirs()
{
    QStringList dirs = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_DIRS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    return dirs;
}

// The program as one argument of an Exec line, quoted by the rules of the desktop entry format and
// then escaped as a string value of the key file.
QString execArgument(const QString &program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    QString escaped;
    for (const QChar c : std::as_const(quoted)) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else
            escaped += c;
    }
    return escaped;
}

// The value of a key in the [Desktop Entry] group, as written (no localisation, no unescaping).
QString entryValue(const QByteArray &content, const QByteArray &key)
{
    bool inMainGroup = false;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inMainGroup && eq > 0 && line.left(eq).trimmed() == key)
            return QString::fromUtf8(line.mid(eq + 1).trimmed());
    }
    return QString();
}

} // namespace

XdgAutostartItem::XdgAutostartItem()
    : XdgAutostartItem(QString::fromLatin1(PlatformProfile::applicationId), QCoreApplication::applicationFilePath(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), environmentConfigDirs())
{
}

XdgAutostartItem::XdgAutostartItem(const QString &applicationId, const QString &program, const QString &configHome,
                                   const QStringList &configDirs)
    : applicationId_(applicationId), program_(program), configHome_(configHome), configDirs_(configDirs)
{
}

QString XdgAutostartItem::path() const
{
    return configHome_ + QStringLiteral("/autostart/") + applicationId_ + QStringLiteral(".desktop");
}

bool XdgAutostartItem::enables(const QString &entryPath)
{
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.read(1 << 20);
    return entryValue(content, "Hidden") != QLatin1String("true")
        && entryValue(content, "X-GNOME-Autostart-enabled") != QLatin1String("false");
}

LoginItem::Status XdgAutostartItem::status() const
{
    if (QFileInfo::exists(path()))
        return enables(path()) ? Status::Enabled : Status::NotRegistered;
    for (const QString &dir : configDirs_) {
        const QString system = dir + QStringLiteral("/autostart/") + applicationId_ + QStringLiteral(".desktop");
        if (QFileInfo::exists(system))
            return enables(system) ? Status::Enabled : Status::NotRegistered;
    }
    return Status::NotRegistered;
}

std::optional<QString> XdgAutostartItem::write(const QByteArray &content) const
{
    const QString folder = QFileInfo(path()).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    if (const auto error = AtomicFileWriter::write(path(), content))
        return QStringLiteral("cannot write %1: %2").arg(path(), *error);
    return std::nullopt;
}

std::optional<QString> XdgAutostartItem::registerItem()
{
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Corvane\n"
                                         "Comment=Keyboard shortcuts of the application in front\n"
                                         "Exec=%1\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execArgument(program_), applicationId_);
    return write(entry.toUtf8());
}

std::optional<QString> XdgAutostartItem::unregisterItem()
{
    QFile file(path());
    if (file.exists() && !file.remove())
        return QStringLiteral("cannot remove %1: %2").arg(path(), file.errorString());
    if (status() == Status::Enabled)  // a system entry starts the program for everyone
        return write("[Desktop Entry]\nType=Application\nName=Corvane\nHidden=true\n");
    return std::nullopt;
}
