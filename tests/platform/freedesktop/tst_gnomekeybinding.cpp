// Corvane's custom shortcut in GNOME's keyboard settings, against GNOME's real schema, with GSettings'
// keyfile backend in a temporary folder; and the uninstall path of the real program.

#include "LinuxTestSupport.h"
#include "keys/KeyCodes.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"
#include "services/MemoryDefaultsStore.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/GnomeHotKeyBackend.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QSignalSpy>

#include <QCoreApplication>

#undef signals
#include <gio/gio.h>

namespace {

const char *const listSchema = "org.gnome.settings-daemon.plugins.media-keys";
const char *const entrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
const QString base = QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/");
const QString ours = QString::fromLatin1(GnomeCustomKeybinding::defaultPath);

QStringList list()
{
    GSettings *settings = g_settings_new(listSchema);
    gchar **values = g_settings_get_strv(settings, "custom-keybindings");
    QStringList paths;
    for (gchar **value = values; *value; ++value)
        paths << QString::fromUtf8(*value);
    g_strfreev(values);
    g_object_unref(settings);
    return paths;
}

void setList(const QStringList &paths)
{
    QList<QByteArray> bytes;
    QList<const char *> values;
    for (const QString &path : paths)
        bytes << path.toUtf8();
    for (const QByteArray &path : bytes)
        values << path.constData();
    values << nullptr;
    GSettings *settings = g_settings_new(listSchema);
    g_settings_set_strv(settings, "custom-keybindings", values.constData());
    g_object_unref(settings);
}

QString entry(const QString &path, const char *key)
{
    GSettings *settings = g_settings_new_with_path(entrySchema, path.toUtf8().constData());
    gchar *value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    g_object_unref(settings);
    return text;
}

void setEntry(const QString &path, const char *key, const QString &value)
{
    GSettings *settings = g_settings_new_with_path(entrySchema, path.toUtf8().constData());
    g_settings_set_string(settings, key, value.toUtf8().constData());
    g_object_unref(settings);
}

void resetEntry(const QString &path, const char *key)
{
    GSettings *settings = g_settings_new_with_path(entrySchema, path.toUtf8().constData());
    g_settings_reset(settings, key);
    g_object_unref(settings);
}

// What another process reads (the keyfile on disk), through the gsettings tool.
QString readWithTool(const QStringList &arguments)
{
    QByteArray output;
    if (run(QStringLiteral("gsettings"), QStringList{QStringLiteral("get")} + arguments, &output) != 0)
        return QStringLiteral("(failed)");
    return QString::fromUtf8(output);
}

} // namespace

class TestGnomeKeybinding : public QObject {
    Q_OBJECT

    const QString terminal = base + QStringLiteral("custom0/");
    const QString screenshot = base + QStringLiteral("custom1/");
    const QString command = QStringLiteral("/opt/corvane/bin/corvane --toggle");

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(GnomeCustomKeybinding::isAvailable());
        // The user's own shortcuts, which must come through everything untouched.
        setEntry(terminal, "name", QStringLiteral("Terminal"));
        setEntry(terminal, "command", QStringLiteral("x-terminal-emulator"));
        setEntry(terminal, "binding", QStringLiteral("<Super>t"));
        setEntry(screenshot, "name", QStringLiteral("Shot"));
        setEntry(screenshot, "command", QStringLiteral("shot --area"));
        setEntry(screenshot, "binding", QStringLiteral("<Control>Print"));
        setList({terminal, screenshot});
    }

    // Added at the end of the user's list; then listed with its command lost, listed twice with its
    // binding lost, written but not listed. Quitting releases nothing: GNOME keeps running the key.
    void addsOrRepairsItsEntry()
    {
        const QList<std::tuple<QStringList, const char *, QStringList>> cases{
            {{terminal, screenshot}, nullptr, {terminal, screenshot, ours}},  // nothing of ours yet
            {{terminal, ours, screenshot}, "command", {terminal, ours, screenshot}},
            {{ours, terminal, ours, screenshot}, "binding", {ours, terminal, screenshot}},
            {{terminal, screenshot}, nullptr, {terminal, screenshot, ours}},
        };
        for (const auto &[before, missingKey, after] : cases) {
            repair(before, missingKey, after);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void repair(const QStringList &before, const char *missingKey, const QStringList &after)
    {
        setList(before);
        if (missingKey)
            resetEntry(ours, missingKey);
        GnomeHotKeyBackend backend(command);
        QCOMPARE(backend.owner(), HotKeyBackend::Owner::DesktopSettings);
        QCOMPARE(backend.grab(KeyCodes::Space, KeyCodes::CommandMask | KeyCodes::ShiftMask), HotKeyBackend::Result::Grabbed);
        QCOMPARE(list(), after);
        QCOMPARE(entry(ours, "command"), command);
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Super><Shift>space"));
        QCOMPARE(entry(ours, "name"), GnomeHotKeyBackend::entryName());
        backend.ungrab();
        QCOMPARE(list(), after);
    }

    // A new recorded key updates our entry in its place, whatever order the user gave the list.
    void updatesOnlyItsOwnEntry()
    {
        setList({ours, screenshot, terminal});
        GnomeHotKeyBackend backend(command);
        QCOMPARE(backend.grab(KeyCodes::K, KeyCodes::ControlMask | KeyCodes::OptionMask), HotKeyBackend::Result::Grabbed);
        QCOMPARE(list(), (QStringList{ours, screenshot, terminal}));
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Control><Alt>k"));
        QCOMPARE(entry(terminal, "binding"), QStringLiteral("<Super>t"));
        QCOMPARE(entry(terminal, "command"), QStringLiteral("x-terminal-emulator"));
        QCOMPARE(entry(screenshot, "binding"), QStringLiteral("<Control>Print"));
        // A key GTK cannot name is not written.
        QCOMPARE(backend.grab(200, KeyCodes::ShiftMask), HotKeyBackend::Result::NoSuchKey);
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Control><Alt>k"));
    }

    // GNOME's settings are the truth once our entry exists: a key the user set there is the hot key at
    // start and while running, and is never written over; the recorder's key is written. A key the
    // desktop itself uses is not written at all, and the log names what uses it.
    void theDesktopsKeyIsTheHotKey()
    {
        setList({terminal, ours});
        setEntry(ours, "binding", QStringLiteral("<Super>k"));
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        HotKeyManager manager(preferences, std::make_unique<GnomeHotKeyBackend>(command));
        SystemLog::Capture log;
        manager.start();
        QCOMPARE(manager.status(), HotKeyManager::Status::Registered);
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::K));
        QCOMPARE(preferences.hotKeyModifiers(), quint32(KeyCodes::CommandMask));
        QCOMPARE(preferences.hotKeyText(), QStringLiteral("Super+K"));
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Super>k"));
        QCOMPARE(log.lines(), QStringList{"Corvane: hot key Super+K comes from the desktop's keyboard settings"});

        // Changed in GNOME's settings while running (another process, as GNOME's panel would).
        QSignalSpy changed(&manager, &HotKeyManager::statusChanged);
        const QString relocated = QLatin1String(entrySchema) + QLatin1Char(':') + ours;
        QCOMPARE(run(QStringLiteral("gsettings"), {QStringLiteral("set"), relocated, QStringLiteral("binding"),
                                                  QStringLiteral("<Primary><Alt>period")}),
                 0);
        QTRY_COMPARE(preferences.hotKeyText(), QStringLiteral("Ctrl+Alt+."));
        QVERIFY(changed.count() >= 1);

        // The recorder's key is written.
        preferences.setHotKeyCode(KeyCodes::J);
        preferences.setHotKeyModifiers(KeyCodes::ControlMask | KeyCodes::CommandMask);
        manager.registerHotKey();
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Super><Control>j"));
        QCoreApplication::processEvents();
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::J));

        // A key the desktop uses: reported, not written.
        manager.setConflictCheck([](quint32 code, quint32 modifiers) {
            return code == KeyCodes::Space && modifiers == (KeyCodes::CommandMask | KeyCodes::ShiftMask)
                ? QStringLiteral("GNOME Shell's 'Switch to the previous input source'")
                : QString();
        });
        preferences.setHotKeyCode(KeyCodes::Space);
        preferences.setHotKeyModifiers(KeyCodes::CommandMask | KeyCodes::ShiftMask);
        preferences.setHotKeyDisplay(QStringLiteral("\u21E7\u2756Space"));
        SystemLog::Capture conflictLog;
        manager.registerHotKey();
        QCOMPARE(manager.status(), HotKeyManager::Status::InUse);
        QCOMPARE(manager.conflict(), QStringLiteral("GNOME Shell's 'Switch to the previous input source'"));
        QCOMPARE(conflictLog.lines(),
                 QStringList{"Corvane: hot key Shift+Super+Space is GNOME Shell's 'Switch to the previous input source'"});
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Super><Control>j"));

        // Desktop bindings that change nothing for our key leave it alone (no second report); once
        // the desktop frees the key, it is registered.
        QSignalSpy reported(&manager, &HotKeyManager::statusChanged);
        manager.desktopBindingsChanged();
        QCOMPARE(reported.count(), 0);
        manager.setConflictCheck({});
        manager.desktopBindingsChanged();
        QCOMPARE(manager.status(), HotKeyManager::Status::Registered);
        QCOMPARE(entry(ours, "binding"), QStringLiteral("<Super><Shift>space"));
    }

    // The uninstall path: the real program's --unregister-desktop, in another process, as the
    // uninstall script runs it; then nothing of ours is left and the user's order stands.
    void uninstallRemovesIt()
    {
        setList({screenshot, ours, terminal});
        QVERIFY(GnomeCustomKeybinding().isListed());
        QByteArray output;
        QCOMPARE(run(QStringLiteral(CORVANE_PROGRAM), {QStringLiteral("--unregister-desktop")}, &output), 0);
        const QString listKey = QStringLiteral("custom-keybindings");
        QCOMPARE(readWithTool({QLatin1String(listSchema), listKey}), QStringLiteral("['%1', '%2']").arg(screenshot, terminal));
        const QString relocated = QLatin1String(entrySchema) + QLatin1Char(':') + ours;
        QCOMPARE(readWithTool({relocated, QStringLiteral("command")}), QStringLiteral("''"));
        QCOMPARE(readWithTool({relocated, QStringLiteral("binding")}), QStringLiteral("''"));
        const QString terminalPath = QLatin1String(entrySchema) + QLatin1Char(':') + terminal;
        QCOMPARE(readWithTool({terminalPath, QStringLiteral("command")}), QStringLiteral("'x-terminal-emulator'"));
        // Twice is harmless.
        QCOMPARE(run(QStringLiteral(CORVANE_PROGRAM), {QStringLiteral("--unregister-desktop")}), 0);
        QCOMPARE(readWithTool({QLatin1String(listSchema), listKey}), QStringLiteral("['%1', '%2']").arg(screenshot, terminal));
    }
};

int main(int argc, char **argv)
{
    // GSettings' keyfile backend under a temporary XDG_CONFIG_HOME, for this process and the
    // programs it starts; the schemas are the installed ones.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    if (!GnomeCustomKeybinding::isAvailable()) {
        fprintf(stderr, "SKIP: GNOME's media-keys schema is not installed (package gnome-settings-daemon-common)\n");
        return 77;
    }
    QCoreApplication app(argc, argv);
    TestGnomeKeybinding test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gnomekeybinding.moc"
