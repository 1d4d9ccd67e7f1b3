#pragma once

#include <QString>
#include <QStringList>

// The system log: one plain line per event, to standard error and to syslog.
class SystemLog {
public:
    static SystemLog &shared();

    void write(const QString &line);

    // Collects the lines written while it lives (for tests); nests.
    class Capture {
    public:
        Capture();
        ~Capture();
        Capture(const Capture &) = delete;
        Capture &operator=(const Capture &) = delete;
        const QStringList &lines() const { return captured_; }

    private:
        friend class SystemLog;
        QStringList captured_;
        Capture *outer_ = nullptr;
    };

private:
    SystemLog() = default;
    Capture *capture_ = nullptr;
};
