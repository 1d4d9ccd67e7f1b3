#pragma once

#include "platform/TerminalProcesses.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Asks a tmux server, through the socket its client uses and as the same user, which pane that
// client shows.
class TmuxActivePane {
public:
    explicit TmuxActivePane(QString procRoot = QStringLiteral("/proc"), uid_t uid = ::getuid());

    // The pseudo-terminal of the active pane of the tmux client `client`; empty when the server does
    // not answer in time or does not know the client.
    QString operator()(const TerminalProgram &client) const;

    // The server socket of a tmux client started with `argv`, in an environment holding
    // `environment` (NUL-separated, as /proc/PID/environ): -S's path, else -L's name (or "default")
    // in ${TMUX_TMPDIR:-/tmp}/tmux-UID.
    static QString socketPath(const QList<QByteArray> &argv, const QByteArray &environment, uid_t uid);
    // The pane of client `pid` in list-clients' "#{client_pid} #{pane_tty}" lines.
    static QString paneOfClient(const QByteArray &listing, qint64 pid);

private:
    QString procRoot_;
    uid_t uid_;
};
