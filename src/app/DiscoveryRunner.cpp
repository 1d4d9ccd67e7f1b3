#include "app/DiscoveryRunner.h"

#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

#include "catalogue/ImportWorkerReply.h"
#include "platform/SystemLog.h"
#include "platform/WorkerProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

DiscoveryRunner::DiscoveryRunner(QString cacheFile, QObject *parent) : QObject(parent), cacheFile_(std::move(cacheFile))
{
}

DiscoveryRunner::~DiscoveryRunner()
{
    stop();
}

ShortcutDiscovery::Importer DiscoveryRunner::isolatedImporter()
{
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-data");
    if (!QFileInfo(worker).isExecutable()) {
        SystemLog::shared().write(QStringLiteral("Corvane: %1 is missing: programs are read in this process").arg(worker));
        return {};
    }
    return [worker](const QString &path) {
        // Another program's file is parsed where a crash, a loop or a runaway allocation costs
        // that program only.
        const WorkerProcess::Result run = WorkerProcess::run(worker, {QStringLiteral("import"), QStringLiteral("--worker"), path},
                                                             WorkerProcess::Limits{});
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
    thread_.reset(QThread::create([this, shippedIds, cacheFile = cacheFile_] {
        QElapsedTimer timer;
        timer.start();
        // Desktop entries and GResource bundles are read through the GIO module; without it nothing
        // is discovered (GioModule has said why).
        ShortcutDiscovery::Outcome outcome;
        if (GioServices *gio = GioModule::shared().services()) {
            const std::unique_ptr<ProgramResources> resources = gio->programResources();
            ShortcutDiscovery discovery(*resources, cacheFile);
            discovery.setCancelFlag(&cancel_);
            discovery.setImporter(isolatedImporter());
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
