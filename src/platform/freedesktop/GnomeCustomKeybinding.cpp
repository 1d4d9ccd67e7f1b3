#include "platform/freedesktop/GnomeCustomKeybinding.h"

#include <QByteArray>
#include <QList>

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>

namespace {

const char *const listSchema = "org.gnome.settings-daemon.plugins.media-keys";
const char *const entrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
const char *const listKey = "custom-keybindings";

bool hasSchema(const char *id)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();  // not owned
    if (!source)
        return false;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

// A GSettings object, released when it goes out of scope.
struct Settings {
    explicit Settings(GSettings *object) : settings(object) {}
    ~Settings() { g_object_unref(settings); }
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;
    GSettings *settings;
};

QList<QByteArray> readList(GSettings *settings)
{
    QList<QByteArray> paths;
    gchar **values = g_settings_get_strv(settings, listKey);
    for (gchar **value = values; value && *value; ++value)
        paths.append(QByteArray(*value));
    g_strfreev(values);
    return paths;
}

bool writeList(GSettings *settings, const QList<QByteArray> &paths)
{
    QList<const char *> values;
    for (const QByteArray &path : paths)
        values.append(path.constData());
    values.append(nullptr);
    return g_settings_set_strv(settings, listKey, values.constData());
}

} // namespace

GnomeCustomKeybinding::GnomeCustomKeybinding(QString path) : path_(std::move(path)) {}

bool GnomeCustomKeybinding::isAvailable()
{
    return hasSchema(listSchema) && hasSchema(entrySchema);
}

bool GnomeCustomKeybinding::write(const QString &name, const QString &command, const QString &binding, QString *error)
{
    if (!isAvailable()) {
        if (error)
            *error = QStringLiteral("GNOME's keyboard settings are not installed");
        return false;
    }
    const QByteArray path = path_.toUtf8();
    {
        // The entry first: the list never names an entry that has no command yet.
        Settings entry(g_settings_new_with_path(entrySchema, path.constData()));
        // Only what differs is written: every write tells GNOME (and our own watcher) of a change.
        const auto set = [&entry](const char *key, const QString &value) {
            gchar *current = g_settings_get_string(entry.settings, key);
            const bool same = value == QString::fromUtf8(current);
            g_free(current);
            return same || g_settings_set_string(entry.settings, key, value.toUtf8().constData());
        };
        const bool written = set("name", name) && set("command", command) && set("binding", binding);
        if (!written) {
            if (error)
                *error = QStringLiteral("GSettings did not take the entry at ") + path_;
            return false;
        }
    }
    Settings list(g_settings_new(listSchema));
    const QList<QByteArray> paths = readList(list.settings);
    QList<QByteArray> repaired;
    bool listed = false;
    for (const QByteArray &listedPath : paths) {
        if (listedPath == path) {
            if (listed)
                continue;  // listed twice: keep the first place
            listed = true;
        }
        repaired.append(listedPath);
    }
    if (!listed)
        repaired.append(path);
    if (repaired != paths && !writeList(list.settings, repaired)) {
        if (error)
            *error = QStringLiteral("GSettings did not take the list of custom shortcuts");
        return false;
    }
    g_settings_sync();
    return true;
}

bool GnomeCustomKeybinding::remove()
{
    if (!isAvailable())
        return false;
    const QByteArray path = path_.toUtf8();
    bool removed = false;
    {
        Settings list(g_settings_new(listSchema));
        QList<QByteArray> paths = readList(list.settings);
        removed = paths.removeAll(path) > 0;
        if (removed)
            writeList(list.settings, paths);
    }
    Settings entry(g_settings_new_with_path(entrySchema, path.constData()));
    for (const char *key : {"name", "command", "binding"}) {
        GVariant *user = g_settings_get_user_value(entry.settings, key);
        if (user) {
            removed = true;
            g_variant_unref(user);
            g_settings_reset(entry.settings, key);
        }
    }
    g_settings_sync();
    return removed;
}

std::optional<QString> GnomeCustomKeybinding::binding() const
{
    if (!isListed())
        return std::nullopt;
    Settings entry(g_settings_new_with_path(entrySchema, path_.toUtf8().constData()));
    gchar *value = g_settings_get_string(entry.settings, "binding");
    const QString binding = QString::fromUtf8(value);
    g_free(value);
    return binding.isEmpty() ? std::nullopt : std::optional<QString>(binding);
}

bool GnomeCustomKeybinding::isListed() const
{
    if (!isAvailable())
        return false;
    Settings list(g_settings_new(listSchema));
    return readList(list.settings).contains(path_.toUtf8());
}
