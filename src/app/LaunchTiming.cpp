#include "app/LaunchTiming.h"

#include "services/SystemLog.h"

#include <QByteArray>
#include <QString>

#include <time.h>

void LaunchTiming::report(const QString &milestone)
{
    bool ok = false;
    const qint64 launched = qEnvironmentVariable("CORVANE_LAUNCHED_AT").toLongLong(&ok);
    if (!ok)
        return;
    timespec now{}, cpu{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);  // every thread's, since exec
    const qint64 elapsed = qint64(now.tv_sec) * 1000000000 + now.tv_nsec - launched;
    const qint64 used = qint64(cpu.tv_sec) * 1000000000 + cpu.tv_nsec;
    SystemLog::shared().write(QStringLiteral("Corvane: %1 %2 ms after launch, %3 ms CPU")
                                  .arg(milestone)
                                  .arg(double(elapsed) / 1e6, 0, 'f', 2)
                                  .arg(double(used) / 1e6, 0, 'f', 2));
}
