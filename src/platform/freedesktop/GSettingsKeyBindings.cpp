#include "platform/freedesktop/GSettingsKeyBindings.h"

#include "platform/freedesktop/GSettingsKeyfile.h"
#include "platform/freedesktop/GioHandles.h"

#include <QHash>
#include <QStringList>

#include <vector>

namespace {

using SettingsPtr = GioHandles::Owned<GSettings>;
using SchemaPtr = GioHandles::Owned<GSettingsSchema>;
using KeyPtr = GioHandles::Owned<GSettingsSchemaKey>;
using VariantPtr = GioHandles::Owned<GVariant>;

const char *const mediaKeys = "org.gnome.settings-daemon.plugins.media-keys";
const char *const customKeybinding = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";

// One schema whose keys are key bindings.
struct Source {
    const char *schema;
    const char *path;  // for a relocatable schema
    const char *app;
};

const Source sources[] = {
    {"org.gnome.desktop.wm.keybindings", nullptr, "gnome-shell"},
    {"org.gnome.shell.keybindings", nullptr, "gnome-shell"},
    {"org.gnome.mutter.keybindings", nullptr, "gnome-shell"},
    {"org.gnome.mutter.wayland.keybindings", nullptr, "gnome-shell"},
    {mediaKeys, nullptr, "gnome-shell"},
    {"org.gnome.Terminal.Legacy.Keybindings", "/org/gnome/terminal/legacy/keybindings/", "gnome-terminal"},
};

// The "GNOME Shell" section a key the catalogue does not list goes to.
QString sectionFor(const QString &schema, const QString &key)
{
    if (key.contains(QLatin1String("screenshot")) || key.contains(QLatin1String("screencast")))
        return QStringLiteral("Screenshots");
    if (schema == QLatin1String(mediaKeys)) {
        if (key.contains(QLatin1String("magnifier")) || key.contains(QLatin1String("screenreader"))
            || key.contains(QLatin1String("keyboard")) || key.contains(QLatin1String("contrast")))
            return QStringLiteral("Accessibility");
        return QStringLiteral("Media keys");
    }
    if (key.contains(QLatin1String("workspace")))
        return QStringLiteral("Workspaces");
    if (schema == QLatin1String("org.gnome.desktop.wm.keybindings") || schema == QLatin1String("org.gnome.mutter.keybindings"))
        return QStringLiteral("Windows");
    if (schema.startsWith(QLatin1String("org.gnome.Terminal")))
        return QString();
    return QStringLiteral("System");
}

// A string or an array of strings; absent for any other type.
std::optional<QStringList> strings(GVariant *value)
{
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return QStringList{QString::fromUtf8(g_variant_get_string(value, nullptr))};
    if (!g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY))
        return std::nullopt;
    QStringList list;
    gsize n = 0;
    const gchar **items = g_variant_get_strv(value, &n);
    for (gsize i = 0; i < n; ++i)
        list << QString::fromUtf8(items[i]);
    g_free(items);
    return list;
}

SchemaPtr lookup(const char *id)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();  // not owned; null without schemas
    return SchemaPtr(source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr);
}

} // namespace

struct GSettingsKeyBindings::Private {
    std::vector<SettingsPtr> settings;  // kept so that their change signals arrive
    std::function<void()> changed;

    static void onChanged(GSettings *, gchar *, gpointer data)
    {
        auto *self = static_cast<Private *>(data);
        if (self->changed)
            self->changed();
    }

    GSettings *open(GSettingsSchema *schema, const char *path)
    {
        GSettings *opened = g_settings_new_full(schema, nullptr, path);
        settings.push_back(SettingsPtr(opened));
        g_signal_connect(opened, "changed", G_CALLBACK(onChanged), this);
        return opened;
    }
};

GSettingsKeyBindings::GSettingsKeyBindings() : d_(std::make_unique<Private>())
{
    GSettingsKeyfile::guardProcess();
}

GSettingsKeyBindings::~GSettingsKeyBindings()
{
    for (const SettingsPtr &settings : d_->settings)
        g_signal_handlers_disconnect_by_data(settings.get(), d_.get());
}

void GSettingsKeyBindings::setChangeHandler(std::function<void()> changed)
{
    d_->changed = std::move(changed);
}

QList<AppBindings> GSettingsKeyBindings::read()
{
    // Fresh objects on every read: the list of custom shortcuts may have changed.
    for (const SettingsPtr &settings : d_->settings)
        g_signal_handlers_disconnect_by_data(settings.get(), d_.get());
    d_->settings.clear();

    QList<AppBindings> result;
    // A FIFO in the keyfile's place came after start-up: GLib's keyfile backend would block on it.
    if (!GSettingsKeyfile::refusal().isEmpty() && qgetenv("GSETTINGS_BACKEND") != "memory")
        return result;
    QHash<QString, qsizetype> byApp;
    auto bindingsOf = [&](const char *app) -> AppBindings & {
        const QString name = QString::fromLatin1(app);
        auto found = byApp.constFind(name);
        if (found == byApp.constEnd()) {
            found = byApp.insert(name, result.size());
            AppBindings set;
            set.app = name;
            set.notation = AppBindings::Notation::Gtk;
            result.append(set);
        }
        return result[*found];
    };

    for (const Source &source : sources) {
        const SchemaPtr schema = lookup(source.schema);
        if (!schema)
            continue;
        GSettings *settings = d_->open(schema.get(), source.path);
        const QString schemaId = QString::fromLatin1(source.schema);
        gchar **keys = g_settings_schema_list_keys(schema.get());
        for (gchar **k = keys; k && *k; ++k) {
            const QString key = QString::fromUtf8(*k);
            if (schemaId == QLatin1String(mediaKeys) && key == QLatin1String("custom-keybindings"))
                continue;
            const VariantPtr user(g_settings_get_user_value(settings, *k));
            if (!user)
                continue;
            const auto values = strings(user.get());
            if (!values)
                continue;
            const KeyPtr schemaKey(g_settings_schema_get_key(schema.get(), *k));
            const char *summary = g_settings_schema_key_get_summary(schemaKey.get());
            UserBinding binding;
            binding.action = schemaId + QLatin1Char('/') + key;
            for (const QString &value : *values) {
                if (!value.isEmpty() && value != QLatin1String("disabled"))
                    binding.keys << value;
            }
            binding.title = summary ? QString::fromUtf8(summary) : key;
            binding.section = sectionFor(schemaId, key);
            binding.origin = QStringLiteral("GSettings ") + schemaId + QLatin1Char(' ') + key;
            // A media key with a "-static" twin: the twin keeps the hardware key, this one adds to it.
            if (g_settings_schema_has_key(schema.get(), (key + QStringLiteral("-static")).toUtf8().constData()))
                binding.mode = UserBinding::Mode::Add;
            bindingsOf(source.app).bindings.append(std::move(binding));
        }
        g_strfreev(keys);

        if (schemaId != QLatin1String(mediaKeys))
            continue;
        // Custom shortcuts: a list of paths, each a relocatable schema with a name, command and binding.
        const SchemaPtr custom = lookup(customKeybinding);
        if (!custom)
            continue;
        const VariantPtr paths(g_settings_get_value(settings, "custom-keybindings"));
        const auto list = strings(paths.get());
        if (!list)
            continue;
        for (const QString &path : list->mid(0, 256)) {
            const QByteArray pathBytes = path.toUtf8();
            // GSettings aborts on a path that does not begin and end with "/" or holds "//".
            if (!pathBytes.startsWith('/') || !pathBytes.endsWith('/') || pathBytes.contains("//"))
                continue;
            GSettings *entry = d_->open(custom.get(), pathBytes.constData());
            gchar *name = g_settings_get_string(entry, "name");
            gchar *command = g_settings_get_string(entry, "command");
            gchar *binding = g_settings_get_string(entry, "binding");
            UserBinding user;
            user.action = QStringLiteral("custom:") + path;
            user.title = QString::fromUtf8(name && *name ? name : command);
            if (binding && *binding && qstrcmp(binding, "disabled") != 0)
                user.keys << QString::fromUtf8(binding);
            user.section = QStringLiteral("Custom shortcuts");
            user.origin = QStringLiteral("GSettings ") + QLatin1String(customKeybinding) + QLatin1Char(':') + path;
            g_free(name);
            g_free(command);
            g_free(binding);
            bindingsOf("gnome-shell").bindings.append(std::move(user));
        }
    }
    return result;
}
