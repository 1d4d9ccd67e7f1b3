// The KWin script loader and receiver, and the GNOME Shell extension client, against a fake KWin and
// a fake extension on a private session bus (run under dbus-run-session). The fakes live on a
// connection and thread of their own, as the real ones live in other processes.
#include "platform/PlatformProfile.h"
#include "platform/wayland/GnomeFocusActivationSource.h"
#include "platform/wayland/GnomeShellExtension.h"
#include "platform/wayland/KWinScriptActivationSource.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QDir>
#include <QMutex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// org.kde.kwin.Scripting as KWin offers it; records each call.
class FakeScripting : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    QStringList calls() const
    {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    QString scriptText() const
    {
        QMutexLocker lock(&mutex_);
        return scriptText_;
    }
    void setRefuse(bool refuse)
    {
        QMutexLocker lock(&mutex_);
        refuse_ = refuse;
    }
    // Answers every call with an error, as a KWin that forbids scripting would.
    void setDeny(bool deny)
    {
        QMutexLocker lock(&mutex_);
        deny_ = deny;
    }

public Q_SLOTS:
    bool isScriptLoaded(const QString &name)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("isScriptLoaded ") + name;
        if (deny_)
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("scripting is not allowed"));
        return loaded_.contains(name);
    }
    int loadScript(const QString &path, const QString &name)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("loadScript ") + name;
        if (refuse_ || loaded_.contains(name))
            return -1;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        scriptText_ = QString::fromUtf8(file.readAll());
        loaded_ << name;
        return 7;
    }
    bool unloadScript(const QString &name)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("unloadScript ") + name;
        return loaded_.removeAll(name) > 0;
    }
    void start()
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("start");
    }

private:
    mutable QMutex mutex_;
    QStringList calls_, loaded_;
    QString scriptText_;
    bool refuse_ = false;
    bool deny_ = false;
};

// Our GNOME Shell extension's interface.
class FakeFocusReporter : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.corvane.Corvane.FocusReporter1")
public:
    void setFocus(const QString &appId, const QString &wmClass, const QString &sandboxed, uint pid)
    {
        QMutexLocker lock(&mutex_);
        appId_ = appId, wmClass_ = wmClass, sandboxed_ = sandboxed, pid_ = pid;
    }

public Q_SLOTS:
    QString GetFocus(QString &wmClass, QString &sandboxed, uint &pid)
    {
        QMutexLocker lock(&mutex_);
        wmClass = wmClass_, sandboxed = sandboxed_, pid = pid_;
        return appId_;
    }
    void emitFocusChanged()
    {
        QMutexLocker lock(&mutex_);
        Q_EMIT FocusChanged(appId_, wmClass_, sandboxed_, pid_);
    }

Q_SIGNALS:
    void FocusChanged(const QString &appId, const QString &wmClass, const QString &sandboxedAppId, uint pid);

private:
    QMutex mutex_;
    QString appId_, wmClass_, sandboxed_;
    uint pid_ = 0;
};

// org.gnome.Shell.Extensions, knowing our extension in one state or not at all.
class FakeExtensions : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.Extensions")
public:
    void setState(int state)
    {
        QMutexLocker lock(&mutex_);
        state_ = state;
    }
    int enableCalls() const
    {
        QMutexLocker lock(&mutex_);
        return enableCalls_;
    }

public Q_SLOTS:
    QVariantMap GetExtensionInfo(const QString &uuid)
    {
        QMutexLocker lock(&mutex_);
        if (state_ < 0 || uuid != QLatin1String(GnomeShellExtension::uuid))
            return {};
        return {{QStringLiteral("uuid"), uuid}, {QStringLiteral("state"), double(state_)}};
    }
    bool EnableExtension(const QString &uuid)
    {
        QMutexLocker lock(&mutex_);
        ++enableCalls_;
        if (state_ < 0 || uuid != QLatin1String(GnomeShellExtension::uuid))
            return false;
        state_ = 1;
        return true;
    }
    void announce()
    {
        Q_EMIT ExtensionStateChanged(QLatin1String(GnomeShellExtension::uuid), {});
    }

Q_SIGNALS:
    void ExtensionStateChanged(const QString &uuid, const QVariantMap &state);

private:
    mutable QMutex mutex_;
    int state_ = -1;
    int enableCalls_ = 0;
};

QDBusConnection fakeBus(const QString &name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

QStringList ids(const QList<RunningApp> &apps)
{
    QStringList result;
    for (const RunningApp &app : apps)
        result << app.bundleIdentifier.value_or(QStringLiteral("?"));
    return result;
}

} // namespace

class TestDesktopReporters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void kwinScriptLifecycle();
    void kwinReports();
    void kwinRefusesTheScript();
    void gnomeExtension();
    void gnomeExtensionStates();
    void gnomeExtensionOnTheBus();

private:
    // Calls WindowActivated on our receiver from `bus`; true when it was accepted.
    bool sendActivation(QDBusConnection bus, const QList<QVariant> &arguments);
    void startKWin();
    void stopKWin();

    QTemporaryDir runtime_;
    QThread fakes_;
    FakeScripting *scripting_ = nullptr;
};

void TestDesktopReporters::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus: run under dbus-run-session");
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    fakes_.start();
}

void TestDesktopReporters::cleanupTestCase()
{
    fakes_.quit();
    fakes_.wait();
}

void TestDesktopReporters::startKWin()
{
    scripting_ = new FakeScripting;
    scripting_->moveToThread(&fakes_);
    QDBusConnection kwin = fakeBus(QStringLiteral("kwin"));
    QVERIFY(kwin.registerObject(QStringLiteral("/Scripting"), scripting_, QDBusConnection::ExportAllSlots));
    QVERIFY(kwin.registerService(QStringLiteral("org.kde.KWin")));
}

void TestDesktopReporters::stopKWin()
{
    fakeBus(QStringLiteral("kwin")).unregisterService(QStringLiteral("org.kde.KWin"));
    QDBusConnection::disconnectFromBus(QStringLiteral("kwin"));
    scripting_->deleteLater();
    scripting_ = nullptr;
}

bool TestDesktopReporters::sendActivation(QDBusConnection bus, const QList<QVariant> &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(KWinScriptActivationSource::serviceName), QLatin1String(KWinScriptActivationSource::objectPath),
        QLatin1String(KWinScriptActivationSource::interfaceName), QStringLiteral("WindowActivated"));
    call.setArguments(arguments);
    QDBusPendingCall pending = bus.asyncCall(call, 2000);
    // The receiver runs on this thread: wait with its events flowing.
    for (int i = 0; i < 300 && !pending.isFinished(); ++i)
        QTest::qWait(10);
    return pending.isFinished() && !pending.isError();
}

void TestDesktopReporters::kwinScriptLifecycle()
{
    // Started before KWin: nothing to load yet.
    auto source = std::make_unique<KWinScriptActivationSource>(nullptr);
    QVERIFY(!source->isAvailable());

    // KWin comes up: the script is loaded and started; KWin gets our file, as shipped.
    startKWin();
    QTRY_VERIFY(source->isAvailable());
    QCOMPARE(scripting_->calls(), (QStringList{"isScriptLoaded corvane-active-window",
                                               "loadScript corvane-active-window", "start"}));
    QFile shipped(QStringLiteral(CORVANE_SOURCE_DIR "/dist/kwin-script/contents/code/main.js"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(scripting_->scriptText(), QString::fromUtf8(shipped.readAll()));

    // KWin restarts: gone, then back, as the real one comes back: its name first, scripting a moment
    // later. The script is loaded again once scripting answers.
    stopKWin();
    QTRY_VERIFY(!source->isAvailable());
    scripting_ = new FakeScripting;
    scripting_->moveToThread(&fakes_);
    QDBusConnection kwin = fakeBus(QStringLiteral("kwin"));
    QVERIFY(kwin.registerService(QStringLiteral("org.kde.KWin")));
    QTest::qWait(1200);
    QVERIFY(!source->isAvailable());
    QVERIFY(kwin.registerObject(QStringLiteral("/Scripting"), scripting_, QDBusConnection::ExportAllSlots));
    QTRY_VERIFY(source->isAvailable());
    QCOMPARE(scripting_->calls(), (QStringList{"isScriptLoaded corvane-active-window",
                                               "loadScript corvane-active-window", "start"}));

    // A second program start finds the first one's copy and replaces it; quitting unloads it.
    source.reset();
    QCOMPARE(scripting_->calls().last(), QStringLiteral("unloadScript corvane-active-window"));
    const QDBusMessage load = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/Scripting"),
                                                             QStringLiteral("org.kde.kwin.Scripting"),
                                                             QStringLiteral("loadScript"))
                              << QStringLiteral("/dev/null") << QStringLiteral("corvane-active-window");
    QCOMPARE(QDBusConnection::sessionBus().call(load).arguments().value(0).toInt(), 7);
    source = std::make_unique<KWinScriptActivationSource>(nullptr);
    QVERIFY(source->isAvailable());
    QCOMPARE(scripting_->calls().mid(scripting_->calls().size() - 4),
             (QStringList{"isScriptLoaded corvane-active-window", "unloadScript corvane-active-window",
                          "loadScript corvane-active-window", "start"}));
    source.reset();
    stopKWin();
}

void TestDesktopReporters::kwinReports()
{
    startKWin();
    KWinScriptActivationSource source(nullptr);
    QVERIFY(source.isAvailable());
    QList<RunningApp> seen;
    source.follow([&seen](const RunningApp &app) { seen << app; });
    QDBusConnection kwin = fakeBus(QStringLiteral("kwin"));
    const QString empty;

    // The pid in whatever number type the script engine sends it.
    QVERIFY(sendActivation(kwin, {QStringLiteral("org.kde.dolphin"), QStringLiteral("dolphin"), empty, 1234}));
    QVERIFY(sendActivation(kwin, {empty, QStringLiteral("XTerm"), QStringLiteral("xterm"), 99.0}));
    QVERIFY(sendActivation(kwin, {QStringLiteral("org.kde.kate.desktop"), empty, empty, uint(5)}));
    QVERIFY(sendActivation(kwin, {QString::fromLatin1(PlatformProfile::applicationId), empty, empty, qlonglong(7)}));
    QCOMPARE(ids(seen), (QStringList{"org.kde.dolphin", "XTerm", "org.kde.kate", "org.corvane.Corvane"}));
    QCOMPARE(seen.first().pid, 1234);
    QCOMPARE(source.frontmostApp()->bundleIdentifier, QStringLiteral("org.corvane.Corvane"));

    // Malformed calls are refused and change nothing.
    QVERIFY(!sendActivation(kwin, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QVERIFY(!sendActivation(kwin, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), -1}));
    QVERIFY(!sendActivation(kwin, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), 1.5}));
    QVERIFY(!sendActivation(kwin, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("1")}));
    QVERIFY(!sendActivation(kwin, {1, QStringLiteral("b"), QStringLiteral("c"), 1}));
    // So is a well-formed call from anyone but KWin.
    QDBusConnection other = fakeBus(QStringLiteral("other"));
    QVERIFY(!sendActivation(other, {QStringLiteral("org.kde.konsole"), empty, empty, 1}));
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));
    // A window KWin knows nothing about is no report.
    QVERIFY(sendActivation(kwin, {empty, empty, empty, 0}));
    QCOMPARE(seen.size(), 4);
    stopKWin();
}

void TestDesktopReporters::kwinRefusesTheScript()
{
    startKWin();
    scripting_->setRefuse(true);
    {
        KWinScriptActivationSource source(nullptr);
        QVERIFY(!source.isAvailable());
        QVERIFY(!scripting_->calls().contains(QStringLiteral("start")));
    }
    stopKWin();

    // An error other than "not there yet" is not worth asking again.
    startKWin();
    scripting_->setDeny(true);
    KWinScriptActivationSource source(nullptr);
    QTest::qWait(1200);
    QVERIFY(!source.isAvailable());
    QCOMPARE(scripting_->calls(), QStringList{"isScriptLoaded corvane-active-window"});
    stopKWin();
}

void TestDesktopReporters::gnomeExtension()
{
    GnomeFocusActivationSource source(nullptr);
    QVERIFY(!source.isAvailable());
    QVERIFY(!source.frontmostApp());
    QList<RunningApp> seen;
    source.follow([&seen](const RunningApp &app) { seen << app; });

    // The extension gets enabled while a window has the focus: that window counts at once, without
    // waiting for the focus to move.
    auto *reporter = new FakeFocusReporter;
    reporter->setFocus(QStringLiteral("org.gnome.TextEditor.desktop"), QStringLiteral("gnome-text-editor"), QString(), 321);
    QDBusConnection shell = fakeBus(QStringLiteral("shell"));
    QVERIFY(shell.registerObject(QLatin1String(GnomeFocusActivationSource::objectPath), reporter,
                                 QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    reporter->moveToThread(&fakes_);  // with the signal relay QtDBus gave it
    QVERIFY(shell.registerService(QLatin1String(GnomeFocusActivationSource::serviceName)));
    QTRY_VERIFY(source.isAvailable());
    QTRY_COMPARE(ids(seen), QStringList{"org.gnome.TextEditor"});
    QCOMPARE(seen.first().pid, 321);
    const std::optional<RunningApp> now = source.frontmostApp();
    QVERIFY(now);
    QCOMPARE(now->bundleIdentifier, QStringLiteral("org.gnome.TextEditor"));
    QCOMPARE(now->pid, 321);

    // A Flatpak window the tracker found no desktop file for: its sandboxed id.
    reporter->setFocus(QString(), QStringLiteral("firefox"), QStringLiteral("org.mozilla.firefox"), 0);
    QMetaObject::invokeMethod(reporter, &FakeFocusReporter::emitFocusChanged);
    QTRY_COMPARE(ids(seen), (QStringList{"org.gnome.TextEditor", "org.mozilla.firefox"}));
    // Nothing focused: no report, and nothing in front.
    reporter->setFocus(QString(), QString(), QString(), 0);
    QMetaObject::invokeMethod(reporter, &FakeFocusReporter::emitFocusChanged);
    QVERIFY(!source.frontmostApp());
    QTest::qWait(100);
    QCOMPARE(seen.size(), 2);

    // The shell restarts without it.
    QVERIFY(shell.unregisterService(QLatin1String(GnomeFocusActivationSource::serviceName)));
    QDBusConnection::disconnectFromBus(QStringLiteral("shell"));
    QTRY_VERIFY(!source.isAvailable());
    QVERIFY(!source.frontmostApp());
    reporter->deleteLater();

    // It comes back (the shell restarted, or the extension turned on again) with Kate focused.
    auto *again = new FakeFocusReporter;
    again->setFocus(QStringLiteral("org.kde.kate.desktop"), QStringLiteral("kate"), QString(), 654);
    QDBusConnection restarted = fakeBus(QStringLiteral("shell-again"));
    QVERIFY(restarted.registerObject(QLatin1String(GnomeFocusActivationSource::objectPath), again,
                                     QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    again->moveToThread(&fakes_);
    QVERIFY(restarted.registerService(QLatin1String(GnomeFocusActivationSource::serviceName)));
    QTRY_COMPARE(ids(seen), (QStringList{"org.gnome.TextEditor", "org.mozilla.firefox", "org.kde.kate"}));
    QVERIFY(restarted.unregisterService(QLatin1String(GnomeFocusActivationSource::serviceName)));
    QDBusConnection::disconnectFromBus(QStringLiteral("shell-again"));
    QTRY_VERIFY(!source.isAvailable());
    again->deleteLater();
}

void TestDesktopReporters::gnomeExtensionStates()
{
    using State = ShellExtension::State;
    const auto info = [](double state) { return QVariantMap{{QStringLiteral("state"), state}}; };
    // Not known to the running shell: installed after it started, or not at all.
    const QList<std::tuple<QVariantMap, bool, State>> cases{
        {{}, true, State::NeedsLogout},           {{}, false, State::NotInstalled},
        {info(99), true, State::NeedsLogout},     {info(99), false, State::NotInstalled},
        {info(1), true, State::Active},           {info(2), true, State::Disabled},
        {info(3), true, State::Failed},           {info(42), true, State::Unknown},
        {{{QStringLiteral("uuid"), QStringLiteral("x")}}, false, State::NotInstalled},
    };
    for (const auto &[map, onDisk, state] : cases)
        QCOMPARE(GnomeShellExtension::stateOf(map, onDisk), state);

    // Where the shell looks: the user's data folder.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QVERIFY(!GnomeShellExtension::installedOnDisk());
    const QString folder = data.path() + QStringLiteral("/gnome-shell/extensions/corvane-focus@corvane.org");
    QVERIFY(QDir().mkpath(folder));
    QFile metadata(folder + QStringLiteral("/metadata.json"));
    QVERIFY(metadata.open(QIODevice::WriteOnly));
    metadata.close();
    QVERIFY(GnomeShellExtension::installedOnDisk());
    qunsetenv("XDG_DATA_HOME");
}

void TestDesktopReporters::gnomeExtensionOnTheBus()
{
    using State = ShellExtension::State;
    // No shell to ask.
    {
        GnomeShellExtension extension;
        QTRY_COMPARE(extension.state(), State::Unknown);
    }
    auto *extensions = new FakeExtensions;
    QDBusConnection shell = fakeBus(QStringLiteral("gnome-shell"));
    QVERIFY(shell.registerObject(QStringLiteral("/org/gnome/Shell"), extensions,
                                 QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    extensions->moveToThread(&fakes_);
    QVERIFY(shell.registerService(QStringLiteral("org.gnome.Shell")));

    extensions->setState(2);
    GnomeShellExtension extension;
    QSignalSpy changes(&extension, &ShellExtension::stateChanged);
    QTRY_COMPARE(extension.state(), State::Disabled);
    // Turned on from our settings: the shell's answer brings the new state.
    extension.enable();
    QTRY_COMPARE(extension.state(), State::Active);
    QCOMPARE(extensions->enableCalls(), 1);
    // Turned off elsewhere (the Extensions app): the shell announces it.
    extensions->setState(2);
    QMetaObject::invokeMethod(extensions, &FakeExtensions::announce);
    QTRY_COMPARE(extension.state(), State::Disabled);
    QCOMPARE(changes.count(), 3);

    shell.unregisterService(QStringLiteral("org.gnome.Shell"));
    QDBusConnection::disconnectFromBus(QStringLiteral("gnome-shell"));
    extensions->deleteLater();
}

QTEST_GUILESS_MAIN(TestDesktopReporters)
#include "tst_desktopreporters.moc"
