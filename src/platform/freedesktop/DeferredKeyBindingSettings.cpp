#include "platform/freedesktop/DeferredKeyBindingSettings.h"

#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

#include <QDir>
#include <QFileInfo>

DeferredKeyBindingSettings::DeferredKeyBindingSettings(GioModule &module, QProcessEnvironment env)
    : module_(module), database_(dconfUserDatabase(env))
{
}

DeferredKeyBindingSettings::~DeferredKeyBindingSettings() = default;

QString DeferredKeyBindingSettings::dconfUserDatabase(const QProcessEnvironment &env)
{
    const QString backend = env.value(QStringLiteral("GSETTINGS_BACKEND"));
    if (!backend.isEmpty() && backend != QLatin1String("dconf"))
        return {};
    // A profile of the administrator's (or another one chosen) may name other databases.
    if (env.contains(QStringLiteral("DCONF_PROFILE")) || QFileInfo::exists(QStringLiteral("/etc/dconf/profile/user")))
        return {};
    QString config = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(config)) {
        const QString home = env.value(QStringLiteral("HOME"));
        if (home.isEmpty())
            return {};
        config = home + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/dconf/user");
}

bool DeferredKeyBindingSettings::nothingSet() const
{
    return !made_ && !database_.isEmpty() && !QFileInfo::exists(database_);
}

KeyBindingSettings *DeferredKeyBindingSettings::settings()
{
    if (!made_) {
        made_ = true;
        if (GioServices *services = module_.services())
            settings_ = services->keyBindingSettings();
        if (settings_ && changed_)
            settings_->setChangeHandler(changed_);
    }
    return settings_.get();
}

QList<AppBindings> DeferredKeyBindingSettings::read()
{
    if (nothingSet())
        return {};
    KeyBindingSettings *real = settings();
    return real ? real->read() : QList<AppBindings>();
}

void DeferredKeyBindingSettings::setChangeHandler(std::function<void()> changed)
{
    changed_ = std::move(changed);
    if (nothingSet())
        return;  // passed on once the settings are made
    if (KeyBindingSettings *real = settings())
        real->setChangeHandler(changed_);
}

QStringList DeferredKeyBindingSettings::watchedPaths() const
{
    return nothingSet() ? QStringList{database_} : QStringList();
}
