#include "services/SystemLog.h"

#include <cstdio>
#include <syslog.h>

SystemLog &SystemLog::shared()
{
    static SystemLog log;
    return log;
}

void SystemLog::write(const QString &line)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (capture_) {
        capture_->captured_.append(line);
        return;
    }
    const QByteArray utf8 = line.toUtf8();
    std::fprintf(stderr, "%s\n", utf8.constData());
    std::fflush(stderr);
    syslog(LOG_USER | LOG_NOTICE, "%s", utf8.constData());
}

QString SystemLog::escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\': out += QLatin1String("\\\\"); continue;
        case u'\n': out += QLatin1String("\\n"); continue;
        case u'\r': out += QLatin1String("\\r"); continue;
        case u'\t': out += QLatin1String("\\t"); continue;
        default: break;
        }
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else if (u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

SystemLog::Capture::Capture()
{
    SystemLog &log = SystemLog::shared();
    const std::lock_guard<std::mutex> lock(log.mutex_);
    outer_ = log.capture_;
    log.capture_ = this;
}

SystemLog::Capture::~Capture()
{
    SystemLog &log = SystemLog::shared();
    const std::lock_guard<std::mutex> lock(log.mutex_);
    log.capture_ = outer_;
}

QStringList SystemLog::Capture::lines() const
{
    const std::lock_guard<std::mutex> lock(SystemLog::shared().mutex_);
    return captured_;
}
