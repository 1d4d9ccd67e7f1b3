#include "platform/SystemdScope.h"

#include <QFile>

namespace {

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// A desktop-file id we are willing to look up: no path separators, blanks or control characters.
bool isPlausibleId(const QString &id)
{
    if (id.isEmpty() || id.size() > 255)
        return false;
    for (const QChar c : id) {
        if (c == QLatin1Char('/') || c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QStringList single(const QString &escaped)
{
    const QString id = SystemdScope::unescape(escaped);
    return isPlausibleId(id) ? QStringList{id} : QStringList();
}

// "app[-LAUNCHER]-ID-RANDOM.scope" and "app[-LAUNCHER]-ID[@RANDOM].service"; ID and LAUNCHER are
// escaped, so the dashes left are separators.
QStringList appUnit(QString name, bool isScope)
{
    if (!isScope) {
        const qsizetype at = name.indexOf(QLatin1Char('@'));
        if (at >= 0)
            name.truncate(at);
    }
    QStringList parts = name.split(QLatin1Char('-'));
    if (parts.first() != QLatin1String("app"))
        return {};
    parts.removeFirst();
    if (isScope) {
        if (parts.size() < 2 || parts.last().isEmpty())
            return {};
        parts.removeLast();  // the random part
    } else if (parts.size() == 3 && parts.last() == QLatin1String("autostart")) {
        parts.removeLast();  // gnome-session's "app-gnome-ID-autostart.service"
    }
    if (parts.size() == 2)
        parts.removeFirst();  // the launcher: "gnome", "flatpak", "kde", ...
    if (parts.size() != 1)
        return {};
    return single(parts.first());
}

// "snap.NAME.APP.UUID.scope"; a snap's own hooks run in "snap.NAME.hook.HOOK.UUID.scope".
QStringList snapUnit(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() < 2 || parts[1].isEmpty())
        return {};
    const QString snap = SystemdScope::unescape(parts[1]);
    if (!isPlausibleId(snap))
        return {};
    QStringList ids;
    if (parts.size() >= 3) {
        const QString app = SystemdScope::unescape(parts[2]);
        if (isPlausibleId(app) && app != QLatin1String("hook"))
            ids.append(snap + QLatin1Char('_') + app);  // snapd names desktop files NAME_APP
    }
    ids.append(snap);
    return ids;
}

} // namespace

QString SystemdScope::unescape(const QString &escaped)
{
    QByteArray bytes;
    const QByteArray utf8 = escaped.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\\') {
            bytes.append(utf8[i]);
            continue;
        }
        if (i + 3 >= utf8.size())
            return QString();
        if (utf8[i + 1] != 'x' || !isHexDigit(QLatin1Char(utf8[i + 2])) || !isHexDigit(QLatin1Char(utf8[i + 3])))
            return QString();
        bytes.append(char(utf8.mid(i + 2, 2).toInt(nullptr, 16)));
        i += 3;
    }
    const QString text = QString::fromUtf8(bytes);
    // Invalid UTF-8 turns into replacement characters: not a name any desktop file has.
    if (text.contains(QChar::ReplacementCharacter) || text.contains(QChar(0)))
        return QString();
    return text;
}

QStringList SystemdScope::appIdsOfUnit(const QString &unit)
{
    const bool isScope = unit.endsWith(QLatin1String(".scope"));
    if (!isScope && !unit.endsWith(QLatin1String(".service")))
        return {};
    const QString name = unit.left(unit.lastIndexOf(QLatin1Char('.')));
    if (name.startsWith(QLatin1String("app-")))
        return appUnit(name, isScope);
    if (name.startsWith(QLatin1String("snap.")) && isScope)
        return snapUnit(name);
    return {};
}

QStringList SystemdScope::appIdsOfCgroup(const QByteArray &cgroupFile)
{
    // Lines are "HIERARCHY:CONTROLLERS:PATH"; the path may itself contain colons.
    QByteArray unified, systemd;
    for (const QByteArray &line : cgroupFile.split('\n')) {
        const qsizetype first = line.indexOf(':');
        const qsizetype second = first < 0 ? -1 : line.indexOf(':', first + 1);
        if (second < 0)
            continue;
        const QByteArray hierarchy = line.left(first);
        const QByteArray controllers = line.mid(first + 1, second - first - 1);
        const QByteArray path = line.mid(second + 1).trimmed();
        if (hierarchy == "0" && controllers.isEmpty())
            unified = path;
        else if (controllers == "name=systemd")
            systemd = path;
    }
    const QByteArray &path = !unified.isEmpty() && unified != "/" ? unified : systemd;
    QStringList components = QString::fromUtf8(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    // A unit may put its processes in cgroups of its own below it: take the innermost unit.
    for (auto it = components.crbegin(); it != components.crend(); ++it) {
        if (it->endsWith(QLatin1String(".slice")))
            break;  // above the application's unit
        const QStringList ids = appIdsOfUnit(*it);
        if (!ids.isEmpty())
            return ids;
    }
    return {};
}

QStringList SystemdScope::appIdsOfPid(qint64 pid)
{
    if (pid <= 0)
        return {};
    QFile file(QStringLiteral("/proc/%1/cgroup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return appIdsOfCgroup(file.read(64 * 1024));
}
