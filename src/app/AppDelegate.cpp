#include "app/AppDelegate.h"

#include "app/DiscoveryRunner.h"
#include "catalogue/DiscoveryCache.h"

#include "catalogue/ui/IconLoader.h"
#include "panel/ActiveAppMonitor.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/PanelController.h"
#include "platform/NotificationCenter.h"
#include "settings/HotKeyManager.h"
#include "platform/SystemLog.h"
#include "settings/Preferences.h"

#include <QPointer>

AppDelegate::AppDelegate(Services services, std::optional<QString> shortcutData, QString platform,
                         QStringList arguments, QObject *parent)
    : QObject(parent),
      services_(services),
      arguments_(std::move(arguments)),
      store_(std::move(shortcutData), std::move(platform)),
      favorites_(services.defaults)
{
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    store_.load();
    services_.icons.setCatalogue(&store_);  // icons looked up under every alias too
    viewModel_ = std::make_unique<PanelViewModel>(store_, favorites_, services_.workspace, services_.preferences);
    panelController_ = std::make_unique<PanelController>(
        *viewModel_, services_.preferences, services_.icons, [] { return ActiveAppMonitor::shared().lastApp(); },
        services_.windowSystem, arguments_);
    ActiveAppMonitor::shared().start(services_.activations);

    HotKeyManager &hotKeys = HotKeyManager::shared();
    QPointer<AppDelegate> self(this);
    hotKeys.setOnTrigger([self] {
        if (self && self->panelController_)
            self->panelController_->toggle();
    });
    connect(&hotKeys, &HotKeyManager::statusChanged, this, &AppDelegate::hotKeyStatusChanged);
    hotKeys.start();

    connect(&NotificationCenter::shared(), &NotificationCenter::posted, this, [](const QString &name) {
        if (name == QLatin1String(Preferences::hotKeyChangedNotification))
            HotKeyManager::shared().registerHotKey();
    });

    // Last, and on a thread of its own: the tray and the panel are ready before it starts.
    connect(&services_.preferences, &Preferences::readInstalledAppsChanged, this, &AppDelegate::readInstalledAppsChanged);
    readInstalledAppsChanged();
}

void AppDelegate::readInstalledAppsChanged()
{
    if (!services_.preferences.readInstalledApps()) {
        if (discovery_)
            discovery_->stop();
        store_.removeDiscovered();
        if (viewModel_)
            viewModel_->catalogueChanged();
        return;
    }
    if (!discovery_) {
        discovery_ = std::make_unique<DiscoveryRunner>(DiscoveryCache::defaultFile());
        connect(discovery_.get(), &DiscoveryRunner::finished, this, &AppDelegate::discoveryFinished);
    }
    discovery_->start(store_.shippedIdentifiers());
}

void AppDelegate::discoveryFinished(const ShortcutDiscovery::Outcome &outcome, qint64 milliseconds)
{
    for (const QString &line : outcome.log)
        SystemLog::shared().write(line);
    if (!services_.preferences.readInstalledApps())
        return;
    store_.removeDiscovered();
    const qsizetype added = store_.addDiscovered(outcome.apps);
    SystemLog::shared().write(QStringLiteral("Corvane: read the shortcuts of %1 installed applications in %2 ms "
                                             "(%3 programs read, %4 answered by the cache)")
                                  .arg(added)
                                  .arg(milliseconds)
                                  .arg(outcome.programsRead)
                                  .arg(outcome.fromCache));
    if (viewModel_)
        viewModel_->catalogueChanged();
}

void AppDelegate::hotKeyStatusChanged()
{
    const HotKeyManager::Status status = HotKeyManager::shared().status();
    if (status == HotKeyManager::Status::InUse || status == HotKeyManager::Status::Refused)
        Q_EMIT hotKeyRefused(services_.preferences.hotKeyText());
}
