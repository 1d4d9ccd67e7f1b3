#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// corvane-data: checks data files and shows what the program makes of them.
class DataTool {
public:
    DataTool(QTextStream &out, QTextStream &err) : out_(out), err_(err) {}

    // `args` without the program name. Returns the exit code: 0 fine, 1 a file failed, 2 bad usage.
    int run(const QStringList &args);

    static QString usage();

private:
    int check(const QStringList &args);
    int entries(const QStringList &args);
    int stats(const QStringList &args);
    int panel(const QStringList &args);
    int usageError(const QString &message);

    QTextStream &out_;
    QTextStream &err_;
};
