#pragma once

// Support for tests against the real desktop: folders of their own, child programs, and waiting
// for the X server.

#include <QAbstractNativeEventFilter>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

// Points HOME and every XDG folder into a temporary directory, before anything reads them (GIO and
// Qt read them once per process). Under tests/x11/with-x11.sh this isolates a second time.
class IsolatedHome {
public:
    IsolatedHome()
    {
        for (const char *name : {"home", "config", "config-dirs", "data", "data-dirs", "cache"})
            QDir(root.path()).mkpath(QString::fromLatin1(name));
        set("HOME", "home");
        set("XDG_CONFIG_HOME", "config");
        set("XDG_CONFIG_DIRS", "config-dirs");
        set("XDG_DATA_HOME", "data");
        set("XDG_DATA_DIRS", "data-dirs");
        set("XDG_CACHE_HOME", "cache");
    }
    QString path(const QString &relative) const { return root.filePath(relative); }

private:
    void set(const char *variable, const char *folder) { qputenv(variable, root.filePath(QString::fromLatin1(folder)).toLocal8Bit()); }
    QTemporaryDir root;
};

// QTEST_MAIN over an IsolatedHome; the test reads its folders from the environment.
#define CORVANE_ISOLATED_TEST_MAIN(TestClass)          \
    int main(int argc, char **argv)                    \
    {                                                  \
        IsolatedHome home;                             \
        QGuiApplication app(argc, argv);               \
        TestClass test;                                \
        return QTest::qExec(&test, argc, argv);        \
    }

inline QString envPath(const char *variable, const QString &relative)
{
    return QString::fromLocal8Bit(qgetenv(variable)) + QLatin1Char('/') + relative;
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// Runs a program to its end; its exit code, or -1 when it did not finish within 15 s.
inline int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(15000)) {
        qWarning("%s %s: did not finish within 15 s", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))));
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A child program stopped when the test ends.
struct ChildProcess {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    ~ChildProcess()
    {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
};

// Waits until the X server has delivered, and Qt has dispatched, every event that was caused before
// this call: it changes a property of the root window and waits for its PropertyNotify, which comes
// after them. Then it runs what was posted to the event loop meanwhile.
class X11Barrier : private QAbstractNativeEventFilter {
public:
    X11Barrier(xcb_connection_t *connection, xcb_window_t root) : connection(connection), root(root)
    {
        static const char name[] = "CORVANE_TEST_BARRIER";
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~X11Barrier() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool pass()
    {
        seen = false;
        const quint32 value = ++serial;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, atom, XCB_ATOM_CARDINAL, 32, 1, &value);
        xcb_flush(connection);
        QDeadlineTimer deadline(10000);
        while (!seen && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
        return seen;
    }

private:
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY
            && reinterpret_cast<const xcb_property_notify_event_t *>(event)->atom == atom)
            seen = true;
        return false;
    }

    xcb_connection_t *connection;
    xcb_window_t root;
    xcb_atom_t atom = XCB_ATOM_NONE;
    quint32 serial = 0;
    bool seen = false;
};
