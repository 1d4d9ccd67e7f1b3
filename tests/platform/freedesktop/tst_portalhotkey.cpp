// The global hot key through the real xdg-desktop-portal frontend, on a private session bus, with a
// desktop backend of our own (portal_backend.py) that the frontend finds through its .portal file.

#include "LinuxTestSupport.h"
#include "StandIns.h"
#include "keys/DesktopKeyNames.h"
#include "keys/KeyCodes.h"
#include "services/MemoryDefaultsStore.h"
#include "services/SystemLog.h"
#include "platform/FallbackHotKeyBackend.h"
#include "platform/freedesktop/PortalHotKeyBackend.h"
#include "settings/CompositorBindingLine.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

namespace {

const char *const frontendProgram = "/usr/libexec/xdg-desktop-portal";
const QString backendName = QStringLiteral("org.freedesktop.impl.portal.desktop.corvanetest");
const QString portalName = QStringLiteral("org.freedesktop.portal.Desktop");

// A private D-Bus session bus with no service activation: only what the test starts is on it.
const char busConfig[] =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:tmpdir=/tmp</listen>\n"
    "  <auth>EXTERNAL</auth>\n"
    "  <policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
    "<allow own=\"*\"/></policy>\n"
    "</busconfig>\n";
const char portalFile[] = "[portal]\nDBusName=org.freedesktop.impl.portal.desktop.corvanetest\n"
                          "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts\nUseIn=corvane-test\n";

} // namespace

class TestPortalHotKey : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    ChildProcess bus, backend, frontend;
    QString address;
    std::optional<QDBusConnection> connection;
    MemoryDefaultsStore defaults;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<HotKeyManager> manager;
    PortalHotKeyBackend *portal = nullptr;  // owned by the manager
    int triggers = 0;
    QString lastToken;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        env.insert(QStringLiteral("XDG_DESKTOP_PORTAL_DIR"), folder.filePath(QStringLiteral("portals")));
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("corvane-test"));
        // Newer frontends choose backends by portals.conf, older ones by the .portal file's UseIn.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    bool waitForName(const QString &name, bool present)
    {
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            if (connection->interface()->isServiceRegistered(name).value() == present)
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    bool startFrontend()
    {
        frontend.process->setProcessEnvironment(environment());
        frontend.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        frontend.process->start(QString::fromLatin1(frontendProgram), {});
        return frontend.process->waitForStarted(5000) && waitForName(portalName, true);
    }

    QString controlled = backendName;  // who answers the test's orders

    QDBusMessage control(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(controlled, QStringLiteral("/control"),
                                                           QStringLiteral("org.corvane.test.PortalControl"), method);
        call.setArguments(arguments);
        return connection->call(call, QDBus::Block, 5000);
    }

    bool press(const QString &token = QString())
    {
        const QDBusMessage reply = control(QStringLiteral("Press"), {token});
        return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
    }

    // The calls the desktop backend received, oldest first.
    QJsonArray calls()
    {
        const QDBusMessage reply = control(QStringLiteral("Calls"));
        return QJsonDocument::fromJson(reply.arguments().value(0).toString().toUtf8()).array();
    }

    QJsonArray callsNamed(const QString &method)
    {
        QJsonArray named;
        for (const QJsonValue &call : calls()) {
            if (call[QStringLiteral("method")].toString() == method)
                named.append(call);
        }
        return named;
    }

    void useHotKey(quint32 code, quint32 modifiers, const QString &display)
    {
        preferences->setHotKeyCode(code);
        preferences->setHotKeyModifiers(modifiers);
        preferences->setHotKeyDisplay(display);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        QVERIFY(writeFile(folder.filePath(QStringLiteral("bus.conf")), busConfig));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("portals/corvanetest.portal")), portalFile));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("config/xdg-desktop-portal/corvane-test-portals.conf")),
                          "[preferred]\ndefault=corvanetest\n"));

        bus.process->start(QStringLiteral("dbus-daemon"),
                           {QStringLiteral("--config-file=") + folder.filePath(QStringLiteral("bus.conf")),
                            QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        QVERIFY(bus.process->waitForReadyRead(10000));
        address = QString::fromUtf8(bus.process->readLine().trimmed());
        QVERIFY(!address.isEmpty());
        connection = QDBusConnection::connectToBus(address, QStringLiteral("corvane-portal-test"));
        QVERIFY(connection->isConnected());

        backend.process->setProcessEnvironment(environment());
        backend.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The distribution's Python, which has python3-dbus and python3-gi.
        backend.process->start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(PORTAL_BACKEND)});
        QVERIFY(backend.process->waitForReadyRead(10000));
        QCOMPARE(backend.process->readLine().trimmed(), QByteArray("ready"));

        // Nothing offers global shortcuts before the frontend runs.
        QVERIFY(!PortalHotKeyBackend::availableVersion(*connection, 2000));
        QVERIFY(startFrontend());
        QVERIFY(PortalHotKeyBackend::availableVersion(*connection).value_or(0) >= 1u);

        preferences = std::make_unique<Preferences>(defaults);
        auto owned = std::make_unique<PortalHotKeyBackend>(*connection, 1, QStringLiteral("org.corvane.Corvane"));
        portal = owned.get();
        manager = std::make_unique<HotKeyManager>(*preferences, std::move(owned));
        manager->setOnTrigger([this](const ActivationRequest &press) {
            ++triggers;
            lastToken = press.token;
        });
    }

    void cleanupTestCase()
    {
        manager.reset();
        connection.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("corvane-portal-test"));
    }

    // The stored combination in each desktop's notation, and without a portal the line for the
    // compositor's own configuration.
    void triggerNotation()
    {
        using namespace KeyCodes;
        const struct {
            quint32 code, modifiers;
            const char *freedesktop, *gtk, *sway;
        } cases[] = {
            {Space, CommandMask | ShiftMask, "LOGO+SHIFT+space", "<Super><Shift>space", "Mod4+Shift+space"},
            {K, ControlMask | OptionMask | ShiftMask | CommandMask, "LOGO+CTRL+ALT+SHIFT+k", "<Super><Control><Alt><Shift>k",
             "Mod4+Ctrl+Mod1+Shift+k"},
            {F5, OptionMask, "ALT+F5", "<Alt>F5", "Mod1+F5"},
            {Comma, ControlMask, "CTRL+comma", "<Control>comma", "Ctrl+comma"},
            {Keypad7, ControlMask, "CTRL+KP_7", "<Control>KP_7", "Ctrl+KP_7"},
            {PageDown, ShiftMask, "SHIFT+Next", "<Shift>Next", "Shift+Next"},
            {Digit1, CommandMask, "LOGO+1", "<Super>1", "Mod4+1"},
        };
        for (const auto &c : cases) {
            QCOMPARE(DesktopKeyNames::freedesktopTrigger(c.code, c.modifiers).value_or(QString()), c.freedesktop);
            QCOMPARE(DesktopKeyNames::gtkAccelerator(c.code, c.modifiers).value_or(QString()), c.gtk);
            QCOMPARE(DesktopKeyNames::swayCombination(c.code, c.modifiers).value_or(QString()), c.sway);
        }
        QVERIFY(!DesktopKeyNames::freedesktopTrigger(200, ShiftMask));

        const QList<QPair<QString, QString>> lines{
            {"sway", "bindsym Mod4+Shift+space exec corvane --toggle"},
            {"Hyprland", "bind = SUPER SHIFT, space, exec, corvane --toggle"},
            {"river", "riverctl map normal Super+Shift space spawn 'corvane --toggle'"},
            {"foo:sway", "bindsym Mod4+Shift+space exec corvane --toggle"},
            {"Weston", ""},
        };
        for (const auto &[desktop, line] : lines)
            QCOMPARE(CompositorBindingLine::forDesktop(desktop, Space, CommandMask | ShiftMask, QStringLiteral("corvane --toggle")), line);
    }

    // Which desktops have a global-shortcuts backend of their own: the KDE one installed next to
    // GNOME 43 does not make one for GNOME; GNOME 48's own does.
    void backendsServeTheirOwnDesktops()
    {
        QTemporaryDir portals;
        auto write = [&](const char *name, const QByteArray &text) {
            QFile file(portals.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("kde.portal", "[portal]\nDBusName=org.freedesktop.impl.portal.desktop.kde\n"
                            "Interfaces=org.freedesktop.impl.portal.Access;org.freedesktop.impl.portal.GlobalShortcuts\nUseIn=KDE\n");
        write("gnome.portal", "[portal]\nDBusName=org.freedesktop.impl.portal.desktop.gnome\n"
                              "Interfaces=org.freedesktop.impl.portal.Access;org.freedesktop.impl.portal.Screenshot\nUseIn=gnome\n");
        const QStringList folders{portals.path()};
        QVERIFY(PortalHotKeyBackend::desktopHasBackend(QStringLiteral("KDE"), folders));
        QVERIFY(!PortalHotKeyBackend::desktopHasBackend(QStringLiteral("ubuntu:GNOME"), folders));
        QVERIFY(!PortalHotKeyBackend::desktopHasBackend(QStringLiteral("sway"), folders));
        write("gnome.portal", "[portal]\nInterfaces=org.freedesktop.impl.portal.GlobalShortcuts;\nUseIn=gnome;ubuntu\n");
        QVERIFY(PortalHotKeyBackend::desktopHasBackend(QStringLiteral("ubuntu:GNOME"), folders));
    }

    // Start-up: one session, toggle-panel bound with the stored key as the preferred trigger; the
    // trigger shown is the one the desktop reports. A key without a name is not bound. Then the
    // desktop's presses.
    void bindsTheStoredKeyAndTriggers()
    {
        QCOMPARE(portal->grab(200, KeyCodes::ShiftMask), HotKeyBackend::Result::NoSuchKey);
        QSignalSpy statusChanged(manager.get(), &HotKeyManager::statusChanged);
        manager->start();
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Registered);
        const QJsonArray sessions = callsNamed(QStringLiteral("CreateSession"));
        QCOMPARE(sessions.size(), 1);
        const QJsonArray binds = callsNamed(QStringLiteral("BindShortcuts"));
        QCOMPARE(binds.size(), 1);
        QCOMPARE(binds[0][QStringLiteral("session")], sessions[0][QStringLiteral("session")]);
        const QJsonArray shortcuts = binds[0][QStringLiteral("shortcuts")].toArray();
        QCOMPARE(shortcuts.size(), 1);
        QCOMPARE(shortcuts[0][0].toString(), QStringLiteral("toggle-panel"));
        QCOMPARE(shortcuts[0][1][QStringLiteral("description")].toString(), QStringLiteral("Show or hide the shortcut panel"));
        QCOMPARE(shortcuts[0][1][QStringLiteral("preferred_trigger")].toString(), QStringLiteral("LOGO+CTRL+space"));
        QCOMPARE(manager->triggerDescription(), QStringLiteral("Desk LOGO+CTRL+space"));
        QCOMPARE(manager->displayText(), QStringLiteral("Desk LOGO+CTRL+space"));
        QVERIFY(!manager->canConfigure());  // version 1 has no dialog of its own
        QVERIFY(statusChanged.count() >= 1);

        // Each Activated is one trigger, on the main loop after the signal; a version 2 token
        // reaches the action.
        triggers = 0;
        QVERIFY(press());
        QTRY_COMPARE(triggers, 1);
        QVERIFY(lastToken.isEmpty());
        QVERIFY(press(QStringLiteral("token-42")));
        QTRY_COMPARE(triggers, 2);
        QCOMPARE(lastToken, QStringLiteral("token-42"));
    }

    // The user changes the trigger in the desktop's settings: menu and settings follow.
    void desktopChangesTheTrigger()
    {
        QSignalSpy statusChanged(manager.get(), &HotKeyManager::statusChanged);
        QVERIFY(control(QStringLiteral("ChangeTrigger"), {QStringLiteral("Ctrl+Alt+F12")}).arguments().value(0).toBool());
        QTRY_COMPARE(manager->displayText(), QStringLiteral("Ctrl+Alt+F12"));
        QCOMPARE(statusChanged.count(), 1);
        QCOMPARE(manager->status(), HotKeyManager::Status::Registered);
    }

    // Version 1's "Change…": a new recorded key is bound again, in the same session.
    void newRecordedKeyIsBoundAgain()
    {
        useHotKey(KeyCodes::K, KeyCodes::ControlMask | KeyCodes::OptionMask, QStringLiteral("\u2303\u2325K"));
        manager->registerHotKey();
        QTRY_COMPARE(manager->displayText(), QStringLiteral("Desk CTRL+ALT+k"));
        QCOMPARE(manager->status(), HotKeyManager::Status::Registered);
        const QJsonArray binds = callsNamed(QStringLiteral("BindShortcuts"));
        QCOMPARE(binds.size(), 2);
        QCOMPARE(binds[1][QStringLiteral("shortcuts")][0][1][QStringLiteral("preferred_trigger")].toString(),
                 QStringLiteral("CTRL+ALT+k"));
        QCOMPARE(callsNamed(QStringLiteral("CreateSession")).size(), 1);
        triggers = 0;
        QVERIFY(press());
        QTRY_COMPARE(triggers, 1);
    }

    // The portal restarts: a new session, the key bound again, presses arrive again; no restart of ours.
    void portalRestartBindsAgain()
    {
        SystemLog::Capture log;
        frontend.process->terminate();
        QVERIFY(frontend.process->waitForFinished(10000));
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Unavailable);
        QVERIFY(!portal->hasSession());
        QVERIFY(startFrontend());
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Registered);
        const QJsonArray sessions = callsNamed(QStringLiteral("CreateSession"));
        QCOMPARE(sessions.size(), 2);
        QVERIFY(sessions[1][QStringLiteral("session")] != sessions[0][QStringLiteral("session")]);
        const QJsonArray binds = callsNamed(QStringLiteral("BindShortcuts"));
        QCOMPARE(binds.size(), 3);
        QCOMPARE(binds[2][QStringLiteral("session")], sessions[1][QStringLiteral("session")]);
        QCOMPARE(binds[2][QStringLiteral("shortcuts")][0][1][QStringLiteral("preferred_trigger")].toString(),
                 QStringLiteral("CTRL+ALT+k"));
        QCOMPARE(manager->displayText(), QStringLiteral("Desk CTRL+ALT+k"));
        triggers = 0;
        QVERIFY(press());
        QTRY_COMPARE(triggers, 1);
        QVERIFY(log.lines().contains(QStringLiteral("Corvane: the desktop portal is back; binding the hot key again")));
    }

    // The desktop refuses: one log line and the status the program answers with a notification and
    // the settings, as for a key another program holds; the next recorded key is bound.
    void refusalIsReported()
    {
        control(QStringLiteral("SetRefuse"), {true});
        SystemLog::Capture log;
        QSignalSpy statusChanged(manager.get(), &HotKeyManager::statusChanged);
        useHotKey(KeyCodes::J, KeyCodes::CommandMask, QStringLiteral("\u2756J"));
        manager->registerHotKey();
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Refused);
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Corvane: the desktop refused the hot key \u2756J: the desktop answered 2")});

        control(QStringLiteral("SetRefuse"), {false});
        manager->registerHotKey();
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Registered);
        QCOMPARE(manager->displayText(), QStringLiteral("Desk LOGO+j"));
        QVERIFY(manager->failureReason().isEmpty());
    }

    // Backends that depart from the protocol's plain reading. Plasma 5.27's binds what CreateSession
    // names and nothing in BindShortcuts: the shortcut goes with CreateSession and no BindShortcuts
    // follows (it would open the desktop's settings). A bind that leaves no shortcut is a refusal. A
    // backend that cannot make a session (another desktop's) hands over to the session's own way,
    // with one log line and no refusal.
    void desktopsThatDepartFromTheProtocol()
    {
        const QString appId = QStringLiteral("org.corvane.Corvane");
        MemoryDefaultsStore freshDefaults;
        Preferences fresh(freshDefaults);
        {
            control(QStringLiteral("SetMode"), {QStringLiteral("create-binds")});
            const qsizetype binds = callsNamed(QStringLiteral("BindShortcuts")).size();
            HotKeyManager plasma(fresh, std::make_unique<PortalHotKeyBackend>(*connection, 1, appId));
            plasma.start();
            QTRY_COMPARE(plasma.status(), HotKeyManager::Status::Registered);
            const QJsonArray created = callsNamed(QStringLiteral("CreateSession"));
            QCOMPARE(created.last()[QStringLiteral("shortcuts")][0][1][QStringLiteral("preferred_trigger")].toString(),
                     QStringLiteral("LOGO+CTRL+space"));
            QCOMPARE(callsNamed(QStringLiteral("BindShortcuts")).size(), binds);
            QCOMPARE(plasma.displayText(), QStringLiteral("Desk LOGO+CTRL+space"));
        }
        {
            control(QStringLiteral("SetMode"), {QStringLiteral("binds-nothing")});
            SystemLog::Capture log;
            HotKeyManager nothing(fresh, std::make_unique<PortalHotKeyBackend>(*connection, 1, appId));
            nothing.start();
            QTRY_COMPARE(nothing.status(), HotKeyManager::Status::Refused);
            QCOMPARE(nothing.failureReason(), QStringLiteral("the desktop bound no shortcut"));
            QCOMPARE(log.lines(), QStringList{QStringLiteral("Corvane: the desktop refused the hot key \u2303\u2756Space: "
                                                             "the desktop bound no shortcut")});
        }
        control(QStringLiteral("SetMode"), {QStringLiteral("no-session")});
        for (const bool withFallback : {true, false}) {
            // The session's own way to bind a key, standing in for GNOME's custom shortcut.
            auto owned = std::make_unique<StandInHotKeyBackend>();
            StandInHotKeyBackend *own = owned.get();
            SystemLog::Capture log;
            HotKeyManager other(fresh, std::make_unique<FallbackHotKeyBackend>(
                                           std::make_unique<PortalHotKeyBackend>(*connection, 1, appId),
                                           withFallback ? std::move(owned) : nullptr));
            QSignalSpy statusChanged(&other, &HotKeyManager::statusChanged);
            other.start();
            const auto expected = withFallback ? HotKeyManager::Status::Registered : HotKeyManager::Status::Unavailable;
            QTRY_COMPARE(other.status(), expected);
            QCOMPARE(log.lines().first(), QStringLiteral("Corvane: the desktop portal has no global shortcuts for this "
                                                         "session: no shortcut session (the desktop answered 2)"));
            QVERIFY(!log.lines().join('\n').contains(QStringLiteral("refused")));
            if (withFallback) {
                QCOMPARE(own->grabbed, (QList<std::pair<quint32, quint32>>{{KeyCodes::Space,
                                                                            KeyCodes::ControlMask | KeyCodes::CommandMask}}));
                QCOMPARE(other.owner(), HotKeyBackend::Owner::Program);
            }
        }
        control(QStringLiteral("SetMode"), {QString()});
    }

    // A newer portal comes in its place (version 2): the program registers its app id first, binds
    // again, and "Change…" opens the desktop's own dialog for our session.
    void newerPortalTakesOver()
    {
        frontend.process->terminate();
        QVERIFY(frontend.process->waitForFinished(10000));
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Unavailable);
        QVERIFY(!manager->canConfigure());
        ChildProcess newer;
        newer.process->setProcessEnvironment(environment());
        newer.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        newer.process->start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(PORTAL_FRONTEND_V2)});
        QVERIFY(newer.process->waitForReadyRead(10000));
        controlled = portalName;
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Registered);
        QCOMPARE(manager->displayText(), QStringLiteral("Super+Shift+Space (v2)"));
        QTRY_VERIFY(manager->canConfigure());
        QJsonArray received = calls();
        QVERIFY(received.size() >= 3);
        QCOMPARE(received[0][QStringLiteral("method")].toString(), QStringLiteral("Register"));
        QCOMPARE(received[0][QStringLiteral("app_id")].toString(), QStringLiteral("org.corvane.Corvane"));
        QCOMPARE(received[1][QStringLiteral("method")].toString(), QStringLiteral("CreateSession"));
        QCOMPARE(received[2][QStringLiteral("method")].toString(), QStringLiteral("BindShortcuts"));
        QCOMPARE(received[2][QStringLiteral("trigger")].toString(), QStringLiteral("LOGO+j"));
        const QString session = received[2][QStringLiteral("session")].toString();

        manager->configure();
        QTRY_COMPARE(callsNamed(QStringLiteral("ConfigureShortcuts")).size(), 1);
        QCOMPARE(callsNamed(QStringLiteral("ConfigureShortcuts"))[0][QStringLiteral("session")].toString(), session);

        triggers = 0;
        QVERIFY(press(QStringLiteral("v2-token")));
        QTRY_COMPARE(triggers, 1);
        QCOMPARE(lastToken, QStringLiteral("v2-token"));

        // Released (the backend replaced): presses no longer trigger.
        portal->ungrab();
        QVERIFY(press());
        QTest::qWait(200);
        QCOMPARE(triggers, 1);
    }

};

int main(int argc, char **argv)
{
    if (!QFileInfo::exists(QString::fromLatin1(frontendProgram))) {
        fprintf(stderr, "SKIP: %s is not installed (package xdg-desktop-portal)\n", frontendProgram);
        return 77;
    }
    QCoreApplication app(argc, argv);
    TestPortalHotKey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_portalhotkey.moc"
