#include "platform/freedesktop/DesktopEntryScan.h"

#include "services/BoundedFileReader.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/GioDesktopEntry.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace {

struct KeyFileFree {
    void operator()(GKeyFile *file) const { g_key_file_free(file); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

QStringList applicationFolders()
{
    QStringList folders{QString::fromUtf8(g_get_user_data_dir()) + QStringLiteral("/applications")};
    for (const gchar *const *dir = g_get_system_data_dirs(); dir && *dir; ++dir)
        folders << QString::fromUtf8(*dir) + QStringLiteral("/applications");
    return folders;
}

InstalledProgram programOf(GDesktopAppInfo *info, const QString &id)
{
    InstalledProgram program;
    program.entry = GioDesktopEntry::from(info);
    program.entry.id = id;
    // GIO gives the first word of Exec; the search path makes it a file.
    if (const char *executable = g_app_info_get_executable(G_APP_INFO(info)); executable && *executable) {
        gchar *found = g_find_program_in_path(executable);
        program.executable = found ? QString::fromUtf8(found) : QString();
        g_free(found);
    }
    return program;
}

class Scan {
public:
    QList<InstalledProgram> programs;

    void folder(const QString &path, const QString &prefix, int depth)
    {
        if (depth > DesktopEntryScan::maxDepth)
            return;
        const QFileInfoList items = QDir(path).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System,
                                                             QDir::Name);
        for (const QFileInfo &item : items) {
            if (seen_.size() >= DesktopEntryScan::maxEntries)
                return;
            if (item.isDir()) {
                folder(item.filePath(), prefix + item.fileName() + QLatin1Char('-'), depth + 1);
                continue;
            }
            const QString name = item.fileName();
            if (!name.endsWith(QLatin1String(".desktop")))
                continue;
            const QString id = prefix + name.left(name.size() - 8);
            if (seen_.contains(id))
                continue;  // a folder earlier in precedence has it
            seen_.insert(id);
            entry(item.filePath(), id);
        }
    }

private:
    void entry(const QString &path, const QString &id)
    {
        const BoundedFileReader::Result file = BoundedFileReader::read(path, DesktopEntryScan::maxEntrySize);
        if (file.outcome != BoundedFileReader::Outcome::Read) {
            if (file.outcome != BoundedFileReader::Outcome::Absent)
                SystemLog::shared().write(QStringLiteral("Corvane: skipped the desktop entry %1: %2")
                                              .arg(SystemLog::escaped(path), file.reason));
            return;
        }
        std::unique_ptr<GKeyFile, KeyFileFree> keys(g_key_file_new());
        if (!g_key_file_load_from_data(keys.get(), file.bytes.constData(), gsize(file.bytes.size()), G_KEY_FILE_NONE, nullptr))
            return;
        if (g_key_file_get_boolean(keys.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr))
            return;
        std::unique_ptr<GDesktopAppInfo, ObjectUnref> info(g_desktop_app_info_new_from_keyfile(keys.get()));
        if (info)
            programs.append(programOf(info.get(), id));
    }

    QSet<QString> seen_;
};

} // namespace

QList<InstalledProgram> DesktopEntryScan::list()
{
    Scan scan;
    for (const QString &folder : applicationFolders())
        scan.folder(folder, QString(), 0);
    std::sort(scan.programs.begin(), scan.programs.end(),
              [](const InstalledProgram &a, const InstalledProgram &b) { return a.entry.id < b.entry.id; });
    return scan.programs;
}

void DesktopEntryScan::watchFolders()
{
    // Looking up an id no folder has lists the folders' names and sets up GIO's monitors, and
    // opens no entry.
    GDesktopAppInfo *none = g_desktop_app_info_new("corvane-watch-only.desktop");
    if (none)
        g_object_unref(none);
}
