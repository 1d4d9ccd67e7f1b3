#include "app/DiscoveryRunner.h"

#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

#include "catalogue/DiscoveryCache.h"
#include "catalogue/ImportWorkerReply.h"
#include "services/SystemLog.h"
#include "services/WorkerProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

DiscoveryRunner::DiscoveryRunner(QString locale, QObject *parent)
    : QObject(parent), locale_(std::move(locale)), cacheFile_(DiscoveryCache::defaultFile(locale_))
{
}

DiscoveryRunner::~DiscoveryRunner()
{
    stop();
}

ShortcutDiscovery::Importer DiscoveryRunner::isolatedImporter(const QString &locale)
{
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-data");
    if (!QFileInfo(worker).isExecutable()) {
        SystemLog::shared().write(QStringLiteral("Corvane: %1 is missing: programs are read in this process").arg(worker));
        return {};
    }
    return [worker, locale](const QString &path, const QStringList &domains) {
        // Another program's file is parsed where a crash, a loop or a runaway allocation costs
        // that program only; its titles are read there in the user's language.
        QStringList arguments{QStringLiteral("import"), QStringLiteral("--worker"), QStringLiteral("--locale"), locale};
        for (const QString &domain : domains)
            arguments << QStringLiteral("--domain") << domain;
        arguments << path;
        const WorkerProcess::Result run = WorkerProcess::run(worker, arguments, WorkerProcess::Limits{});
        ShortcutsWindowImport::Result result;
        if (run.outcome != WorkerProcess::Outcome::Finished) {
            result.error = QStringLiteral("the reading process ") + run.detail;
            return result;
        }
        if (auto reply = ImportWorkerReply::decode(run.output))
            return *reply;
        result.error = QStringLiteral("the reading process gave no answer (exit code %1)").arg(run.exitCode);
        return result;
    };
}

void DiscoveryRunner::start(const QSet<QString> &shippedIds)
{
    if (isRunning())
        return;
    cancel_ = false;
    // The thread never outlives this object (stop() waits for it).
    thread_.reset(QThread::create([this, shippedIds, cacheFile = cacheFile_, locale = locale_] {
        QElapsedTimer timer;
        timer.start();
        // Desktop entries and GResource bundles are read through the GIO module; without it nothing
        // is discovered (GioModule has said why).
        ShortcutDiscovery::Outcome outcome;
        if (GioServices *gio = GioModule::shared().services()) {
            const std::unique_ptr<ProgramResources> resources = gio->programResources();
            ShortcutDiscovery::Importer importer = isolatedImporter(locale);
            // Read in this process, titles stay as written: they are kept apart from those in the
            // user's language.
            ShortcutDiscovery discovery(*resources, importer ? cacheFile : DiscoveryCache::defaultFile());
            discovery.setCancelFlag(&cancel_);
            discovery.setImporter(std::move(importer));
            outcome = discovery.discover(gio->installedPrograms(), shippedIds);
        }
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
