#include "catalogue/ShortcutStore.h"

#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/KeyGroupsCache.h"
#include "services/BoundedFileReader.h"
#include "services/DirectoryListing.h"
#include "services/SystemLog.h"

#include <QCollator>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

ShortcutStore::ShortcutStore(std::optional<QString> folder, QString platform)
    : folder_(std::move(folder)), platform_(std::move(platform))
{
}

QStringList ShortcutStore::dataFiles(const QString &folder)
{
    QStringList files;
    // Listing order, one level, hidden entries included; an unlistable folder lists nothing.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && QStringView(name).mid(dot + 1) == QLatin1String("json"))
            files.append(path);
    }
    return files;
}

void ShortcutStore::load()
{
    if (!folder_ || !QFileInfo::exists(*folder_)) {
        SystemLog::shared().write(QStringLiteral("Corvane: ShortcutData folder not found in bundle"));
        return;
    }
    const QStringList files = dataFiles(*folder_);
    QList<AppShortcuts> decoded;
    decoded.reserve(files.size());
    AppShortcutsDecoder decoder;
    for (const QString &path : files) {
        auto result = decoder.decodeFile(path);
        if (!result.app) {
            const QString name = lastPathComponent(path);
            failedFiles_.append(name);
            SystemLog::shared().write(QStringLiteral("Corvane: failed to decode ") + SystemLog::escaped(name));
            continue;
        }
        decoded.append(std::move(*result.app));
    }
    // Names that are not valid UTF-8 are missing from the listing above; only the extension of a name
    // matters, so read them by their bytes.
    for (const QByteArray &raw : DirectoryListing::undecodableNames(*folder_)) {
        const qsizetype dot = raw.lastIndexOf('.');
        if (dot < 0 || raw.mid(dot + 1) != "json")
            continue;
        const auto file = BoundedFileReader::readNative(QFile::encodeName(*folder_) + '/' + raw,
                                                        AppShortcutsDecoder::maxFileSize);
        auto result = file.outcome == BoundedFileReader::Outcome::Read ? decoder.decode(file.bytes)
                                                                       : AppShortcutsDecoder::Result();
        if (!result.app) {
            const QString name = DirectoryListing::displayName(raw);
            failedFiles_.append(name);
            SystemLog::shared().write(QStringLiteral("Corvane: failed to decode ") + name);
            continue;
        }
        decoded.append(std::move(*result.app));
    }
    if (adjust_) {
        for (AppShortcuts &app : decoded)
            adjust_(app);
    }
    load(std::move(decoded));
}

void ShortcutStore::load(QList<AppShortcuts> decoded)
{
    apps_ = std::move(decoded);
    rebuildIndex();
}

qsizetype ShortcutStore::addDiscovered(const QList<AppShortcuts> &discovered)
{
    QSet<QString> slugs;
    for (const AppShortcuts &app : std::as_const(apps_))
        slugs.insert(app.slug);
    qsizetype added = 0;
    for (const AppShortcuts &app : discovered) {
        if (app.slug.isEmpty() || slugs.contains(app.slug) || (app.bundleId && bundleIndex_.contains(app.bundleId->toLower())))
            continue;
        slugs.insert(app.slug);
        AppShortcuts copy = app;
        copy.discovered = true;
        apps_.append(std::move(copy));
        ++added;
    }
    if (added > 0)
        rebuildIndex();
    return added;
}

QSet<QString> ShortcutStore::shippedIdentifiers() const
{
    QSet<QString> ids;
    for (const AppShortcuts &app : apps_) {
        if (app.discovered)
            continue;
        if (app.bundleId)
            ids.insert(app.bundleId->toLower());
        if (app.aliases) {
            for (const QString &alias : *app.aliases)
                ids.insert(alias.toLower());
        }
    }
    return ids;
}

bool ShortcutStore::removeDiscovered()
{
    if (apps_.removeIf([](const AppShortcuts &app) { return app.discovered; }) == 0)
        return false;
    rebuildIndex();
    return true;
}

void ShortcutStore::replaceShipped(QList<AppShortcuts> shipped)
{
    QList<AppShortcuts> discovered;
    for (const AppShortcuts &app : std::as_const(apps_)) {
        if (app.discovered)
            discovered.append(app);
    }
    load(std::move(shipped));
    addDiscovered(discovered);
}

QString ShortcutStore::lastPathComponent(const QString &path)
{
    QStringView view(path);
    while (view.size() > 1 && view.endsWith(QLatin1Char('/')))
        view.chop(1);
    const qsizetype slash = view.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || view.size() == 1)
        return view.toString();
    return view.mid(slash + 1).toString();
}

QList<Keymap> ShortcutStore::keymapsFor(const AppShortcuts &app, const QString &platform)
{
    QList<Keymap> chosen;
    for (const Keymap &keymap : app.keymaps) {
        if (!keymap.platforms || keymap.platforms->contains(platform))
            chosen.append(keymap);
    }
    return chosen.isEmpty() ? app.keymaps : chosen;
}

QList<ShortcutEntry> ShortcutStore::makeEntries(const AppShortcuts &app, const QString &platform)
{
    return makeEntries(app, platform, std::make_shared<KeyGroupsCache>());
}

QList<ShortcutEntry> ShortcutStore::makeEntries(const AppShortcuts &app, const QString &platform,
                                                const std::shared_ptr<KeyGroupsCache> &keyGroups)
{
    auto info = std::make_shared<ShortcutEntry::AppInfo>();
    info->slug = app.slug;
    info->name = app.name;
    info->bundleId = app.bundleId;
    if (app.icon)
        info->iconFile = lastPathComponent(*app.icon);
    return ShortcutEntry::makeAll(std::move(info), keymapsFor(app, platform), keyGroups);
}

void ShortcutStore::rebuildIndex()
{
    entriesByApp_.clear();
    bundleIndex_.clear();
    // Equal key texts are parsed once.
    const auto keyGroups = std::make_shared<KeyGroupsCache>();
    for (const AppShortcuts &app : apps_) {
        QList<ShortcutEntry> entries = makeEntries(app, platform_, keyGroups);
        if (entries.isEmpty())
            continue;
        entriesByApp_.insert(app.slug, std::move(entries));
        // A shipped file's identifiers are never taken over by a discovered application.
        auto index = [this, &app](const QString &id) {
            const QString key = id.toLower();
            if (!app.discovered || !bundleIndex_.contains(key))
                bundleIndex_.insert(key, app.slug);
        };
        if (app.bundleId)
            index(*app.bundleId);
        if (app.aliases) {
            for (const QString &alias : *app.aliases)
                index(alias);
        }
    }

    orderedApps_.clear();
    orderedApps_.reserve(apps_.size());
    for (const AppShortcuts &app : apps_) {
        if (entriesByApp_.contains(app.slug))
            orderedApps_.append(app);
    }
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(orderedApps_.begin(), orderedApps_.end(),
                     [&collator](const AppShortcuts &a, const AppShortcuts &b) {
                         // The shipped applications first, then those read from the programs.
                         if (a.discovered != b.discovered)
                             return b.discovered;
                         return collator.compare(a.name, b.name) < 0;
                     });
    orderedEntries_.clear();
    orderedEntries_.reserve(size_t(orderedApps_.size()));
    orderedIndex_.clear();
    orderedIndex_.reserve(orderedApps_.size());
    for (const AppShortcuts &app : std::as_const(orderedApps_)) {
        const QList<ShortcutEntry> &entries = *entriesByApp_.constFind(app.slug);
        // The first of two applications with one slug keeps it.
        auto at = orderedIndex_.constFind(app.slug);
        if (at == orderedIndex_.cend())
            at = orderedIndex_.insert(app.slug, qsizetype(orderedEntries_.size()));
        const qsizetype first = *at;
        // makeEntries lays the search texts out back to back.
        const SearchTexts *texts = &entries.constFirst().searchTexts();
        orderedEntries_.push_back(
            OrderedEntries{entries, texts, entries.constFirst().iconFile(), AsciiCharSet(texts->name), first});
    }
}

const SearchTexts *ShortcutStore::searchTexts(const QString &slug) const
{
    const qsizetype at = orderedIndex(slug);
    return at < 0 ? nullptr : orderedEntries_.at(size_t(at)).texts;
}

QStringList ShortcutStore::identifiers(const AppShortcuts &app)
{
    QStringList ids;
    if (app.bundleId && !app.bundleId->isEmpty())
        ids.append(*app.bundleId);
    if (app.aliases) {
        for (const QString &alias : *app.aliases) {
            if (!alias.isEmpty() && !ids.contains(alias, Qt::CaseInsensitive))
                ids.append(alias);
        }
    }
    return ids;
}

std::optional<AppShortcuts> ShortcutStore::appForBundleId(const std::optional<QString> &bundleId) const
{
    if (!bundleId)
        return std::nullopt;
    const auto slug = bundleIndex_.constFind(bundleId->toLower());
    if (slug == bundleIndex_.constEnd())
        return std::nullopt;
    for (const AppShortcuts &app : apps_) {
        if (app.slug == *slug)
            return app;
    }
    return std::nullopt;
}
