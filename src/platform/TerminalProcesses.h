#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

// One program running in a terminal.
struct TerminalProgram {
    qint64 pid = 0;
    // The names it may be known under, most telling first: the name it was started as, its
    // executable, the kernel's name for it, and for an interpreter the script it runs.
    QStringList names;
    // The pseudo-terminal it runs on ("/dev/pts/3" under the device root); empty when unknown.
    QString tty;

    bool isNamed(const QString &name) const { return names.contains(name); }
};

// Finds the program a user works with inside a terminal emulator, from the process table in a
// /proc folder: the pseudo-terminals of the sessions the emulator's processes lead, the one that
// had input last (its device's access time), and on it the foreground process group's leader,
// followed through wrappers such as `man` to the pager the user reads. Only processes of one user
// are read, nothing is written, and a process that ends while it is read is left out.
class TerminalProcesses {
public:
    // Where a multiplexer client (tmux) shows its active pane: that pane's pseudo-terminal, or an
    // empty string when it cannot be told.
    using PaneTty = std::function<QString(const TerminalProgram &client)>;

    explicit TerminalProcesses(QString procRoot = QStringLiteral("/proc"), QString devRoot = QStringLiteral("/dev"),
                               uid_t uid = ::getuid());

    // The programs in front in the terminal whose process is `terminalPid`, the one the user sees
    // first: inside a multiplexer the program of its active pane, then the multiplexer. Empty when
    // the terminal runs nothing of this user.
    QList<TerminalProgram> programsInFront(qint64 terminalPid, const PaneTty &paneTty = {}) const;
    // The same for a terminal known by its program's names only (a Wayland window without a
    // process id): of all the user's processes with one of these names (case is ignored), the
    // terminal that had input last.
    QList<TerminalProgram> programsInFront(const QStringList &terminalNames, const PaneTty &paneTty = {}) const;
    // The program in front on one pseudo-terminal ("/dev/pts/3"), whoever started it.
    std::optional<TerminalProgram> programOnTty(const QString &tty) const;

    // The device of a terminal number as /proc/PID/stat gives it ("tty_nr"): "/dev/pts/N" for a
    // pseudo-terminal, else empty.
    static QString ptyPath(qint64 ttyNr);
    // Multiplexers whose client shows another terminal's program.
    static bool isMultiplexer(const TerminalProgram &program);

    const QString &procRoot() const { return procRoot_; }

private:
    struct Process {
        qint64 pid = 0;
        qint64 ppid = 0;
        qint64 pgrp = 0;
        qint64 session = 0;
        qint64 ttyNr = 0;
        qint64 tpgid = 0;
        quint64 startTime = 0;
        QString comm;
    };
    using Table = QHash<qint64, Process>;

    Table readTable() const;
    std::optional<Process> readProcess(const QString &pidName) const;
    std::optional<TerminalProgram> frontOf(const Table &table, const Process &sessionLeader) const;
    std::optional<TerminalProgram> programOnTty(const Table &table, const QString &tty) const;
    std::optional<TerminalProgram> busiestSessionBelow(const Table &table, const QList<qint64> &pids) const;
    QList<TerminalProgram> programsBelow(const Table &table, const QList<qint64> &terminalPids,
                                         const PaneTty &paneTty) const;
    TerminalProgram describe(const Process &process) const;
    QString devicePath(qint64 ttyNr) const;

    QString procRoot_;
    QString devRoot_;
    uid_t uid_;
};
