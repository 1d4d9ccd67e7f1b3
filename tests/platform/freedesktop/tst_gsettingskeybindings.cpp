// GNOME's key bindings read through GSettings with the memory backend and the installed schemas:
// only the values the user set, custom shortcuts, and word of a change.
#include "platform/freedesktop/GSettingsKeyBindings.h"

#include <QtTest>
#include <optional>

#undef signals
#include <gio/gio.h>

namespace {

const char *const wm = "org.gnome.desktop.wm.keybindings";
const char *const media = "org.gnome.settings-daemon.plugins.media-keys";
const char *const customSchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";

bool installed(const char *schema)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *found = source ? g_settings_schema_source_lookup(source, schema, TRUE) : nullptr;
    if (found)
        g_settings_schema_unref(found);
    return found != nullptr;
}

// A copy: read() hands out a list of its own, gone at the end of the caller's statement.
std::optional<UserBinding> find(const QList<AppBindings> &all, const QString &app, const QString &action)
{
    for (const AppBindings &set : all) {
        if (set.app != app)
            continue;
        for (const UserBinding &binding : set.bindings) {
            if (binding.action == action)
                return binding;
        }
    }
    return std::nullopt;
}

void setStrv(const char *schema, const char *path, const char *key, std::initializer_list<const char *> values)
{
    GSettings *settings = path ? g_settings_new_with_path(schema, path) : g_settings_new(schema);
    std::vector<const char *> list(values);
    list.push_back(nullptr);
    g_settings_set_strv(settings, key, list.data());
    g_object_unref(settings);
}

} // namespace

class TestGSettingsKeyBindings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!installed(wm) || !installed(media) || !installed(customSchema))
            QSKIP("GNOME's keybinding schemas are not installed (gsettings-desktop-schemas, gnome-settings-daemon-common)");
    }

    void readsOnlyWhatTheUserSet()
    {
        GSettingsKeyBindings bindings;
        QVERIFY(!find(bindings.read(), "gnome-shell", "org.gnome.desktop.wm.keybindings/switch-to-workspace-1"));

        setStrv(wm, nullptr, "switch-to-workspace-1", {"<Super>1"});
        setStrv(wm, nullptr, "close", {});
        setStrv(media, nullptr, "volume-up", {"<Super>Up"});
        const QList<AppBindings> all = bindings.read();
        const std::optional<UserBinding> first = find(all, "gnome-shell", "org.gnome.desktop.wm.keybindings/switch-to-workspace-1");
        QVERIFY(first);
        QCOMPARE(first->keys, QStringList{"<Super>1"});
        QCOMPARE(first->mode, UserBinding::Mode::Replace);
        QCOMPARE(first->title, QString("Switch to workspace 1"));  // the schema's summary
        QCOMPARE(first->section, QString("Workspaces"));
        QCOMPARE(first->origin, QString("GSettings org.gnome.desktop.wm.keybindings switch-to-workspace-1"));
        const std::optional<UserBinding> close = find(all, "gnome-shell", "org.gnome.desktop.wm.keybindings/close");
        QVERIFY(close);
        QVERIFY(close->keys.isEmpty());
        // The hardware volume key stays bound by its "-static" twin: the user's key comes on top.
        const std::optional<UserBinding> volume = find(all, "gnome-shell", "org.gnome.settings-daemon.plugins.media-keys/volume-up");
        QVERIFY(volume);
        QCOMPARE(volume->mode, UserBinding::Mode::Add);
        for (const AppBindings &set : all)
            QCOMPARE(set.notation, AppBindings::Notation::Gtk);
    }

    void customShortcuts()
    {
        const char *path = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/";
        GSettings *entry = g_settings_new_with_path(customSchema, path);
        g_settings_set_string(entry, "name", "Terminal");
        g_settings_set_string(entry, "command", "gnome-terminal");
        g_settings_set_string(entry, "binding", "<Super>t");
        g_object_unref(entry);
        // A path GSettings would abort on is passed over.
        setStrv(media, nullptr, "custom-keybindings", {"not a path", path});

        GSettingsKeyBindings bindings;
        const std::optional<UserBinding> custom = find(bindings.read(), "gnome-shell", QStringLiteral("custom:") + path);
        QVERIFY(custom);
        QCOMPARE(custom->title, QString("Terminal"));
        QCOMPARE(custom->keys, QStringList{"<Super>t"});
        QCOMPARE(custom->section, QString("Custom shortcuts"));
    }

    void terminalKeybindings()
    {
        if (!installed("org.gnome.Terminal.Legacy.Keybindings"))
            QSKIP("GNOME Terminal's schema is not installed");
        setStrv("org.gnome.Terminal.Legacy.Keybindings", "/org/gnome/terminal/legacy/keybindings/", "new-tab", {});
        GSettings *terminal = g_settings_new_with_path("org.gnome.Terminal.Legacy.Keybindings", "/org/gnome/terminal/legacy/keybindings/");
        g_settings_set_string(terminal, "new-tab", "<Primary>t");
        g_object_unref(terminal);
        GSettingsKeyBindings bindings;
        const std::optional<UserBinding> newTab = find(bindings.read(), "gnome-terminal", "org.gnome.Terminal.Legacy.Keybindings/new-tab");
        QVERIFY(newTab);
        QCOMPARE(newTab->keys, QStringList{"<Primary>t"});
    }

    void announcesChanges()
    {
        GSettingsKeyBindings bindings;
        int calls = 0;
        bindings.setChangeHandler([&calls] { ++calls; });
        bindings.read();
        setStrv(wm, nullptr, "switch-to-workspace-2", {"<Super>2"});
        QTRY_VERIFY(calls > 0);
    }
};

int main(int argc, char **argv)
{
    // Before GIO picks a backend: nothing here touches the user's settings.
    qputenv("GSETTINGS_BACKEND", "memory");
    QCoreApplication app(argc, argv);
    TestGSettingsKeyBindings test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gsettingskeybindings.moc"
