#include "app/AppDelegate.h"

#include "catalogue/ui/IconLoader.h"
#include "panel/ActiveAppMonitor.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/PanelController.h"
#include "platform/NotificationCenter.h"
#include "platform/WindowSystem.h"
#include "settings/HotKeyManager.h"
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
        if (!self || !self->panelController_)
            return;
        // A desktop shortcut service may send an activation token with the press: the panel takes
        // the keyboard with it. It serves this press only, also when the press hides the panel.
        WindowSystem *windowSystem = self->services_.windowSystem;
        if (windowSystem)
            windowSystem->setActivationToken(HotKeyManager::shared().activationToken());
        self->panelController_->toggle();
        if (windowSystem)
            windowSystem->setActivationToken(QString());
    });
    connect(&hotKeys, &HotKeyManager::statusChanged, this, &AppDelegate::hotKeyStatusChanged);
    hotKeys.start();

    connect(&NotificationCenter::shared(), &NotificationCenter::posted, this, [](const QString &name) {
        if (name == QLatin1String(Preferences::hotKeyChangedNotification))
            HotKeyManager::shared().registerHotKey();
    });
}

void AppDelegate::hotKeyStatusChanged()
{
    const HotKeyManager::Status status = HotKeyManager::shared().status();
    if (status == HotKeyManager::Status::InUse || status == HotKeyManager::Status::Refused)
        Q_EMIT hotKeyRefused(services_.preferences.hotKeyText());
}
