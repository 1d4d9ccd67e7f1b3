#include "services/ToggleCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace ToggleCommand {

QString shellQuoted(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+:@%=-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString absolute()
{
    return shellQuoted(QCoreApplication::applicationFilePath()) + QStringLiteral(" --toggle");
}

QString shortest()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty()
        && QFileInfo(onPath).canonicalFilePath() == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
        return shellQuoted(name) + QStringLiteral(" --toggle");
    return absolute();
}

} // namespace ToggleCommand
