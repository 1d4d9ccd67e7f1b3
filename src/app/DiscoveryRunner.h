#pragma once

#include "catalogue/ShortcutDiscovery.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

// Runs the discovery of installed applications' shortcuts windows on a thread of its own, at low
// priority, and hands the result to the main thread. Stopping (or destroying) it asks the scan to
// end before the next program and waits for it.
class DiscoveryRunner : public QObject {
    Q_OBJECT
public:
    // `locale`: the language titles are read in (as GettextCatalogues::userLocale() gives it), which
    // also picks the cache file.
    explicit DiscoveryRunner(QString locale, QObject *parent = nullptr);
    ~DiscoveryRunner() override;

    // Starts a scan unless one is running. `shippedIds`: the catalogue's lower-cased identifiers.
    void start(const QSet<QString> &shippedIds);
    void stop();
    bool isRunning() const { return thread_ && thread_->isRunning(); }

    // Reads each program file in a worker process (corvane-data next to this program), under limits
    // of memory and time, titles in `locale`; empty (read in this process, titles as written) when
    // the worker is not installed.
    static ShortcutDiscovery::Importer isolatedImporter(const QString &locale);

Q_SIGNALS:
    // On the main thread, once per scan that was not stopped.
    void finished(const ShortcutDiscovery::Outcome &outcome, qint64 milliseconds);

private:
    QString locale_;
    QString cacheFile_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
};
