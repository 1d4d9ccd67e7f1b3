#include "ImportCommand.h"

#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/ShortcutDiscovery.h"
#include "catalogue/DiscoveryCache.h"
#include "catalogue/ShortcutStore.h"
#include "catalogue/ImportWorkerReply.h"
#include "catalogue/ShortcutsWindowImport.h"
#include "catalogue/ShortcutsWindowReader.h"
#include "keys/GtkAccelerator.h"
#include "platform/ProgramResources.h"
#include "platform/freedesktop/GResourceReader.h"
#include "platform/freedesktop/GettextCatalogues.h"
#include "platform/freedesktop/GSettingsSchemaDefaults.h"
#include "platform/freedesktop/InstalledPrograms.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <QSet>

namespace {

// Keys a GSettings value may name without a modifier and still be a keybinding rather than a word.
bool isBindingWithoutModifier(const QString &accelerator, const QString &key)
{
    static const QSet<QString> keys{QStringLiteral("print"), QStringLiteral("pause"), QStringLiteral("menu"),
                                    QStringLiteral("insert"), QStringLiteral("esc"), QStringLiteral("volumeup"),
                                    QStringLiteral("volumedown"), QStringLiteral("mute"), QStringLiteral("play"),
                                    QStringLiteral("next"), QStringLiteral("previous"), QStringLiteral("brightnessup"),
                                    QStringLiteral("brightnessdown")};
    if (accelerator.startsWith(QLatin1String("XF86"), Qt::CaseInsensitive) || keys.contains(key))
        return true;
    return key.size() >= 2 && key.at(0) == QLatin1Char('f') && key.mid(1).toInt() > 0;
}

// Appends `rows` to `section`, leaving out a row whose title and key it already has.
void appendUnique(ShortcutSection &section, const QList<RawShortcut> &rows)
{
    for (const RawShortcut &row : rows) {
        const bool known = std::any_of(section.shortcuts.cbegin(), section.shortcuts.cend(), [&](const RawShortcut &r) {
            return r.titleView() == row.titleView() && r.hasKey() == row.hasKey() && r.keyView() == row.keyView();
        });
        if (!known)
            section.shortcuts << row;
    }
}

// A program file read with its titles in `locale`, through the program's own message catalogues
// (`domains`, then the program's file name, when its builder file names none); as written for "C".
ShortcutsWindowImport::Result importIn(ProgramResources &resources, const QString &path, const QString &locale,
                                       QStringList domains)
{
    if (!GettextCatalogues::useLocale(locale))
        return ShortcutsWindowImport::fromFile(resources, path);
    domains << QFileInfo(path).fileName();
    domains.removeDuplicates();
    auto catalogues = std::make_shared<GettextCatalogues>(locale, path, domains);
    return ShortcutsWindowImport::fromFile(resources, path,
                                           [catalogues](const QString &domain, const QString &context, const QString &text) {
                                               return catalogues->translate(domain, context, text);
                                           });
}

} // namespace

int ImportCommand::usageError(const QString &message)
{
    err_ << "corvane-data: " << message << "\n"
         << "Usage: corvane-data import PATH... [--slug S] [--name N] [--bundle-id ID] [--locale L]\n"
         << "       corvane-data import --from-schema SCHEMA [--slug S] [--name N] [--bundle-id ID]\n"
         << "       corvane-data import --worker [--locale L] [--domain D]... PATH\n"
         << "           (used by Corvane: one program, its result as JSON)\n"
         << "--locale L reads the program's titles in language L (\"de_DE\", \"C\") through its own message\n"
         << "catalogue; by default in the language of the environment.\n";
    return 2;
}

int ImportCommand::run(const QStringList &args)
{
    QStringList paths;
    QString slug, name, bundleId, schema;
    QString locale = GettextCatalogues::userLocale();
    QStringList domains;
    const bool worker = !args.isEmpty() && args[0] == QLatin1String("--worker");
    for (int i = worker ? 1 : 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool takesValue = arg == QLatin1String("--slug") || arg == QLatin1String("--name")
            || arg == QLatin1String("--bundle-id") || arg == QLatin1String("--from-schema")
            || arg == QLatin1String("--locale") || arg == QLatin1String("--domain");
        if (takesValue && (i + 1 >= args.size() || args[i + 1].isEmpty()))
            return usageError(QStringLiteral("%1 needs a value").arg(arg));
        if (worker && !takesValue && arg.startsWith(QLatin1String("--")))
            return usageError(QStringLiteral("unknown option \"%1\"").arg(arg));
        if (arg == QLatin1String("--locale"))
            locale = args[++i];
        else if (arg == QLatin1String("--domain"))
            domains << args[++i];
        else if (arg == QLatin1String("--slug"))
            slug = args[++i];
        else if (arg == QLatin1String("--name"))
            name = args[++i];
        else if (arg == QLatin1String("--bundle-id"))
            bundleId = args[++i];
        else if (arg == QLatin1String("--from-schema"))
            schema = args[++i];
        else if (arg.startsWith(QLatin1String("--")))
            return usageError(QStringLiteral("unknown option \"%1\"").arg(arg));
        else
            paths << arg;
    }
    // Discovery's worker: one program file, the result as a reply on standard output. Whatever
    // crashes here crashes this process only.
    if (worker) {
        if (paths.size() != 1)
            return usageError(QStringLiteral("--worker takes one PATH"));
        GResourceReader resources;
        out_ << QString::fromUtf8(ImportWorkerReply::encode(importIn(resources, paths.first(), locale, domains)));
        out_.flush();
        return 0;
    }
    if (!schema.isEmpty()) {
        if (!paths.isEmpty())
            return usageError(QStringLiteral("--from-schema takes no PATH"));
        return fromSchema(schema, slug, name, bundleId);
    }
    if (paths.isEmpty())
        return usageError(QStringLiteral("import needs at least one PATH"));

    GResourceReader resources;
    QList<ShortcutSection> sections;
    QStringList sources;
    QString firstName;
    QString firstId;
    bool failed = false;
    for (const QString &path : paths) {
        QString file = path;
        QStringList fileDomains;
        if (!QFileInfo::exists(path)) {
            // A desktop file id: the program its entry runs.
            const auto program = InstalledPrograms::find(path);
            if (!program || program->executable.isEmpty()) {
                err_ << "corvane-data: " << path << ": no such file, and no installed application with that id\n";
                failed = true;
                continue;
            }
            file = program->executable;
            if (!program->entry.gettextDomain.isEmpty())
                fileDomains << program->entry.gettextDomain;
            if (firstId.isEmpty()) {
                firstId = program->entry.id;
                firstName = program->entry.name;
            }
        }
        const ShortcutsWindowImport::Result imported = importIn(resources, file, locale, fileDomains);
        for (const QString &warning : imported.warnings)
            err_ << "corvane-data: " << file << ": " << warning << "\n";
        if (!imported.error.isEmpty()) {
            err_ << "corvane-data: " << file << ": " << imported.error << "\n";
            failed = true;
            continue;
        }
        if (!imported.found()) {
            err_ << "corvane-data: " << file << ": no shortcuts window found\n";
            continue;
        }
        sources << (imported.resourcePath == imported.container
                        ? imported.container
                        : imported.resourcePath + QStringLiteral(" in ") + imported.container);
        for (const ShortcutSection &section : imported.sections) {
            auto same = std::find_if(sections.begin(), sections.end(),
                                     [&](const ShortcutSection &s) { return s.title == section.title; });
            if (same == sections.end())
                sections << section;
            else
                appendUnique(*same, section.shortcuts);
        }
    }
    if (sections.isEmpty())
        return 1;
    if (firstId.isEmpty())
        firstId = QFileInfo(paths.first()).completeBaseName();
    const QString finalSlug = slug.isEmpty() ? ShortcutDiscovery::slugFor(firstId) : slug;
    const QString finalName = !name.isEmpty() ? name : !firstName.isEmpty() ? firstName : firstId;
    const std::optional<QString> finalId = !bundleId.isEmpty() ? std::optional<QString>(bundleId)
        : !firstName.isEmpty()                                 ? std::optional<QString>(firstId)
                                                               : std::nullopt;
    out_ << QString::fromUtf8(AppShortcutsEncoder::encode(
        ShortcutsWindowReader::makeApp(finalSlug, finalName, finalId, sources.join(QStringLiteral(", ")), sections)));
    return failed ? 1 : 0;
}

int ImportCommand::fromSchema(const QString &schema, const QString &slug, const QString &name, const QString &bundleId)
{
    const GSettingsSchemaDefaults::Result read = GSettingsSchemaDefaults::read(schema);
    if (!read.found) {
        err_ << "corvane-data: no installed GSettings schema \"" << schema << "\"\n";
        return 1;
    }
    ShortcutSection section{QStringLiteral("Shortcuts"), {}};
    for (const GSettingsSchemaDefaults::Key &key : read.keys) {
        QList<RawShortcut> rows;
        bool binding = false;
        bool malformed = false;
        for (const QString &accelerator : key.accelerators) {
            const auto chord = GtkAccelerator::convertChord(accelerator);
            if (!chord) {
                malformed = true;
                break;
            }
            binding = binding || accelerator.contains(QLatin1Char('<')) || isBindingWithoutModifier(accelerator, *chord);
            const QString title = key.summary.isEmpty() ? key.name : key.summary.simplified();
            rows << RawShortcut{title, *chord, std::nullopt};
        }
        // Values that are not accelerators (a font name, a list of words) make the key no keybinding.
        if (malformed || !binding)
            continue;
        appendUnique(section, rows);
    }
    if (section.shortcuts.isEmpty()) {
        err_ << "corvane-data: schema \"" << schema << "\" has no keybinding keys with a default\n";
        return 1;
    }
    out_ << QString::fromUtf8(AppShortcutsEncoder::encode(ShortcutsWindowReader::makeApp(
        slug.isEmpty() ? ShortcutDiscovery::slugFor(schema) : slug, name.isEmpty() ? schema : name,
        bundleId.isEmpty() ? std::nullopt : std::optional<QString>(bundleId),
        QStringLiteral("GSettings schema ") + schema, {section})));
    return 0;
}

QStringList ImportCommand::discoverInto(ShortcutStore &store, QTextStream &err)
{
    GResourceReader resources;
    // Titles in the user's language, kept in that language's cache, as the program does.
    const QString locale = GettextCatalogues::userLocale();
    ShortcutDiscovery discovery(resources, DiscoveryCache::defaultFile(locale));
    discovery.setImporter([&resources, locale](const QString &path, const QStringList &domains) {
        return importIn(resources, path, locale, domains);
    });
    const ShortcutDiscovery::Outcome outcome = discovery.discover(InstalledPrograms::list(), store.shippedIdentifiers());
    for (const QString &line : outcome.log)
        err << line << "\n";
    store.addDiscovered(outcome.apps);
    QStringList ids;
    for (const AppShortcuts &app : store.apps()) {
        if (app.discovered && app.bundleId)
            ids << *app.bundleId;
    }
    return ids;
}
