#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The write end of the pipe, for the handler: a signal handler can reach nothing but a global, and
// may do nothing but write a byte.
volatile sig_atomic_t writeEnd = -1;

void onSignal(int number)
{
    const int fd = writeEnd;
    if (fd < 0)
        return;
    const unsigned char byte = static_cast<unsigned char>(number);
    const ssize_t written = ::write(fd, &byte, 1);
    static_cast<void>(written); // a full pipe already holds a signal to handle
}

constexpr int handled[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0)
        return;
    writeEnd = fds_[1];
    notifier_ = new QSocketNotifier(qintptr(fds_[0]), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        while (::read(fds_[0], &byte, 1) == 1)
            Q_EMIT received(int(byte));
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : handled)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (fds_[0] < 0)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : handled)
        ::sigaction(number, &action, nullptr);
    writeEnd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
}
