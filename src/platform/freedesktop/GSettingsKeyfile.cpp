#include "platform/freedesktop/GSettingsKeyfile.h"

#include "services/SystemLog.h"

#include <QFile>

#include <glib.h>
#include <sys/stat.h>

QString GSettingsKeyfile::path()
{
    return QString::fromUtf8(g_get_user_config_dir()) + QStringLiteral("/glib-2.0/settings/keyfile");
}

QString GSettingsKeyfile::refusal()
{
    const QString file = path();
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return QString();  // absent (GLib starts empty) or a file it can read
    return file + QStringLiteral(" is not a regular file");
}

void GSettingsKeyfile::guardProcess()
{
    static const bool guarded = [] {
        const QString why = refusal();
        if (why.isEmpty())
            return false;
        SystemLog::shared().write(QStringLiteral("Corvane: settings database not read: %1").arg(SystemLog::escaped(why)));
        qputenv("GSETTINGS_BACKEND", "memory");
        return true;
    }();
    Q_UNUSED(guarded);
}
