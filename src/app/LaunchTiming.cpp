#include "app/LaunchTiming.h"

#include "platform/SystemLog.h"

#include <QByteArray>
#include <QString>

#include <time.h>

void LaunchTiming::report(const QString &milestone)
{
    bool ok = false;
    const qint64 launched = qEnvironmentVariable("CORVANE_LAUNCHED_AT").toLongLong(&ok);
    if (!ok)
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const qint64 elapsed = qint64(now.tv_sec) * 1000000000 + now.tv_nsec - launched;
    SystemLog::shared().write(
        QStringLiteral("Corvane: %1 %2 ms after launch").arg(milestone).arg(double(elapsed) / 1e6, 0, 'f', 2));
}
