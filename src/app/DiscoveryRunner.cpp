#include "app/DiscoveryRunner.h"

#include "platform/freedesktop/GResourceReader.h"
#include "platform/freedesktop/InstalledPrograms.h"

#include <QElapsedTimer>

DiscoveryRunner::DiscoveryRunner(QString cacheFile, QObject *parent) : QObject(parent), cacheFile_(std::move(cacheFile))
{
}

DiscoveryRunner::~DiscoveryRunner()
{
    stop();
}

void DiscoveryRunner::start(const QSet<QString> &shippedIds)
{
    if (isRunning())
        return;
    cancel_ = false;
    // The thread never outlives this object (stop() waits for it).
    thread_.reset(QThread::create([this, shippedIds, cacheFile = cacheFile_] {
        QElapsedTimer timer;
        timer.start();
        GResourceReader resources;
        ShortcutDiscovery discovery(resources, cacheFile);
        discovery.setCancelFlag(&cancel_);
        ShortcutDiscovery::Outcome outcome = discovery.discover(InstalledPrograms::list(), shippedIds);
        if (cancel_)
            return;
        const qint64 elapsed = timer.elapsed();
        // Delivered through the main thread's event loop; Qt drops it if the runner is gone by then.
        QMetaObject::invokeMethod(
            this, [this, outcome = std::move(outcome), elapsed] { Q_EMIT finished(outcome, elapsed); },
            Qt::QueuedConnection);
    }));
    thread_->start(QThread::LowestPriority);
}

void DiscoveryRunner::stop()
{
    if (!thread_)
        return;
    cancel_ = true;
    thread_->wait();
    thread_.reset();
}
