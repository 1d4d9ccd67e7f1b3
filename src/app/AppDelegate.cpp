#include "app/AppDelegate.h"

#include "catalogue/bindings/BindingsApplier.h"
#include "catalogue/bindings/UserBindings.h"
#include "platform/DesktopSession.h"

#include "panel/ActiveAppMonitor.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/PanelController.h"
#include "platform/NotificationCenter.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QPointer>
#include <QProcessEnvironment>

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
    // The user's own key bindings change the shipped catalogue, now and whenever they change.
    shipped_ = store_.apps();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    userBindings_ = std::make_unique<UserBindings>(env, services_.keyBindingSettings);
    userBindings_->reload();
    applyUserBindings();
    viewModel_ = std::make_unique<PanelViewModel>(store_, favorites_, services_.workspace, services_.preferences);
    viewModel_->setDesktopBundleId(DesktopSession::bundleId(env.value(QStringLiteral("XDG_CURRENT_DESKTOP"))));
    connect(userBindings_.get(), &UserBindings::changed, this, [this] {
        applyUserBindings();
        viewModel_->catalogueChanged();
    });
    userBindings_->startWatching();
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
}

void AppDelegate::applyUserBindings()
{
    const bool any = !userBindings_->current().isEmpty();
    if (!any && !customised_)
        return;  // the store already holds the shipped catalogue
    store_.load(BindingsApplier::apply(shipped_, userBindings_->current(), store_.platform()));
    customised_ = any;
}

void AppDelegate::hotKeyStatusChanged()
{
    if (HotKeyManager::shared().status() == HotKeyManager::Status::InUse)
        Q_EMIT hotKeyRefused(services_.preferences.hotKeyDisplay());
}
