#include "platform/TerminalProcesses.h"
#include "platform/TmuxActivePane.h"
#include "services/SystemLog.h"

#include <QProcess>
#include <QStandardPaths>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A process table of our own: /proc/PID/{stat,cmdline,exe} and /dev/pts/N under a temporary folder.
class FakeProc {
public:
    struct Process {
        qint64 pid;
        qint64 ppid;
        qint64 pgrp;
        qint64 session;
        int pts;        // -1: no controlling terminal
        qint64 tpgid;   // the terminal's foreground group, as every process on it reports
        QStringList argv;
        QString exe;
        quint64 start = 0;
    };

    FakeProc()
    {
        QDir(dir.path()).mkpath(QStringLiteral("proc"));
        QDir(dir.path()).mkpath(QStringLiteral("dev/pts"));
    }

    static qint64 ttyNr(int pts) { return pts < 0 ? 0 : ((136 + pts / 256) << 8) | (pts % 256); }

    void add(const Process &s)
    {
        const QString pidDir = proc() + QLatin1Char('/') + QString::number(s.pid);
        QDir().mkpath(pidDir);
        const QString comm = QFileInfo(s.exe).fileName().left(15);
        write(pidDir + QStringLiteral("/stat"),
              QStringLiteral("%1 (%2) S %3 %4 %5 %6 %7 4194304 0 0 0 0 0 0 0 0 20 0 1 0 %8 1000 100 0\n")
                  .arg(s.pid).arg(comm).arg(s.ppid).arg(s.pgrp).arg(s.session).arg(ttyNr(s.pts)).arg(s.tpgid)
                  .arg(s.start ? s.start : quint64(s.pid))
                  .toUtf8());
        write(pidDir + QStringLiteral("/cmdline"), s.argv.join(QLatin1Char('\0')).toUtf8() + '\0');
        QFile::link(s.exe, pidDir + QStringLiteral("/exe"));
        if (s.pts >= 0 && !QFile::exists(devicePath(s.pts)))
            touchPts(s.pts, 3600);
    }
    // The terminal had input `secondsAgo` seconds before now.
    void touchPts(int pts, int secondsAgo)
    {
        QFile device(devicePath(pts));
        QVERIFY(device.open(QIODevice::ReadWrite));
        QVERIFY(device.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileAccessTime));
    }
    QString devicePath(int pts) const { return dir.path() + QStringLiteral("/dev/pts/%1").arg(pts); }
    void remove(qint64 pid) { QDir(proc() + QLatin1Char('/') + QString::number(pid)).removeRecursively(); }
    void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // The foreground group of terminal `pts` is now `tpgid`, for each process on it.
    void setForeground(const QList<Process> &onTerminal, qint64 tpgid)
    {
        for (Process s : onTerminal) {
            s.tpgid = tpgid;
            add(s);
        }
    }

    QString proc() const { return dir.path() + QStringLiteral("/proc"); }
    TerminalProcesses reader() const { return TerminalProcesses(proc(), dir.path() + QStringLiteral("/dev")); }

    QTemporaryDir dir;
};

QString frontName(const QList<TerminalProgram> &programs)
{
    return programs.isEmpty() ? QString() : programs.first().names.value(0);
}

QStringList chain(const QList<TerminalProgram> &programs)
{
    QStringList names;
    for (const TerminalProgram &p : programs)
        names << p.names.value(0);
    return names;
}

} // namespace

// Which program is in front inside a terminal emulator, read from a process table of our making.
class TestTerminalProcesses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneTerminal();
    void deadAndForeignProcesses();
    void sharedTerminal();
    void terminalServerWithTabs();
    void multiplexers();
    void tmuxServer();
};

// xterm with a shell: at the prompt, running vim, in a nested shell, reading a manual page, in a
// program that renamed itself or runs as a script.
void TestTerminalProcesses::oneTerminal()
{
    QCOMPARE(TerminalProcesses::ptyPath(FakeProc::ttyNr(3)), QStringLiteral("/dev/pts/3"));
    QCOMPARE(TerminalProcesses::ptyPath(FakeProc::ttyNr(300)), QStringLiteral("/dev/pts/300"));
    QCOMPARE(TerminalProcesses::ptyPath((4 << 8) | 1), QString());  // /dev/tty1, no pseudo-terminal

    FakeProc fake;
    // xterm itself was started from another terminal (pts/9) and still has it as its own.
    fake.add({100, 1, 100, 50, 9, 50, {"xterm"}, "/usr/bin/xterm"});
    const FakeProc::Process shell{101, 100, 101, 101, 1, 101, {"-bash"}, "/usr/bin/bash"};
    fake.add(shell);
    const TerminalProcesses reader = fake.reader();
    QList<TerminalProgram> front = reader.programsInFront(100);
    QCOMPARE(chain(front), QStringList{"bash"});
    QCOMPARE(front.first().pid, 101);
    QCOMPARE(front.first().tty, QStringLiteral("/dev/pts/1"));

    fake.add({102, 101, 102, 101, 1, 102, {"vim", "notes.txt"}, "/usr/bin/vim.basic"});
    fake.setForeground({shell}, 102);
    front = reader.programsInFront(100);
    QCOMPARE(chain(front), QStringList{"vim"});
    QVERIFY(front.first().isNamed(QStringLiteral("vim.basic")));

    // A shell started from the shell takes the terminal's foreground for its own jobs.
    fake.remove(102);
    fake.add({103, 101, 103, 101, 1, 104, {"bash"}, "/usr/bin/bash"});
    fake.add({104, 103, 104, 101, 1, 104, {"nano", "x"}, "/usr/bin/nano"});
    fake.setForeground({shell}, 104);
    QCOMPARE(frontName(reader.programsInFront(100)), QStringLiteral("nano"));

    // man waits for its pager in the same group: the pager is what the user reads.
    fake.remove(103);
    fake.remove(104);
    fake.add({105, 101, 105, 101, 1, 105, {"man", "ls"}, "/usr/bin/man"});
    fake.add({106, 105, 105, 101, 1, 105, {"groff"}, "/usr/bin/groff", 106});
    fake.add({107, 105, 105, 101, 1, 105, {"pager"}, "/usr/bin/less", 107});
    fake.setForeground({shell}, 105);
    front = reader.programsInFront(100);
    QCOMPARE(frontName(front), QStringLiteral("pager"));
    QVERIFY(front.first().isNamed(QStringLiteral("less")));

    // A process that renamed itself, and a script run by its interpreter.
    fake.remove(105);
    fake.remove(106);
    fake.remove(107);
    fake.add({108, 101, 108, 101, 1, 108, {"/usr/bin/python3", "-O", "/usr/bin/ranger"}, "/usr/bin/python3.11"});
    fake.setForeground({shell}, 108);
    QCOMPARE(chain(reader.programsInFront(100)), QStringList{"ranger"});
    QVERIFY(reader.programsInFront(100).first().isNamed(QStringLiteral("python3.11")));
}

void TestTerminalProcesses::deadAndForeignProcesses()
{
    FakeProc fake;
    // A terminal with no child is just the terminal; so is an unknown pid.
    fake.add({100, 1, 100, 100, -1, -1, {"xterm"}, "/usr/bin/xterm"});
    QVERIFY(fake.reader().programsInFront(100).isEmpty());
    QVERIFY(fake.reader().programsInFront(4242).isEmpty());

    FakeProc::Process shell{101, 100, 101, 101, 1, 102, {"bash"}, "/usr/bin/bash"};
    fake.add(shell);
    fake.add({102, 101, 102, 101, 1, 102, {"htop"}, "/usr/bin/htop"});
    QCOMPARE(frontName(fake.reader().programsInFront(100)), QStringLiteral("htop"));

    // The foreground program ended while its shell has not taken the terminal back yet: nothing
    // stands for it, not even the shell.
    fake.remove(102);
    QVERIFY(fake.reader().programsInFront(100).isEmpty());

    // Half-written or garbled entries, and a folder whose stat names another process.
    shell.tpgid = 101;
    fake.add(shell);
    fake.write(fake.proc() + QStringLiteral("/101/stat"), "101 (bash");
    QVERIFY(fake.reader().programsInFront(100).isEmpty());
    fake.add(shell);
    fake.write(fake.proc() + QStringLiteral("/101/stat"),
               "999 (bash) S 100 101 101 34817 101 0 0 0 0 0 0 0 0 0 20 0 1 0 1 0 0 0\n");
    QVERIFY(fake.reader().programsInFront(100).isEmpty());
    fake.add(shell);
    QCOMPARE(frontName(fake.reader().programsInFront(100)), QStringLiteral("bash"));

    // Another user's processes are not read.
    const TerminalProcesses otherUser(fake.proc(), fake.dir.path() + QStringLiteral("/dev"), ::getuid() + 1);
    QVERIFY(otherUser.programsInFront(100).isEmpty());
}

// Two process groups on one terminal: a job in the background and the one in front.
void TestTerminalProcesses::sharedTerminal()
{
    FakeProc fake;
    fake.add({100, 1, 100, 100, -1, -1, {"alacritty"}, "/usr/bin/alacritty"});
    const FakeProc::Process shell{101, 100, 101, 101, 1, 101, {"zsh"}, "/usr/bin/zsh"};
    const FakeProc::Process job{102, 101, 102, 101, 1, 101, {"tail", "-f", "log"}, "/usr/bin/tail", 500};
    fake.add(shell);
    fake.add(job);
    QCOMPARE(chain(fake.reader().programsInFront(100)), QStringList{"zsh"});
    fake.add({103, 101, 103, 101, 1, 103, {"vim"}, "/usr/bin/vim"});
    fake.setForeground({shell, job}, 103);
    QCOMPARE(chain(fake.reader().programsInFront(100)), QStringList{"vim"});
    // The same terminal, asked for by name.
    QCOMPARE(fake.reader().programOnTty(QStringLiteral("/dev/pts/1"))->names.value(0), QStringLiteral("vim"));
    QVERIFY(!fake.reader().programOnTty(QStringLiteral("/dev/pts/7")));
}

// One server process for every window and tab: the tab that had input last is in front.
void TestTerminalProcesses::terminalServerWithTabs()
{
    FakeProc fake;
    fake.add({200, 1, 200, 200, -1, -1, {"/usr/libexec/gnome-terminal-server"}, "/usr/libexec/gnome-terminal-server"});
    fake.add({201, 200, 201, 201, 1, 202, {"bash"}, "/usr/bin/bash", 201});
    fake.add({202, 201, 202, 201, 1, 202, {"vim"}, "/usr/bin/vim", 202});
    fake.add({203, 200, 203, 203, 2, 203, {"bash"}, "/usr/bin/bash", 203});
    fake.add({204, 200, 204, 204, 3, 205, {"fish"}, "/usr/bin/fish", 204});
    fake.add({205, 204, 205, 204, 3, 205, {"less", "README"}, "/usr/bin/less", 205});
    fake.touchPts(1, 60);
    fake.touchPts(2, 30);
    fake.touchPts(3, 90);
    QCOMPARE(chain(fake.reader().programsInFront(200)), QStringList{"bash"});
    fake.touchPts(1, 5);
    QCOMPARE(chain(fake.reader().programsInFront(200)), QStringList{"vim"});
    fake.touchPts(3, 1);
    QCOMPARE(chain(fake.reader().programsInFront(200)), QStringList{"less"});
    // Known by name only (a Wayland window without a pid): every process of that name counts, a
    // second terminal of the same program too.
    fake.add({300, 1, 300, 300, -1, -1, {"/usr/libexec/gnome-terminal-server"}, "/usr/libexec/gnome-terminal-server"});
    fake.add({301, 300, 301, 301, 4, 302, {"bash"}, "/usr/bin/bash", 301});
    fake.add({302, 301, 302, 301, 4, 302, {"htop"}, "/usr/bin/htop", 302});
    fake.touchPts(4, 20);
    QCOMPARE(chain(fake.reader().programsInFront(QStringList{"org.gnome.Terminal", "GNOME-terminal-server"})),
             QStringList{"less"});
    fake.touchPts(4, 0);
    QCOMPARE(chain(fake.reader().programsInFront(QStringList{"gnome-terminal-server"})), QStringList{"htop"});
    QVERIFY(fake.reader().programsInFront(QStringList{"konsole"}).isEmpty());
    fake.remove(300);
    fake.remove(301);
    fake.remove(302);
    // A tab whose device cannot be read counts as the oldest; with none readable the newest tab wins.
    QFile::remove(fake.dir.path() + QStringLiteral("/dev/pts/3"));
    QCOMPARE(chain(fake.reader().programsInFront(200)), QStringList{"vim"});
    QDir(fake.dir.path() + QStringLiteral("/dev/pts")).removeRecursively();
    QCOMPARE(chain(fake.reader().programsInFront(200)), QStringList{"less"});
}

// tmux: its server says which pane is active; GNU screen: its windows are sessions below its client.
void TestTerminalProcesses::multiplexers()
{
    FakeProc fake;
    fake.add({100, 1, 100, 100, -1, -1, {"kitty"}, "/usr/bin/kitty"});
    const FakeProc::Process shell{101, 100, 101, 101, 1, 102, {"bash"}, "/usr/bin/bash"};
    fake.add(shell);
    fake.add({102, 101, 102, 101, 1, 102, {"tmux: client"}, "/usr/bin/tmux"});
    // The server runs detached, its panes on terminals of their own.
    fake.add({400, 1, 400, 400, -1, -1, {"tmux: server"}, "/usr/bin/tmux"});
    fake.add({401, 400, 401, 401, 5, 402, {"-bash"}, "/usr/bin/bash"});
    fake.add({402, 401, 402, 401, 5, 402, {"vim"}, "/usr/bin/vim"});
    fake.add({403, 400, 403, 403, 6, 403, {"-bash"}, "/usr/bin/bash"});
    QString asked;
    QString activePane = QStringLiteral("/dev/pts/5");
    auto paneTty = [&](const TerminalProgram &client) {
        asked = client.tty;
        return activePane;
    };
    const TerminalProcesses reader = fake.reader();
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), (QStringList{"vim", "tmux"}));
    QCOMPARE(asked, QStringLiteral("/dev/pts/1"));
    activePane = QStringLiteral("/dev/pts/6");
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), (QStringList{"bash", "tmux"}));
    // The server cannot be asked, or names a pane that is gone: tmux alone.
    activePane.clear();
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), QStringList{"tmux"});
    QCOMPARE(chain(reader.programsInFront(100)), QStringList{"tmux"});
    activePane = QStringLiteral("/dev/pts/8");
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), QStringList{"tmux"});

    activePane.clear();
    // screen's server is its client's child in a session of its own; it runs each window in one more.
    fake.add({102, 101, 102, 101, 1, 102, {"screen"}, "/usr/bin/screen"});
    fake.add({500, 102, 500, 500, -1, -1, {"SCREEN"}, "/usr/bin/screen"});
    fake.add({501, 500, 501, 501, 7, 502, {"/bin/bash"}, "/usr/bin/bash"});
    fake.add({502, 501, 502, 501, 7, 502, {"htop"}, "/usr/bin/htop"});
    fake.add({503, 500, 503, 503, 8, 503, {"/bin/bash"}, "/usr/bin/bash"});
    fake.touchPts(7, 10);
    fake.touchPts(8, 20);
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), (QStringList{"htop", "screen"}));
    fake.touchPts(8, 1);
    QCOMPARE(chain(reader.programsInFront(100, paneTty)), (QStringList{"bash", "screen"}));
}

// Which socket a tmux client uses, and what its server says about the client's pane; then a real
// server, where tmux is installed.
void TestTerminalProcesses::tmuxServer()
{
    const QByteArray env("HOME=/home/u\0TMUX_TMPDIR=/run/user/7\0", 36);
    QCOMPARE(TmuxActivePane::socketPath({"tmux"}, QByteArray(), 7), QStringLiteral("/tmp/tmux-7/default"));
    QCOMPARE(TmuxActivePane::socketPath({"tmux", "attach"}, env, 7), QStringLiteral("/run/user/7/tmux-7/default"));
    QCOMPARE(TmuxActivePane::socketPath({"tmux", "-2uLwork"}, QByteArray(), 7), QStringLiteral("/tmp/tmux-7/work"));
    QCOMPARE(TmuxActivePane::socketPath({"tmux", "-f", "-S", "-S", "/s/x", "new"}, env, 7), QStringLiteral("/s/x"));
    // After the command, -L is the command's.
    QCOMPARE(TmuxActivePane::socketPath({"tmux", "new", "-L", "x"}, QByteArray(), 7), QStringLiteral("/tmp/tmux-7/default"));

    const QByteArray listing = "12 /dev/pts/4\n345 /dev/pts/9\n\ngarbage\n3456 pts/1\n";
    QCOMPARE(TmuxActivePane::paneOfClient(listing, 345), QStringLiteral("/dev/pts/9"));
    QCOMPARE(TmuxActivePane::paneOfClient(listing, 3456), QString());

    if (QStandardPaths::findExecutable(QStringLiteral("tmux")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        QSKIP("tmux or script(1) is not installed");
    QTemporaryDir folder;
    const QString socket = folder.filePath(QStringLiteral("s"));
    auto tmux = [&](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral("tmux"), QStringList{QStringLiteral("-S"), socket} + args);
        p.waitForFinished(5000);
        return p.readAllStandardOutput().trimmed();
    };
    tmux({"new-session", "-d", "-x", "80", "-y", "24", "sleep 60"});
    tmux({"split-window", "-d", "sleep 61"});
    // A client on a terminal of its own, as a terminal emulator would start it.
    QProcess client;
    client.setProgram(QStringLiteral("script"));
    client.setArguments({"-qc", "tmux -S " + socket + " attach", "/dev/null"});
    client.start();
    QVERIFY(client.waitForStarted());
    QByteArray clients;
    QTRY_VERIFY_WITH_TIMEOUT(!(clients = tmux({"list-clients", "-F", "#{client_pid}"})).isEmpty(), 5000);
    TerminalProgram attached{clients.toLongLong(), {QStringLiteral("tmux")}, QString()};
    // The client was started with -S: the pane it shows is the first one, running sleep 60.
    const QString pane = TmuxActivePane()(attached);
    QVERIFY(pane.startsWith(QStringLiteral("/dev/pts/")));
    const std::optional<TerminalProgram> program = TerminalProcesses().programOnTty(pane);
    QVERIFY(program);
    QCOMPARE(program->names.value(0), QStringLiteral("sleep"));
    tmux({"kill-server"});
    client.waitForFinished(5000);
    // No server: nothing, and said in the log.
    SystemLog::Capture log;
    QCOMPARE(TmuxActivePane()(attached), QString());
    QCOMPARE(log.lines().size(), 1);
}

QTEST_GUILESS_MAIN(TestTerminalProcesses)
#include "tst_terminalprocesses.moc"
