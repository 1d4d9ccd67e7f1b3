#include "panel/ActiveAppMonitor.h"

#include "platform/ActivationSource.h"
#include "platform/PlatformProfile.h"

#include <QPointer>

ActiveAppMonitor &ActiveAppMonitor::shared()
{
    static ActiveAppMonitor *monitor =  // lives as long as the process
        new ActiveAppMonitor(QString::fromLatin1(PlatformProfile::applicationId));
    return *monitor;
}

ActiveAppMonitor::ActiveAppMonitor(std::optional<QString> ownBundleId, QObject *parent)
    : QObject(parent), ownBundleId_(std::move(ownBundleId))
{
}

void ActiveAppMonitor::start(ActivationSource &source)
{
    if (const std::optional<RunningApp> frontmost = source.frontmostApp())
        didActivate(*frontmost);
    source.follow([monitor = QPointer<ActiveAppMonitor>(this)](const RunningApp &app) {
        if (monitor)
            monitor->didActivate(app);
    });
}

void ActiveAppMonitor::didActivate(const RunningApp &app)
{
    const bool own = !app.isDesktop && isThisProgram(app);
    const bool left = ownInFront_ && !own;
    ownInFront_ = own;
    if (left)
        Q_EMIT leftThisProgram();
    if (app.isDesktop) {
        // The panel shows the desktop's own section when it knows no application.
        if (!lastApp_)
            return;
        lastApp_.reset();
        Q_EMIT lastAppChanged();
        return;
    }
    if (isThisProgram(app) || lastApp_ == app)
        return;
    lastApp_ = app;
    Q_EMIT lastAppChanged();
}
