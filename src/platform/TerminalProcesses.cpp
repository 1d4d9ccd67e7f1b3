#include "platform/TerminalProcesses.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

// /proc files are short; anything longer is not what we read.
constexpr qint64 maxProcFile = 64 * 1024;
// Wrappers inside wrappers, multiplexers inside multiplexers: far more than anyone nests.
constexpr int maxDepth = 8;

// Programs that start the program the user sees and wait for it in the same process group.
bool isWrapper(const QStringList &names)
{
    static const QStringList wrappers{QStringLiteral("man"),  QStringLiteral("git"),   QStringLiteral("env"),
                                      QStringLiteral("nice"), QStringLiteral("nohup"), QStringLiteral("time"),
                                      QStringLiteral("xargs"), QStringLiteral("sh"),   QStringLiteral("dash")};
    return !names.isEmpty() && wrappers.contains(names.first());
}

bool isInterpreter(const QString &executable)
{
    static const QStringList prefixes{QStringLiteral("python"), QStringLiteral("perl"), QStringLiteral("ruby"),
                                      QStringLiteral("node"), QStringLiteral("bash"), QStringLiteral("dash"),
                                      QStringLiteral("sh")};
    return std::any_of(prefixes.cbegin(), prefixes.cend(), [&](const QString &prefix) {
        return executable == prefix
            || (executable.startsWith(prefix) && prefix.size() > 2 && !executable.at(prefix.size()).isLetter());
    });
}

std::optional<QByteArray> readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(maxProcFile);
}

QString baseName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

TerminalProcesses::TerminalProcesses(QString procRoot, QString devRoot, uid_t uid)
    : procRoot_(std::move(procRoot)), devRoot_(std::move(devRoot)), uid_(uid)
{
}

QString TerminalProcesses::ptyPath(qint64 ttyNr)
{
    // The kernel's encoding of a device number: major in bits 8-19, minor in bits 0-7 and 20-31.
    const qint64 major = (ttyNr >> 8) & 0xfff;
    const qint64 minor = (ttyNr & 0xff) | ((ttyNr >> 12) & 0xfff00);
    if (major < 136 || major > 143)  // Unix 98 pseudo-terminal slaves
        return QString();
    return QStringLiteral("/dev/pts/%1").arg((major - 136) * 256 + minor);
}

bool TerminalProcesses::isMultiplexer(const TerminalProgram &program)
{
    return program.isNamed(QStringLiteral("tmux")) || program.isNamed(QStringLiteral("screen"));
}

std::optional<TerminalProcesses::Process> TerminalProcesses::readProcess(const QString &pidName) const
{
    const QString dir = procRoot_ + QLatin1Char('/') + pidName;
    if (QFileInfo(dir).ownerId() != uid_)
        return std::nullopt;
    const std::optional<QByteArray> stat = readSmallFile(dir + QStringLiteral("/stat"));
    if (!stat)
        return std::nullopt;  // ended since the folder was listed
    // "pid (comm) state ppid pgrp session tty_nr tpgid flags ... starttime": the name may hold
    // spaces and parentheses, so the fields start after the last ')'.
    const qsizetype open = stat->indexOf('(');
    const qsizetype close = stat->lastIndexOf(')');
    if (open < 0 || close < open)
        return std::nullopt;
    const QList<QByteArray> fields = stat->mid(close + 2).split(' ');
    if (fields.size() < 20)
        return std::nullopt;
    Process p;
    bool ok[7] = {};
    p.pid = stat->left(open).trimmed().toLongLong(&ok[0]);
    p.ppid = fields[1].toLongLong(&ok[1]);
    p.pgrp = fields[2].toLongLong(&ok[2]);
    p.session = fields[3].toLongLong(&ok[3]);
    p.ttyNr = fields[4].toLongLong(&ok[4]);
    p.tpgid = fields[5].toLongLong(&ok[5]);
    p.startTime = fields[19].toULongLong(&ok[6]);
    if (std::find(std::begin(ok), std::end(ok), false) != std::end(ok) || QString::number(p.pid) != pidName)
        return std::nullopt;
    p.comm = QString::fromUtf8(stat->mid(open + 1, close - open - 1));
    return p;
}

TerminalProcesses::Table TerminalProcesses::readTable() const
{
    Table table;
    const QStringList entries = QDir(procRoot_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.isEmpty() || !std::all_of(entry.cbegin(), entry.cend(), [](QChar c) { return c.isDigit(); }))
            continue;
        if (std::optional<Process> process = readProcess(entry))
            table.insert(process->pid, *process);
    }
    return table;
}

TerminalProgram TerminalProcesses::describe(const Process &process) const
{
    const QString dir = procRoot_ + QLatin1Char('/') + QString::number(process.pid);
    TerminalProgram program;
    program.pid = process.pid;
    program.tty = ptyPath(process.ttyNr);
    QStringList names;
    const QList<QByteArray> argv = readSmallFile(dir + QStringLiteral("/cmdline")).value_or(QByteArray()).split('\0');
    QString argv0 = baseName(QString::fromUtf8(argv.value(0)));
    if (argv0.startsWith(QLatin1Char('-')))  // a login shell
        argv0.remove(0, 1);
    // Programs that rename themselves ("tmux: client") keep their first word.
    names << argv0.section(QLatin1Char(':'), 0, 0);
    QString executable = baseName(QFileInfo(dir + QStringLiteral("/exe")).symLinkTarget());
    executable.remove(QStringLiteral(" (deleted)"));
    names << executable << process.comm.section(QLatin1Char(':'), 0, 0);
    if (isInterpreter(executable) || isInterpreter(argv0)) {
        const auto script = std::find_if(argv.cbegin() + std::min<qsizetype>(1, argv.size()), argv.cend(),
                                         [](const QByteArray &arg) { return !arg.isEmpty() && !arg.startsWith('-'); });
        if (script != argv.cend())
            names.prepend(baseName(QString::fromUtf8(*script)));
    }
    for (const QString &name : std::as_const(names)) {
        if (!name.isEmpty() && !program.names.contains(name))
            program.names << name;
    }
    return program;
}

std::optional<TerminalProgram> TerminalProcesses::frontOf(const Table &table, const Process &sessionLeader) const
{
    const qint64 foreground = sessionLeader.tpgid > 0 ? sessionLeader.tpgid : sessionLeader.pgrp;
    QList<Process> group;
    for (const Process &p : table) {
        if (p.pgrp == foreground && p.ttyNr == sessionLeader.ttyNr)
            group << p;
    }
    if (group.isEmpty())
        return std::nullopt;  // ended, or another user's (sudo)
    auto older = [](const Process &a, const Process &b) {
        return a.startTime != b.startTime ? a.startTime < b.startTime : a.pid < b.pid;
    };
    std::sort(group.begin(), group.end(), older);
    const auto leader = std::find_if(group.cbegin(), group.cend(), [&](const Process &p) { return p.pid == foreground; });
    Process current = leader != group.cend() ? *leader : group.first();
    TerminalProgram program = describe(current);
    for (int depth = 0; depth < maxDepth && isWrapper(program.names); ++depth) {
        // The youngest child in the group is the one the wrapper waits for.
        const auto child = std::find_if(group.crbegin(), group.crend(),
                                        [&](const Process &p) { return p.ppid == current.pid; });
        if (child == group.crend())
            break;
        current = *child;
        program = describe(current);
    }
    return program;
}

QString TerminalProcesses::devicePath(qint64 ttyNr) const
{
    const QString pty = ptyPath(ttyNr);
    return pty.isEmpty() ? QString() : devRoot_ + pty.mid(4);
}

std::optional<TerminalProgram> TerminalProcesses::programOnTty(const QString &tty) const
{
    return programOnTty(readTable(), tty);
}

std::optional<TerminalProgram> TerminalProcesses::programOnTty(const Table &table, const QString &tty) const
{
    std::optional<Process> leader;
    for (const Process &p : table) {
        if (ptyPath(p.ttyNr) != tty)
            continue;
        if (!leader || p.pid == p.session)
            leader = p;
    }
    return leader ? frontOf(table, *leader) : std::nullopt;
}

std::optional<TerminalProgram> TerminalProcesses::busiestSessionBelow(const Table &table, const QList<qint64> &pids) const
{
    QHash<qint64, QList<qint64>> children;
    for (const Process &p : table)
        children[p.ppid] << p.pid;
    // The sessions the process's descendants lead, each on its own pseudo-terminal (a terminal
    // server's tabs, a multiplexer's windows), not those further below them; the process's own
    // terminal is not among them.
    QList<Process> leaders;
    QSet<qint64> seen(pids.cbegin(), pids.cend());
    QList<qint64> pending;
    for (qint64 pid : pids)
        pending << children.value(pid);
    while (!pending.isEmpty()) {
        const qint64 next = pending.takeLast();
        if (seen.contains(next))
            continue;
        seen.insert(next);
        const Process &p = table[next];
        if (p.pid == p.session && p.ttyNr != 0)
            leaders << p;  // what runs below it belongs to its own terminal
        else
            pending << children.value(next);
    }
    // The one with the latest input (the kernel stamps a terminal's access time when it is read),
    // else the newest.
    std::optional<Process> best;
    QDateTime bestInput;
    for (const Process &p : std::as_const(leaders)) {
        const QString device = devicePath(p.ttyNr);
        const QDateTime input = device.isEmpty() ? QDateTime() : QFileInfo(device).lastRead();
        if (!best || input > bestInput || (input == bestInput && p.startTime > best->startTime)) {
            best = p;
            bestInput = input;
        }
    }
    return best ? frontOf(table, *best) : std::nullopt;
}

QList<TerminalProgram> TerminalProcesses::programsInFront(qint64 terminalPid, const PaneTty &paneTty) const
{
    return programsBelow(readTable(), {terminalPid}, paneTty);
}

QList<TerminalProgram> TerminalProcesses::programsInFront(const QStringList &terminalNames, const PaneTty &paneTty) const
{
    const Table table = readTable();
    QList<qint64> terminals;
    for (const Process &p : table) {
        const QStringList names = describe(p).names;
        if (std::any_of(names.cbegin(), names.cend(), [&](const QString &name) {
                return terminalNames.contains(name, Qt::CaseInsensitive);
            }))
            terminals << p.pid;
    }
    return terminals.isEmpty() ? QList<TerminalProgram>() : programsBelow(table, terminals, paneTty);
}

QList<TerminalProgram> TerminalProcesses::programsBelow(const Table &table, const QList<qint64> &terminalPids,
                                                        const PaneTty &paneTty) const
{
    QList<TerminalProgram> programs;
    std::optional<TerminalProgram> front = busiestSessionBelow(table, terminalPids);
    for (int depth = 0; front && depth < maxDepth; ++depth) {
        programs.prepend(*front);
        if (!isMultiplexer(*front))
            break;
        // tmux's panes belong to its server, which says which is active; GNU screen's windows are
        // its server's sessions, below the client.
        const QString pane = paneTty ? paneTty(*front) : QString();
        front = pane.isEmpty() ? busiestSessionBelow(table, {front->pid}) : programOnTty(table, pane);
    }
    return programs;
}
