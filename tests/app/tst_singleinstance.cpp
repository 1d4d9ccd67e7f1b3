// One instance per session, always reachable: ownership by a lock the kernel releases, a stopped
// instance, a flood of idle connections, a later launch without a display, unusable socket paths.
// The later launches are the real program; the instance is single_instance_owner, which holds it
// the way the program does and prints what it is handed.
#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

quint64 inodeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

// The real program as a later launch: its exit code (-1 when it did not end within 15 s) and what
// it printed on standard error.
struct Launch {
    int exitCode = -1;
    QByteArray errors;
    qint64 elapsedMs = 0;
};

Launch launch(const QProcessEnvironment &environment, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    // CORVANE_TEST_PROGRAM runs another build of the program against the same checks.
    const QString program = qEnvironmentVariable("CORVANE_TEST_PROGRAM", QStringLiteral(CORVANE_PROGRAM));
    process.start(program, arguments);
    Launch result;
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.elapsedMs = timer.elapsed();
    result.errors = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;
    QProcessEnvironment environment_;
    std::unique_ptr<QProcess> owner_;

    // Starts the instance in its own process, optionally under a descriptor limit.
    bool startOwner(rlim_t descriptorLimit = 0)
    {
        owner_ = std::make_unique<QProcess>();
        owner_->setProcessEnvironment(environment_);
        owner_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (descriptorLimit) {
            owner_->setChildProcessModifier([descriptorLimit] {
                struct rlimit limit {descriptorLimit, descriptorLimit};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        }
        owner_->start(QStringLiteral(OWNER_PROGRAM), {QStringLiteral("corvane")});
        return owner_->waitForReadyRead(10000) && owner_->readLine() == "ready\n";
    }
    // The next request the instance printed, or "" when none came within `ms`.
    QByteArray nextRequest(int ms = 5000)
    {
        if (!owner_->canReadLine())
            owner_->waitForReadyRead(ms);
        return owner_->readLine().trimmed();
    }
    QString socketPath() const { return runtime_.filePath(QStringLiteral("corvane-%1.socket").arg(getuid())); }

private Q_SLOTS:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment_.remove(QStringLiteral("DISPLAY"));
        environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment_.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        environment_.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    }
    void cleanup()
    {
        if (owner_) {
            ::kill(pid_t(owner_->processId()), SIGCONT);
            owner_->kill();
            owner_->waitForFinished(5000);
            owner_.reset();
        }
    }

    // The lock decides, not the socket: a second instance in the same process cannot listen while
    // the first lives, hands its request over instead, and takes over once the first is gone.
    void oneOwnerAtATime()
    {
        auto first = std::make_unique<SingleInstance>(QStringLiteral("corvane-test"));
        SingleInstance second(QStringLiteral("corvane-test"));
        QVERIFY(first->listen());
        const quint64 socket = inodeOf(first->socketPath());
        QVERIFY(!second.listen());
        QCOMPARE(second.claim(), SingleInstance::Role::Later);
        QCOMPARE(inodeOf(first->socketPath()), socket);

        QSignalSpy received(first.get(), &SingleInstance::commandReceived);
        bool sent = false;
        std::thread client([&] { sent = second.sendToRunning(QStringLiteral("show"), QStringLiteral("token-1")); });
        QTRY_COMPARE(received.count(), 1);
        client.join();
        QVERIFY(sent);
        QCOMPARE(received.at(0), (QVariantList{"show", "token-1"}));

        first.reset(); // the kernel lets go of the lock with the descriptor
        QVERIFY(second.listen());
    }

    // A stopped instance: a later launch waits a moment, says so and ends with an error. It does not
    // become a second instance, and its request is not carried out late when the first resumes;
    // later launches, with no display, reach it again.
    void stoppedInstance()
    {
        QVERIFY(startOwner());
        const quint64 socket = inodeOf(socketPath());
        QVERIFY(::kill(pid_t(owner_->processId()), SIGSTOP) == 0);
        // With a display to start on, so that only the instance's choice keeps a second one away.
        QProcessEnvironment environment = environment_;
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const Launch later = launch(environment, {QStringLiteral("--toggle")});
        QVERIFY(::kill(pid_t(owner_->processId()), SIGCONT) == 0);
        QVERIFY2(later.exitCode > 0, later.errors.constData());
        QVERIFY2(later.errors.contains("did not answer"), later.errors.constData());
        QCOMPARE(inodeOf(socketPath()), socket);

        const Launch next = launch(environment_, {QStringLiteral("--settings")});
        QCOMPARE(next.exitCode, 0);
        QCOMPARE(nextRequest(), QByteArray("settings"));
        QCOMPARE(nextRequest(300), QByteArray());
        QCOMPARE(inodeOf(socketPath()), socket);

        // `corvane --toggle` with no display at all reaches the running instance, with the
        // launcher's token.
        QProcessEnvironment withToken = environment_;
        withToken.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("launcher-42"));
        const Launch toggle = launch(withToken, {QStringLiteral("--toggle")});
        QVERIFY2(toggle.exitCode == 0, toggle.errors.constData());
        QCOMPARE(nextRequest(), QByteArray("toggle launcher-42"));
    }

    // The first launch outside a graphical session says so in one line and ends with 1, before Qt
    // could abort with its advice to reinstall; a display that does not answer is named. Nothing
    // of the instance is left behind for the next launch.
    void firstLaunchWithoutDisplay()
    {
        for (const QStringList &arguments : {QStringList{}, QStringList{QStringLiteral("--toggle")}}) {
            const Launch first = launch(environment_, arguments);
            QCOMPARE(first.exitCode, 1);
            QCOMPARE(first.errors, QByteArray("Corvane needs a graphical session: neither WAYLAND_DISPLAY nor DISPLAY "
                                              "is set\n"));
        }
        QVERIFY(!QFileInfo::exists(socketPath()));

        QProcessEnvironment x11 = environment_;
        x11.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4093"));  // nobody serves it
        const Launch noServer = launch(x11, {});
        QCOMPARE(noServer.exitCode, 1);
        QVERIFY2(noServer.errors.startsWith("Corvane needs a graphical session: cannot connect to the X server :4093"),
                 noServer.errors.constData());
        QCOMPARE(noServer.errors.count('\n'), 1);

        QProcessEnvironment wayland = environment_;
        wayland.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        wayland.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("no-compositor"));
        const Launch noCompositor = launch(wayland, {});
        QCOMPARE(noCompositor.exitCode, 1);
        QVERIFY2(noCompositor.errors.contains(
                     "Corvane needs a graphical session: cannot connect to the Wayland compositor no-compositor: "),
                 noCompositor.errors.constData());
    }

    // The real program as the instance, on the offscreen platform: launches with no display at all
    // hand it --toggle, then --quit, which ends it.
    void runningInstanceTakesRequestsWithoutDisplay()
    {
        QTemporaryDir home;
        QProcessEnvironment bare = environment_;
        bare.insert(QStringLiteral("HOME"), home.path());
        for (const char *folder : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            bare.insert(QString::fromLatin1(folder), home.filePath(QString::fromLatin1(folder)));
        for (const char *name : {"DBUS_SESSION_BUS_ADDRESS", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP"})
            bare.remove(QString::fromLatin1(name));
        QProcessEnvironment offscreen = bare;
        offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        offscreen.insert(QStringLiteral("CORVANE_LAUNCHED_AT"), QStringLiteral("0"));  // says when it is ready

        QProcess instance;
        instance.setProcessEnvironment(offscreen);
        instance.start(qEnvironmentVariable("CORVANE_TEST_PROGRAM", QStringLiteral(CORVANE_PROGRAM)), QStringList{});
        QByteArray errors;
        QTRY_VERIFY_WITH_TIMEOUT((errors += instance.readAllStandardError()).contains("Corvane: ready"), 60000);

        const Launch toggle = launch(bare, {QStringLiteral("--toggle")});
        QVERIFY2(toggle.exitCode == 0, toggle.errors.constData());
        QCOMPARE(instance.state(), QProcess::Running);
        const Launch quit = launch(bare, {QStringLiteral("--quit")});
        QVERIFY2(quit.exitCode == 0, quit.errors.constData());
        // How it ends (a sanitizer's report at exit, say) is other tests' business: here, that it does.
        QVERIFY(instance.waitForFinished(15000));
        errors += instance.readAllStandardError();
        QVERIFY2(!errors.contains("graphical session"), errors.constData());
    }

    // Far more idle connections than the instance has descriptors: it closes the oldest and the idle,
    // and a real request still gets through, during the flood and after it.
    void floodOfIdleConnections()
    {
        QVERIFY(startOwner(64));
        struct rlimit limit {};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        const rlimit saved = limit;
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
        if (limit.rlim_cur < 1200)
            QSKIP("the test itself needs 1200 descriptors");
        ::setrlimit(RLIMIT_NOFILE, &limit);

        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        std::vector<int> idle;
        for (int i = 0; i < 1100; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            QVERIFY(fd >= 0);
            idle.push_back(fd);
            // A full listen queue refuses at once: wait for the instance to take some.
            int tries = 0;
            while (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
                QVERIFY2(errno == EAGAIN && ++tries < 5000, qPrintable(QStringLiteral("connection %1: %2").arg(i).arg(errno)));
                ::usleep(1000);
            }
        }

        SingleInstance later;
        QCOMPARE(later.claim(), SingleInstance::Role::Later);
        QVERIFY2(later.sendToRunning(QStringLiteral("show")), qPrintable(later.errorString()));
        QCOMPARE(nextRequest(), QByteArray("show"));
        QTest::qWait(2500); // past the idle timeout
        QVERIFY2(later.sendToRunning(QStringLiteral("toggle")), qPrintable(later.errorString()));
        QCOMPARE(nextRequest(), QByteArray("toggle"));
        for (const int fd : idle)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &saved);
        QCOMPARE(owner_->state(), QProcess::Running);
    }

    // A socket path that cannot be used (too long, a directory in the way) ends start-up at once,
    // with one clear line and an error.
    void unusableSocketPath()
    {
        for (const auto &[kind, message] : {std::pair{"long", "longer than the system allows"},
                                            {"directory", "a directory is in the way"}}) {
            unusable(QString::fromLatin1(kind), message);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void unusable(const QString &kind, const char *message)
    {
        QProcessEnvironment environment = environment_;
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (kind == "long") {
            const QString deep = runtime_.filePath(QString(60, QLatin1Char('d')) + QLatin1Char('/') + QString(60, QLatin1Char('e')));
            QVERIFY(QDir().mkpath(deep));
            QFile::setPermissions(deep, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), deep);
        } else {
            QFile::remove(socketPath()); // left by an instance killed before
            QVERIFY(QDir().mkpath(socketPath()));
        }
        const Launch first = launch(environment, {});
        QCOMPARE(first.exitCode, 1);
        QVERIFY(first.elapsedMs < 5000);
        QVERIFY2(first.errors.contains("Corvane: cannot start: ") && first.errors.contains(message), first.errors.constData());
        QCOMPARE(first.errors.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
