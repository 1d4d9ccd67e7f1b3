#include "platform/SystemLog.h"

#include <cstdio>
#include <syslog.h>

SystemLog &SystemLog::shared()
{
    static SystemLog log;
    return log;
}

void SystemLog::write(const QString &line)
{
    if (capture_) {
        capture_->captured_.append(line);
        return;
    }
    const QByteArray utf8 = line.toUtf8();
    std::fprintf(stderr, "%s\n", utf8.constData());
    std::fflush(stderr);
    syslog(LOG_USER | LOG_NOTICE, "%s", utf8.constData());
}

SystemLog::Capture::Capture() : outer_(SystemLog::shared().capture_)
{
    SystemLog::shared().capture_ = this;
}

SystemLog::Capture::~Capture()
{
    SystemLog::shared().capture_ = outer_;
}
