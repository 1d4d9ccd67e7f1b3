#include "platform/ToplevelIdentity.h"

#include "platform/AppDirectory.h"
#include "platform/PlatformProfile.h"
#include "platform/SystemdScope.h"

#include <QCoreApplication>

namespace {

QString withoutDesktopSuffix(const QString &id)
{
    return id.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive) ? id.chopped(8) : id;
}

void appendNew(QStringList &ids, const QString &id)
{
    const QString trimmed = id.trimmed();
    if (!trimmed.isEmpty() && !ids.contains(trimmed, Qt::CaseInsensitive))
        ids.append(trimmed);
}

} // namespace

ToplevelIdentity::ToplevelIdentity(AppDirectory *directory, ScopeReader scopes, qint64 ownPid)
    : directory_(directory),
      scopes_(scopes ? std::move(scopes) : ScopeReader(&SystemdScope::appIdsOfPid)),
      ownPid_(ownPid >= 0 ? ownPid : QCoreApplication::applicationPid())
{
}

bool ToplevelIdentity::isThisProgram(const ToplevelFacts &facts, const QStringList &ids) const
{
    if (facts.pid > 0 && facts.pid == ownPid_)
        return true;
    const QString ownId = QString::fromLatin1(PlatformProfile::applicationId);
    const QLatin1String ownClass("corvane");
    return ids.contains(ownId, Qt::CaseInsensitive) || facts.resourceClass.compare(ownClass, Qt::CaseInsensitive) == 0
        || facts.appId.compare(ownClass, Qt::CaseInsensitive) == 0;
}

std::optional<RunningApp> ToplevelIdentity::installed(const QString &id, qint64 pid) const
{
    if (!directory_)
        return std::nullopt;
    const std::optional<DesktopEntry> entry = directory_->find(id);
    if (!entry)
        return std::nullopt;
    RunningApp app;
    app.bundleIdentifier = entry->id;
    app.localizedName = entry->name;
    app.iconName = entry->icon;
    app.pid = pid;
    return app;
}

std::optional<RunningApp> ToplevelIdentity::appOf(const ToplevelFacts &facts) const
{
    QStringList declared;  // what the window itself says
    for (const QString &id : {withoutDesktopSuffix(facts.desktopFileName), withoutDesktopSuffix(facts.appId),
                              facts.resourceClass, facts.resourceName})
        appendNew(declared, id);
    QStringList fromScope;
    if (facts.pid > 0) {
        for (const QString &id : scopes_(facts.pid))
            appendNew(fromScope, id);
    }
    if (declared.isEmpty() && fromScope.isEmpty() && facts.pid <= 0)
        return std::nullopt;

    if (isThisProgram(facts, declared + fromScope)) {
        RunningApp own;
        own.bundleIdentifier = QString::fromLatin1(PlatformProfile::applicationId);
        own.localizedName = QCoreApplication::applicationName();
        own.pid = facts.pid;
        return own;
    }

    std::optional<RunningApp> windowSays;
    for (const QString &id : declared) {
        if ((windowSays = installed(id, facts.pid)))
            break;
    }
    for (const QString &id : fromScope) {
        std::optional<RunningApp> unitSays = installed(id, facts.pid);
        if (unitSays && (!windowSays || windowSays->bundleIdentifier == unitSays->bundleIdentifier))
            return unitSays;
    }
    if (windowSays)
        return windowSays;

    RunningApp app;
    app.pid = facts.pid;
    const QStringList all = fromScope + declared;
    if (!all.isEmpty())
        app.bundleIdentifier = all.first();
    app.localizedName = !facts.resourceClass.isEmpty() ? facts.resourceClass : app.bundleIdentifier.value_or(QString());
    return app;
}
