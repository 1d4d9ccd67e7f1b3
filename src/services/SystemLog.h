#pragma once

#include <QString>
#include <QStringList>

#include <mutex>

// The system log: one plain line per event, to standard error and to syslog. Any thread may write.
class SystemLog {
public:
    static SystemLog &shared();

    void write(const QString &line);

    // `text` (a file name, say) made safe to put in a line: control characters, line and paragraph
    // separators and backslashes are written as escapes (\n, \t, \x1b, \u2028, \\), so a name cannot
    // end a log line early or forge one.
    static QString escaped(const QString &text);

    // Collects the lines written while it lives (for tests); nests.
    class Capture {
    public:
        Capture();
        ~Capture();
        Capture(const Capture &) = delete;
        Capture &operator=(const Capture &) = delete;
        QStringList lines() const;

    private:
        friend class SystemLog;
        QStringList captured_;
        Capture *outer_ = nullptr;
    };

private:
    SystemLog() = default;
    mutable std::mutex mutex_;
    Capture *capture_ = nullptr;
};
