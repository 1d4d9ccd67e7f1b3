#include "catalogue/ShortcutDiscovery.h"

#include "catalogue/DiscoveryCache.h"
#include "catalogue/ShortcutsWindowImport.h"
#include "catalogue/ShortcutsWindowReader.h"
#include "platform/PlatformProfile.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

ShortcutDiscovery::ShortcutDiscovery(ProgramResources &resources, QString cacheFile)
    : resources_(resources), cacheFile_(std::move(cacheFile))
{
}

QString ShortcutDiscovery::slugFor(const QString &desktopId)
{
    QString slug;
    slug.reserve(desktopId.size());
    for (QChar c : desktopId.toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            slug += c;
        else if (!slug.endsWith(QLatin1Char('-')) && !slug.isEmpty())
            slug += QLatin1Char('-');
    }
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return slug;
}

ShortcutDiscovery::Outcome ShortcutDiscovery::discover(const QList<InstalledProgram> &programs,
                                                       const QSet<QString> &shippedIds)
{
    Outcome outcome;
    DiscoveryCache cache(cacheFile_);
    if (!cache.load())
        outcome.log << QStringLiteral("Corvane: ignored the unreadable cache %1").arg(cache.file());

    // One application per program file, however many entries run it: the first shown in menus, else
    // the first.
    QHash<QString, QString> entryOfProgram;
    for (const InstalledProgram &program : programs) {
        const auto chosen = entryOfProgram.constFind(program.executable);
        if (chosen == entryOfProgram.constEnd())
            entryOfProgram.insert(program.executable, program.entry.id);
        else if (program.entry.shown && !std::any_of(programs.cbegin(), programs.cend(), [&](const InstalledProgram &p) {
                     return p.entry.id == *chosen && p.entry.shown;
                 }))
            entryOfProgram.insert(program.executable, program.entry.id);
    }
    QSet<QString> ids;
    bool cancelled = false;
    for (const InstalledProgram &program : programs) {
        if (cancel_ && cancel_->load()) {
            cancelled = true;
            break;
        }
        const DesktopEntry &entry = program.entry;
        if (program.executable.isEmpty() || entry.id.isEmpty()
            || entry.id.compare(QLatin1String(PlatformProfile::applicationId), Qt::CaseInsensitive) == 0)
            continue;
        if (entryOfProgram.value(program.executable) != entry.id)
            continue;
        const QString programName = QFileInfo(program.executable).fileName().toLower();
        if (shippedIds.contains(entry.id.toLower())
            || (!entry.startupWmClass.isEmpty() && shippedIds.contains(entry.startupWmClass.toLower()))
            || shippedIds.contains(programName))
            continue;
        const auto stamp = DiscoveryCache::stampOf(program.executable);
        if (!stamp)
            continue;
        ids.insert(entry.id);

        DiscoveryCache::Record record;
        const auto cached = cache.find(entry.id);
        if (cached && cached->stamp == *stamp) {
            record = *cached;
            ++outcome.fromCache;
        } else {
            ++outcome.programsRead;
            QStringList domains;
            if (!entry.gettextDomain.isEmpty())
                domains << entry.gettextDomain;
            domains << QFileInfo(program.executable).fileName();
            const ShortcutsWindowImport::Result imported = importer_
                ? importer_(program.executable, domains)
                : ShortcutsWindowImport::fromFile(resources_, program.executable);
            record.stamp = *stamp;
            if (!imported.error.isEmpty())
                outcome.log << QStringLiteral("Corvane: no shortcuts read from %1 (%2): %3")
                                   .arg(entry.id, program.executable, imported.error);
            if (imported.found()) {
                record.sections = imported.sections;
                record.source = imported.resourcePath == imported.container
                    ? imported.container
                    : imported.resourcePath + QStringLiteral(" in ") + imported.container;
            }
            cache.store(entry.id, record);
        }
        if (record.sections.isEmpty())
            continue;
        AppShortcuts app = ShortcutsWindowReader::makeApp(slugFor(entry.id), entry.name.isEmpty() ? entry.id : entry.name,
                                                          entry.id, record.source, record.sections);
        app.discovered = true;
        outcome.apps.append(std::move(app));
    }
    if (!cancelled)
        cache.retain(ids);
    if (!cache.save())
        outcome.log << QStringLiteral("Corvane: could not write the cache %1").arg(cache.file());
    return outcome;
}
