// The active application on a real X server: xterm windows with classes of their own, focus moved
// with xdotool, the root window's _NET_ACTIVE_WINDOW changed behind the window manager's back.

#include "LinuxTestSupport.h"
#include "StandIns.h"
#include "panel/ActiveAppMonitor.h"
#include "platform/ActivationSource.h"
#include "platform/PlatformProfile.h"
#include "platform/freedesktop/LinuxWorkspace.h"
#include "platform/x11/X11ActivationSource.h"
#include "platform/x11/X11WindowIdentity.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWindow>
#include <unistd.h>

namespace {

const QString ownId = QString::fromLatin1(PlatformProfile::applicationId);

RunningApp app(std::optional<QString> id)
{
    RunningApp result;
    result.bundleIdentifier = std::move(id);
    result.localizedName = QStringLiteral("Name");
    return result;
}

} // namespace

class TestX11ActiveApp : public QObject {
    Q_OBJECT

    std::optional<X11Display> x11;
    std::unique_ptr<X11Barrier> barrier;
    std::unique_ptr<LinuxWorkspace> workspace;
    std::unique_ptr<X11WindowIdentity> windows;
    std::unique_ptr<X11ActivationSource> source;
    ActiveAppMonitor monitor{ownId};
    ChildProcess alpha, beta;
    QString alphaWindow, betaWindow;
    QWindow ownWindow;

    QString startXterm(ChildProcess &child, const QString &windowClass)
    {
        child.process->start(QStringLiteral("xterm"), {QStringLiteral("-class"), windowClass, QStringLiteral("-e"),
                                                       QStringLiteral("cat")});
        QByteArray windows;
        // --sync waits for the window to be mapped.
        if (run(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--class"), QLatin1Char('^') + windowClass + QLatin1Char('$')},
                &windows)
            != 0)
            return QString();
        return QString::fromLatin1(windows.split('\n').first());
    }

    // Asks the window manager to activate `window` and waits until _NET_ACTIVE_WINDOW names it.
    // xdotool's own wait gives up when it reads the property at a moment it is absent (tests remove
    // it) or the window manager let the request pass, so the request is made again.
    bool activated(const QString &window)
    {
        if (window.isEmpty())
            return false;
        for (int attempt = 0; attempt < 3; ++attempt) {
            run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
            const bool named = QTest::qWaitFor([&window] {
                QByteArray active;
                return run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}, &active) == 0
                    && active.trimmed() == window.toLatin1();
            }, 2000);
            if (named)
                return true;
        }
        return false;
    }

    // The window manager focuses a new window when it takes it on; activating it ourselves, and
    // waiting for that, orders that focus change before everything the tests do.
    bool settle(const QString &window) { return activated(window); }

    void activate(const QString &window)
    {
        QVERIFY2(activated(window), qPrintable(QStringLiteral("the window manager never activated ") + window));
        QVERIFY(barrier->pass());
    }

    // Sets _NET_ACTIVE_WINDOW behind the window manager's back; an empty `window` removes it.
    void setRootActiveWindow(const QString &window)
    {
        const QStringList set{"-f", "_NET_ACTIVE_WINDOW", "32x", "-set", "_NET_ACTIVE_WINDOW", window};
        QCOMPARE(run("xprop", QStringList{"-root"} + (window.isEmpty() ? QStringList{"-remove", "_NET_ACTIVE_WINDOW"} : set)), 0);
        QVERIFY(barrier->pass());
    }
    // Sets (or with no value removes) a property of `window`.
    static int xprop(const QString &window, const QString &format, const QString &property, const QString &value = {})
    {
        return run("xprop", QStringList{"-id", window} + (value.isEmpty() ? QStringList{"-remove", property}
                                                                            : QStringList{"-f", property, format, "-set", property, value}));
    }

    QString lastId() const { return monitor.lastApp() ? monitor.lastApp()->bundleIdentifier.value_or(QStringLiteral("(none)")) : QStringLiteral("(absent)"); }

private Q_SLOTS:
    void initTestCase()
    {
        x11 = X11Display::ofApplication();
        QVERIFY2(x11, "needs an X11 display (run through tests/x11/with-x11.sh)");
        barrier = std::make_unique<X11Barrier>(x11->connection(), x11->root());
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("applications/org.example.Beta.desktop")),
                          "[Desktop Entry]\nType=Application\nName=Beta Editor\nExec=sh\nIcon=beta-editor\n"
                          "StartupWMClass=CorvaneBeta\n"));
        workspace = std::make_unique<LinuxWorkspace>();
        windows = std::make_unique<X11WindowIdentity>(*x11, workspace->appDirectory());
        workspace->setRunningApps(windows.get());
        source = std::make_unique<X11ActivationSource>(windows.get());

        alphaWindow = startXterm(alpha, QStringLiteral("CorvaneAlpha"));
        QVERIFY(settle(alphaWindow));
        betaWindow = startXterm(beta, QStringLiteral("CorvaneBeta"));
        QVERIFY(settle(betaWindow));
        ownWindow.setTitle(QStringLiteral("own"));
        ownWindow.resize(200, 100);
        ownWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ownWindow));
        QVERIFY(settle(QString::number(ownWindow.winId())));
    }

    // Started while this program is in front, the monitor knows no application yet.
    void startWithOwnWindowInFront()
    {
        activate(QString::number(ownWindow.winId()));
        const std::optional<RunningApp> front = source->frontmostApp();
        QVERIFY(front);
        QCOMPARE(front->bundleIdentifier, std::optional<QString>(ownId));
        QCOMPARE(front->pid, qint64(getpid()));

        ActiveAppMonitor fresh(ownId);
        X11ActivationSource freshSource(windows.get());
        fresh.start(freshSource);
        QVERIFY(!fresh.lastApp());
    }

    void followsOtherApplicationsOnly()
    {
        activate(alphaWindow);
        monitor.start(*source);
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));  // no desktop entry: the class
        QCOMPARE(monitor.lastApp()->localizedName, QStringLiteral("CorvaneAlpha"));
        QCOMPARE(monitor.lastApp()->pid, alpha.process->processId());

        activate(betaWindow);
        QCOMPARE(lastId(), QStringLiteral("org.example.Beta"));  // the entry claiming the class
        QCOMPARE(monitor.lastApp()->localizedName, QStringLiteral("Beta Editor"));
        QCOMPARE(monitor.lastApp()->iconName, QStringLiteral("beta-editor"));
        QCOMPARE(monitor.lastApp()->pid, beta.process->processId());

        // Another window taking the activation from ours is said once; between others it is not.
        QSignalSpy left(&monitor, &ActiveAppMonitor::leftThisProgram);
        activate(QString::number(ownWindow.winId()));
        QCOMPARE(lastId(), QStringLiteral("org.example.Beta"));
        QCOMPARE(left.count(), 0);
        activate(alphaWindow);
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
        QCOMPARE(left.count(), 1);
        activate(betaWindow);
        activate(alphaWindow);
        QCOMPARE(left.count(), 1);
    }

    void missingOrVanishedActiveWindowChangesNothing()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("XCB error")));
        // A window id no client owns, as when the window was destroyed before we asked about it.
        setRootActiveWindow("0x1fffffe");
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
        QVERIFY(!source->frontmostApp());
        // No window manager to say anything.
        setRootActiveWindow({});
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
        QVERIFY(!source->frontmostApp());

        // xdotool cannot wait for the activation here: it watches the property that is gone.
        QCOMPARE(run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), betaWindow}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(lastId(), QStringLiteral("org.example.Beta"), 15000);
    }

    // The window manager says no window is active, or the desktop's own window is: the desktop is in
    // front, and the monitor forgets the last application.
    void desktopInFront()
    {
        activate(alphaWindow);
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
        setRootActiveWindow("0");
        QTRY_COMPARE(lastId(), QStringLiteral("(absent)"));
        // (The window manager still thinks alpha has the focus: each step activates the other one.)
        activate(betaWindow);
        QCOMPARE(lastId(), QStringLiteral("org.example.Beta"));
        QCOMPARE(xprop(alphaWindow, "32a", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DESKTOP"), 0);
        setRootActiveWindow(alphaWindow);
        QTRY_COMPARE(lastId(), QStringLiteral("(absent)"));
        QCOMPARE(xprop(alphaWindow, "32a", "_NET_WM_WINDOW_TYPE"), 0);
        activate(alphaWindow);
        QCOMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
        activate(betaWindow);  // as the tests after this one expect
        QCOMPARE(lastId(), QStringLiteral("org.example.Beta"));
    }

    // In a Wayland session no active X window means a native window has the focus: an application
    // we cannot name, unless the focus is our own.
    void noActiveXWindowInAWaylandSession()
    {
        X11ActivationSource partial(windows.get());
        partial.setSeesPartOfTheSession(true);
        QList<RunningApp> seen;
        partial.follow([&seen](const RunningApp &app) { seen << app; });
        const auto lastSeen = [&seen] {
            return seen.isEmpty() ? QStringLiteral("(nothing)") : seen.last().bundleIdentifier.value_or(QStringLiteral("(none)"));
        };
        activate(alphaWindow);
        QTRY_COMPARE(lastSeen(), QStringLiteral("CorvaneAlpha"));
        setRootActiveWindow({});
        QTRY_COMPARE(lastSeen(), QStringLiteral("(none)"));
        QVERIFY(seen.last().localizedName.isEmpty());

        // Our own window has the focus when X shows none: nothing to report.
        activate(QString::number(ownWindow.winId()));
        QTRY_VERIFY(QGuiApplication::focusWindow());
        QTRY_COMPARE(lastSeen(), ownId);
        setRootActiveWindow({});
        QTest::qWait(400);
        QCOMPARE(lastSeen(), ownId);

        // The plain source (an X11 session) says nothing either.
        QCOMPARE(run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), alphaWindow}), 0);
        QTRY_COMPARE(lastId(), QStringLiteral("CorvaneAlpha"));
    }

    void runningApplicationsByIdentifier()
    {
        const auto pidOf = [&](const QString &id) { return workspace->runningApp(id).value_or(RunningApp()).pid; };
        QCOMPARE(pidOf(QStringLiteral("corvanealpha")), alpha.process->processId());
        QCOMPARE(pidOf(QStringLiteral("ORG.EXAMPLE.BETA")), beta.process->processId());
        QCOMPARE(pidOf(QStringLiteral("CorvaneBeta")), beta.process->processId());
        QCOMPARE(pidOf(ownId), qint64(getpid()));
        QVERIFY(!workspace->runningApp(QStringLiteral("org.example.None")));
    }

    // An id the window declares comes before its class.
    void declaredApplicationId()
    {
        QCOMPARE(xprop(alphaWindow, "8u", "_GTK_APPLICATION_ID", "org.example.Declared"), 0);
        activate(alphaWindow);
        QCOMPARE(lastId(), QStringLiteral("org.example.Declared"));
        QCOMPARE(monitor.lastApp()->localizedName, QStringLiteral("CorvaneAlpha"));
    }

    // Whether an application is this program is decided by identifier alone, exactly.
    void ownIdentifierRule()
    {
        StandInActivationSource fake;
        ActiveAppMonitor withId(ownId);
        fake.frontmost = app(ownId);
        withId.start(fake);
        QVERIFY(!withId.lastApp());
        fake.handler(app(std::nullopt));
        QVERIFY(withId.lastApp() && !withId.lastApp()->bundleIdentifier);
        fake.handler(app(ownId.toLower()));
        QCOMPARE(withId.lastApp()->bundleIdentifier, std::optional<QString>(ownId.toLower()));

        ActiveAppMonitor withoutId(std::nullopt);
        fake.frontmost = app(std::nullopt);
        withoutId.start(fake);
        QVERIFY(!withoutId.lastApp());
        fake.handler(app(QStringLiteral("x")));
        QCOMPARE(withoutId.lastApp()->bundleIdentifier, std::optional<QString>(QStringLiteral("x")));
    }
};

CORVANE_ISOLATED_TEST_MAIN(TestX11ActiveApp)
#include "tst_x11activeapp.moc"
