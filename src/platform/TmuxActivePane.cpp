#include "platform/TmuxActivePane.h"

#include "services/SystemLog.h"

#include <QFile>
#include <QProcess>

namespace {

// The panel is about to open: a server that has not answered by then is not waited for.
constexpr int answerTimeoutMs = 500;

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(256 * 1024) : QByteArray();
}

} // namespace

TmuxActivePane::TmuxActivePane(QString procRoot, uid_t uid) : procRoot_(std::move(procRoot)), uid_(uid) {}

QString TmuxActivePane::socketPath(const QList<QByteArray> &argv, const QByteArray &environment, uid_t uid)
{
    QString path;
    QString name = QStringLiteral("default");
    // tmux's options come before its command; -c, -f, -L, -S and -T take a value, in the same word
    // or the next.
    for (qsizetype i = 1; i < argv.size(); ++i) {
        const QByteArray &arg = argv.at(i);
        if (arg == "--" || !arg.startsWith('-') || arg.size() < 2)
            break;
        for (qsizetype c = 1; c < arg.size(); ++c) {
            const char flag = arg.at(c);
            if (!QByteArray("cfLST").contains(flag))
                continue;
            const QByteArray value = c + 1 < arg.size() ? arg.mid(c + 1) : argv.value(++i);
            if (flag == 'S')
                path = QString::fromLocal8Bit(value);
            else if (flag == 'L')
                name = QString::fromLocal8Bit(value);
            break;
        }
    }
    if (!path.isEmpty())
        return path;
    QString folder = QStringLiteral("/tmp");
    for (const QByteArray &variable : environment.split('\0')) {
        if (variable.startsWith("TMUX_TMPDIR=") && variable.size() > 12)
            folder = QString::fromLocal8Bit(variable.mid(12));
    }
    return QStringLiteral("%1/tmux-%2/%3").arg(folder).arg(uid).arg(name);
}

QString TmuxActivePane::paneOfClient(const QByteArray &listing, qint64 pid)
{
    for (const QByteArray &line : listing.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() == 2 && fields.at(0).toLongLong() == pid && fields.at(1).startsWith("/dev/"))
            return QString::fromLocal8Bit(fields.at(1));
    }
    return QString();
}

QString TmuxActivePane::operator()(const TerminalProgram &client) const
{
    if (!client.isNamed(QStringLiteral("tmux")))
        return QString();
    const QString dir = procRoot_ + QLatin1Char('/') + QString::number(client.pid);
    const QString socket = socketPath(readProcFile(dir + QStringLiteral("/cmdline")).split('\0'),
                                      readProcFile(dir + QStringLiteral("/environ")), uid_);
    QProcess tmux;
    tmux.start(QStringLiteral("tmux"), {QStringLiteral("-S"), socket, QStringLiteral("list-clients"),
                                        QStringLiteral("-F"), QStringLiteral("#{client_pid} #{pane_tty}")});
    if (!tmux.waitForFinished(answerTimeoutMs) || tmux.exitStatus() != QProcess::NormalExit || tmux.exitCode() != 0) {
        SystemLog::shared().write(QStringLiteral("Corvane: tmux did not say which pane is active (%1): %2")
                                      .arg(SystemLog::escaped(socket),
                                           SystemLog::escaped(tmux.error() == QProcess::UnknownError
                                                                  ? QString::fromLocal8Bit(tmux.readAllStandardError().trimmed())
                                                                  : tmux.errorString())));
        tmux.kill();
        tmux.waitForFinished(100);
        return QString();
    }
    return paneOfClient(tmux.readAllStandardOutput(), client.pid);
}
