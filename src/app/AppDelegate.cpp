#include "app/AppDelegate.h"

#include "app/DiscoveryRunner.h"
#include "app/LaunchTiming.h"
#include "catalogue/BindingConflicts.h"
#include "catalogue/DiscoveryCache.h"
#include "catalogue/LocalTitles.h"
#include "catalogue/bindings/BindingsApplier.h"
#include "catalogue/bindings/UserBindings.h"
#include "platform/DesktopSession.h"
#include "platform/freedesktop/GettextCatalogues.h"
#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

#include "catalogue/ui/IconLoader.h"
#include "panel/ActiveAppMonitor.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/PanelController.h"
#include "platform/NotificationCenter.h"
#include "platform/WindowSystem.h"
#include "settings/HotKeyManager.h"
#include "services/SystemLog.h"
#include "settings/Preferences.h"

#include <QPointer>
#include <QProcessEnvironment>
#include <QTimer>

AppDelegate::AppDelegate(Services services, std::optional<QString> shortcutData, QString platform,
                         QStringList arguments, QObject *parent)
    : QObject(parent),
      services_(services),
      arguments_(std::move(arguments)),
      store_(std::move(shortcutData), std::move(platform)),
      favorites_(services.defaults)
{
    // Titles in the user's language where an application's own message catalogue has our English
    // title word for word.
    const QString locale = GettextCatalogues::userLocale();
    if (locale != QLatin1String("C")) {
        store_.setAdjust([locale, installed = std::optional<QList<InstalledProgram>>()](AppShortcuts &app) mutable {
            if (!installed) {
                GioServices *gio = GioModule::shared().services();
                installed = gio ? gio->installedPrograms() : QList<InstalledProgram>();
            }
            if (auto catalogues = GettextCatalogues::forApplication(locale, ShortcutStore::identifiers(app), *installed))
                LocalTitles::translate(app, [&](const QString &text) { return catalogues->translate({}, {}, text); });
        });
    }
    loading_ = std::async(std::launch::async, [this] { store_.load(); });
}

AppDelegate::~AppDelegate()
{
    if (loading_.valid())
        loading_.wait();
}

void AppDelegate::applicationDidFinishLaunching()
{
    if (loading_.valid())
        loading_.get();
    services_.icons.setCatalogue(&store_);  // icons looked up under every alias too
    shipped_ = store_.apps();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    userBindings_ = std::make_unique<UserBindings>(env, services_.keyBindingSettings);
    viewModel_ = std::make_unique<PanelViewModel>(store_, favorites_, services_.workspace, services_.preferences);
    // The desktop's own section: listed first when no application is in front, and what the hot key
    // is checked against.
    const std::optional<QString> desktop = DesktopSession::bundleId(env.value(QStringLiteral("XDG_CURRENT_DESKTOP")));
    viewModel_->setDesktopBundleId(desktop);
    connect(userBindings_.get(), &UserBindings::changed, this, &AppDelegate::userBindingsChanged);
    // The user's own key bindings change the shipped catalogue, from the first turn of the event loop
    // after these steps on (the settings database and other programs' files are not needed for the
    // tray), and whenever they change.
    QTimer::singleShot(0, this, &AppDelegate::readUserBindings);
    panelController_ = std::make_unique<PanelController>(
        *viewModel_, services_.preferences, services_.icons, [] { return ActiveAppMonitor::shared().lastApp(); },
        services_.windowSystem, arguments_);
    ActiveAppMonitor::shared().start(services_.activations);
    // Another window taking the activation from the panel hides it, also where the toolkit let the
    // focus change pass unseen (a click into another window on X11 at times).
    connect(&ActiveAppMonitor::shared(), &ActiveAppMonitor::leftThisProgram, this, [this] {
        if (panelController_ && panelController_->isVisible() && !panelController_->stayVisible())
            panelController_->hide();
    });

    HotKeyManager &hotKeys = HotKeyManager::shared();
    QPointer<AppDelegate> self(this);
    hotKeys.setOnTrigger([self](const ActivationRequest &press) {
        // The press's time (X11) or the token a desktop shortcut service sent with it gives the
        // panel the keyboard.
        if (self && self->panelController_)
            self->panelController_->toggle(press);
    });
    hotKeys.setConflictCheck([this, desktop](quint32 keyCode, quint32 modifiers) {
        if (!desktop)
            return QString();
        const auto conflict = BindingConflicts::find(store_, *desktop, HotKeyManager::chord(keyCode, modifiers));
        return conflict ? QStringLiteral("%1's '%2'").arg(conflict->appName, conflict->title) : QString();
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
        if (store_.removeDiscovered() && viewModel_)
            viewModel_->catalogueChanged();
        return;
    }
    if (!discovery_) {
        discovery_ = std::make_unique<DiscoveryRunner>(GettextCatalogues::userLocale());
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

void AppDelegate::readUserBindings()
{
    userBindings_->reload();
    userBindingsChanged();
    userBindings_->startWatching();
    LaunchTiming::report(QStringLiteral("key bindings read"));
}

void AppDelegate::userBindingsChanged()
{
    if (!applyUserBindings())
        return;
    if (viewModel_)
        viewModel_->catalogueChanged();
    // The user may have freed the key the desktop held, or given ours to something else.
    HotKeyManager::shared().desktopBindingsChanged();
}

bool AppDelegate::applyUserBindings()
{
    const bool any = !userBindings_->current().isEmpty();
    if (!any && !customised_)
        return false;  // the store already holds the shipped catalogue
    // The applications read from installed programs stay as they are.
    store_.replaceShipped(BindingsApplier::apply(shipped_, userBindings_->current(), store_.platform()));
    customised_ = any;
    return true;
}

void AppDelegate::hotKeyStatusChanged()
{
    const HotKeyManager::Status status = HotKeyManager::shared().status();
    if (status == HotKeyManager::Status::InUse || status == HotKeyManager::Status::Refused)
        Q_EMIT hotKeyRefused(services_.preferences.hotKeyText());
}
