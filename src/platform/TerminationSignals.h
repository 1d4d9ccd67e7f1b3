#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, the terminal closing) as a Qt signal on
// the main thread, so that the program ends through its event loop (writing what it still has to
// write) rather than dying on the spot. One object per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

Q_SIGNALS:
    void received(int signalNumber);

private:
    int fds_[2] = {-1, -1};
    QSocketNotifier *notifier_ = nullptr; // a child of this object
};
