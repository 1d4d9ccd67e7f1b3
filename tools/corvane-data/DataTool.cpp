#include "DataTool.h"

#include "CatalogueLint.h"
#include "ImportCommand.h"
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/LocalTitles.h"
#include "catalogue/ShortcutStore.h"
#include "catalogue/bindings/BindingsApplier.h"
#include "catalogue/bindings/UserBindingFiles.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "keys/KeyLabels.h"
#include "platform/DesktopSession.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/PlatformProfile.h"
#include "platform/StaticWorkspace.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/GSettingsKeyBindings.h"
#include "platform/freedesktop/GettextCatalogues.h"
#include "platform/freedesktop/InstalledPrograms.h"
#include "settings/Preferences.h"

#include <QFileInfo>
#include <QProcessEnvironment>

#include <memory>

namespace {

QString jsonString(const QString &text)
{
    return AppShortcutsEncoder::quoted(text);
}

QString jsonOptional(const std::optional<QString> &text)
{
    return text ? jsonString(*text) : QStringLiteral("null");
}

QString jsonKeyGroups(const KeyGroups &groups)
{
    QStringList chords;
    for (const QStringList &group : groups) {
        QStringList labels;
        for (const QString &label : group)
            labels << jsonString(label);
        chords << QLatin1Char('[') + labels.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    return QLatin1Char('[') + chords.join(QLatin1Char(',')) + QLatin1Char(']');
}

// Parses "PATH [--platform P] [--discover] [--user-bindings]", each flag only where it is asked
// for. Returns false on bad arguments.
bool pathAndPlatform(const QStringList &args, QString &path, QString &platform, bool *discover = nullptr,
                     bool *userBindings = nullptr)
{
    platform = QLatin1String(PlatformProfile::keymapPlatform);
    for (int i = 0; i < args.size(); ++i) {
        if (discover && args[i] == QLatin1String("--discover")) {
            *discover = true;
        } else if (userBindings && args[i] == QLatin1String("--user-bindings")) {
            *userBindings = true;
        } else if (args[i] == QLatin1String("--platform")) {
            if (++i >= args.size() || args[i].isEmpty())
                return false;
            platform = args[i];
        } else if (args[i].startsWith(QLatin1String("--")) || !path.isEmpty()) {
            return false;
        } else {
            path = args[i];
        }
    }
    return !path.isEmpty();
}

// The user's key bindings, as the program reads them, from this process's environment. What the
// readers log goes to `err`.
QList<AppBindings> readUserBindings(QTextStream &err)
{
    SystemLog::Capture log;
    UserBindingFiles files(QProcessEnvironment::systemEnvironment());
    QList<AppBindings> bindings = files.read();
    GSettingsKeyBindings settings;
    bindings << settings.read();
    for (const QString &line : log.lines())
        err << line << "\n";
    return bindings;
}

// Loads a folder as the program does, or a single file on its own, with the user's key bindings
// applied when asked. Log lines are kept out of the output; failures are in failedFiles().
std::unique_ptr<ShortcutStore> loadStore(const QString &path, const QString &platform,
                                         const QList<AppBindings> *userBindings = nullptr)
{
    std::unique_ptr<ShortcutStore> store;
    {
        SystemLog::Capture quiet;
        if (QFileInfo(path).isFile()) {
            store = std::make_unique<ShortcutStore>(std::nullopt, platform);
            AppShortcutsDecoder decoder;
            auto result = decoder.decodeFile(path);
            QList<AppShortcuts> apps;
            if (result.app)
                apps << *result.app;
            store->load(apps);
        } else {
            store = std::make_unique<ShortcutStore>(path, platform);
            // As the program shows them: titles in the user's language where the application's own
            // message catalogue has them.
            const QString locale = GettextCatalogues::userLocale();
            if (GettextCatalogues::useLocale(locale)) {
                store->setAdjust([locale, installed = InstalledPrograms::list()](AppShortcuts &app) {
                    if (auto catalogues = GettextCatalogues::forApplication(locale, ShortcutStore::identifiers(app), installed))
                        LocalTitles::translate(app, [&](const QString &text) { return catalogues->translate({}, {}, text); });
                });
            }
            store->load();
        }
    }
    if (userBindings)
        store->load(BindingsApplier::apply(store->apps(), *userBindings, platform));
    return store;
}

// The fields of a customised entry: "customised", where its key came from and the data file's key.
QString customisationFields(const ShortcutEntry &entry)
{
    const Customisation *custom = entry.customisation();
    if (!custom)
        return QString();
    return QStringLiteral(",\"customised\":true,\"origin\":") + jsonString(custom->origin)
        + QStringLiteral(",\"catalogueKey\":") + jsonOptional(custom->catalogueKey);
}

} // namespace

QString DataTool::usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  corvane-data check [--strict] PATH...\n"
        "      Decode each data file (a folder: every file the program would read from it) and\n"
        "      print \"ok NAME\" or \"fail NAME: REASON\"; authoring problems print \"warn NAME: ...\".\n"
        "      Exits 1 when a file fails (with --strict, also on a warning).\n"
        "  corvane-data import PATH... [--slug S] [--name N] [--bundle-id ID]\n"
        "  corvane-data import --from-schema SCHEMA [--slug S] [--name N] [--bundle-id ID]\n"
        "      Print a data file made from a program's own shortcuts window (PATH: an ELF program or\n"
        "      library, a .gresource bundle, a .ui file or a desktop file id), or from the keybinding\n"
        "      keys of an installed GSettings schema. What is left out is said on standard error.\n"
        "  corvane-data entries PATH [--platform P] [--labels words|symbols] [--discover] [--user-bindings]\n"
        "      Print every shortcut entry the program builds, one JSON object per line. The key\n"
        "      labels are the stored symbols unless --labels words asks for the Linux panel's words.\n"
        "      With --user-bindings, with the user's own key bindings applied as the program applies\n"
        "      them (read from XDG_CONFIG_HOME, XDG_DATA_HOME, HOME and GSettings, GSETTINGS_BACKEND\n"
        "      honoured); each entry whose key came from them has \"customised\": true and its origin.\n"
        "  corvane-data stats PATH [--platform P]\n"
        "      Print the applications with their entry counts, the totals and the failed files.\n"
        "  corvane-data panel PATH [--platform P] [--discover] [--user-bindings] [--active ID] [--search TEXT]\n"
        "                    [--favorites ENTRY-ID]...\n"
        "                    [--only-installed] [--installed ID]... [--collapse SECTION-ID]...\n"
        "      Print the sections the panel would show, one JSON object per line, then the rows the\n"
        "      selection moves over and the selection. --active names the application in front,\n"
        "      --installed the applications that count as installed for --only-installed.\n"
        "  corvane-data --help | --version\n"
        "PATH is a ShortcutData folder or one data file; P is linux (default here) or macos.\n"
        "--discover adds the installed applications the program reads shortcuts windows from, as it\n"
        "does at start-up (XDG_DATA_DIRS for desktop entries, XDG_CACHE_HOME/corvane for the cache).\n");
}

int DataTool::usageError(const QString &message)
{
    if (!message.isEmpty())
        err_ << "corvane-data: " << message << "\n";
    err_ << usage();
    err_.flush();
    return 2;
}

int DataTool::run(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QString());
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    int code;
    if (command == QLatin1String("check"))
        code = check(rest);
    else if (command == QLatin1String("entries"))
        code = entries(rest);
    else if (command == QLatin1String("stats"))
        code = stats(rest);
    else if (command == QLatin1String("panel"))
        code = panel(rest);
    else if (command == QLatin1String("import"))
        code = ImportCommand(out_, err_).run(rest);
    else if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out_ << usage();
        code = 0;
    } else
        code = usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    out_.flush();
    err_.flush();
    return code;
}

int DataTool::check(const QStringList &args)
{
    bool strict = false;
    QStringList paths;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--strict"))
            strict = true;
        else if (arg.startsWith(QLatin1String("--")))
            return usageError(QStringLiteral("unknown option \"%1\"").arg(arg));
        else
            paths << arg;
    }
    if (paths.isEmpty())
        return usageError(QStringLiteral("check needs at least one PATH"));

    QStringList files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QStringList inFolder = ShortcutStore::dataFiles(path);
            if (inFolder.isEmpty())
                err_ << "corvane-data: no data files in " << path << "\n";
            files << inFolder;
        } else {
            files << path;
        }
    }

    AppShortcutsDecoder decoder;
    QList<AppShortcuts> decoded;
    QStringList decodedNames;
    int failed = 0;
    int warnings = 0;
    for (const QString &file : files) {
        auto result = decoder.decodeFile(file);
        if (!result.app) {
            out_ << "fail " << file << ": " << result.error << "\n";
            ++failed;
            continue;
        }
        out_ << "ok " << file << "\n";
        for (const QString &problem : CatalogueLint::lintApp(*result.app)) {
            out_ << "warn " << file << ": " << problem << "\n";
            ++warnings;
        }
        decoded << *result.app;
        decodedNames << file;
    }
    for (const QString &problem : CatalogueLint::lintCatalogue(decoded, decodedNames)) {
        out_ << "warn " << problem << "\n";
        ++warnings;
    }
    out_ << QStringLiteral("%1 files: %2 ok, %3 failed, %4 warnings\n")
               .arg(files.size())
               .arg(files.size() - failed)
               .arg(failed)
               .arg(warnings);
    return failed > 0 || (strict && warnings > 0) ? 1 : 0;
}

int DataTool::entries(const QStringList &arguments)
{
    // --labels words: the labels as the Linux panel shows them; the stored labels otherwise.
    QStringList args = arguments;
    KeyLabelStyle style = KeyLabelStyle::Symbols;
    if (const qsizetype at = args.indexOf(QStringLiteral("--labels")); at >= 0) {
        const auto named = at + 1 < args.size() ? KeyLabels::styleNamed(args[at + 1]) : std::nullopt;
        if (!named)
            return usageError(QStringLiteral("--labels takes words or symbols"));
        style = *named;
        args.remove(at, 2);
    }
    QString path;
    QString platform;
    bool discover = false;
    bool withUserBindings = false;
    if (!pathAndPlatform(args, path, platform, &discover, &withUserBindings))
        return usageError(QStringLiteral(
            "entries takes PATH [--platform P] [--labels words|symbols] [--discover] [--user-bindings]"));
    QList<AppBindings> bindings;
    if (withUserBindings)
        bindings = readUserBindings(err_);
    const auto store = loadStore(path, platform, withUserBindings ? &bindings : nullptr);
    if (discover)
        ImportCommand::discoverInto(*store, err_);
    for (const QString &name : store->failedFiles())
        err_ << "corvane-data: failed to decode " << name << "\n";
    for (const AppShortcuts &app : store->orderedApps()) {
        for (const ShortcutEntry &entry : store->entriesByApp().value(app.slug)) {
            out_ << "{\"id\":" << jsonString(entry.id())
                << ",\"appSlug\":" << jsonString(entry.appSlug())
                << ",\"appName\":" << jsonString(entry.appName())
                << ",\"bundleId\":" << jsonOptional(entry.bundleId())
                << ",\"sectionTitle\":" << jsonString(entry.sectionTitle())
                << ",\"title\":" << jsonString(entry.title())
                << ",\"rawKey\":" << jsonOptional(entry.rawKey())
                << ",\"comment\":" << jsonOptional(entry.comment())
                << (entry.action() ? QStringLiteral(",\"action\":") + jsonString(*entry.action()) : QString())
                << customisationFields(entry)
                << ",\"keyGroups\":" << jsonKeyGroups(KeyLabels::groups(entry.keyGroups(), style))
                << ",\"searchText\":" << jsonString(entry.searchText().toString()) << "}\n";
        }
    }
    return store->failedFiles().isEmpty() ? 0 : 1;
}

int DataTool::stats(const QStringList &args)
{
    QString path;
    QString platform;
    if (!pathAndPlatform(args, path, platform))
        return usageError(QStringLiteral("stats takes PATH [--platform P]"));
    const auto store = loadStore(path, platform);
    qsizetype total = 0;
    out_ << QStringLiteral("%1  %2  %3  %4\n")
               .arg(QStringLiteral("ENTRIES"), 7)
               .arg(QStringLiteral("NAME"), -28)
               .arg(QStringLiteral("SLUG"), -24)
               .arg(QStringLiteral("BUNDLE ID"));
    for (const AppShortcuts &app : store->orderedApps()) {
        const qsizetype count = store->entriesByApp().value(app.slug).size();
        total += count;
        out_ << QStringLiteral("%1  %2  %3  %4\n")
                   .arg(count, 7)
                   .arg(app.name, -28)
                   .arg(app.slug, -24)
                   .arg(app.bundleId.value_or(QStringLiteral("-")));
    }
    const qsizetype empty = store->apps().size() - store->orderedApps().size();
    out_ << QStringLiteral("total: %1 applications, %2 shortcuts on %3").arg(store->orderedApps().size()).arg(total).arg(platform);
    if (empty > 0)
        out_ << QStringLiteral(" (%1 more applications without shortcuts)").arg(empty);
    out_ << "\n";
    out_ << "failed: " << (store->failedFiles().isEmpty() ? QStringLiteral("none") : store->failedFiles().join(QStringLiteral(", "))) << "\n";
    // Under a language: how many titles the applications' own catalogues translate.
    if (const QString locale = GettextCatalogues::userLocale(); locale != QLatin1String("C")) {
        qsizetype titles = 0, translated = 0;
        for (const AppShortcuts &app : store->apps()) {
            for (const Keymap &keymap : app.keymaps) {
                for (const ShortcutSection &section : keymap.sections) {
                    titles += 1 + section.shortcuts.size();
                    translated += section.englishTitle.has_value();
                    for (const RawShortcut &row : section.shortcuts)
                        translated += row.englishTitle().has_value();
                }
            }
        }
        out_ << QStringLiteral("in %1: %2 of %3 titles (sections and shortcuts) from the applications' own translations\n")
                    .arg(locale)
                    .arg(translated)
                    .arg(titles);
    }
    return store->failedFiles().isEmpty() ? 0 : 1;
}

int DataTool::panel(const QStringList &args)
{
    QString path;
    QString platform = QLatin1String(PlatformProfile::keymapPlatform);
    std::optional<QString> active;
    std::optional<QString> search;
    QStringList favoriteIds;
    QSet<QString> collapse;
    bool onlyInstalled = false;
    bool discover = false;
    bool withUserBindings = false;
    StaticWorkspace workspace;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool takesValue = arg == QLatin1String("--platform") || arg == QLatin1String("--active")
            || arg == QLatin1String("--search") || arg == QLatin1String("--favorites")
            || arg == QLatin1String("--collapse") || arg == QLatin1String("--installed");
        if (takesValue && i + 1 >= args.size())
            return usageError(QStringLiteral("%1 needs a value").arg(arg));
        if (arg == QLatin1String("--platform"))
            platform = args[++i];
        else if (arg == QLatin1String("--active"))
            active = args[++i];
        else if (arg == QLatin1String("--search"))
            search = args[++i];
        else if (arg == QLatin1String("--favorites"))
            favoriteIds << args[++i];
        else if (arg == QLatin1String("--collapse"))
            collapse.insert(args[++i]);
        else if (arg == QLatin1String("--installed"))
            workspace.installed.insert(args[++i].toLower());
        else if (arg == QLatin1String("--only-installed"))
            onlyInstalled = true;
        else if (arg == QLatin1String("--discover"))
            discover = true;
        else if (arg == QLatin1String("--user-bindings"))
            withUserBindings = true;
        else if (arg.startsWith(QLatin1String("--")) || !path.isEmpty())
            return usageError(QStringLiteral("unexpected argument \"%1\"").arg(arg));
        else
            path = arg;
    }
    if (path.isEmpty())
        return usageError(QStringLiteral("panel needs a PATH"));

    QList<AppBindings> bindings;
    if (withUserBindings)
        bindings = readUserBindings(err_);
    // As the program does: the user's bindings change the shipped files, then the discovered
    // applications join.
    const auto store = loadStore(path, platform, withUserBindings ? &bindings : nullptr);
    if (discover) {
        // A discovered application is installed by definition.
        for (const QString &id : ImportCommand::discoverInto(*store, err_))
            workspace.installed.insert(id.toLower());
    }
    MemoryDefaultsStore defaults;
    FavoritesStore favorites(defaults);
    for (const QString &id : favoriteIds) {
        if (!favorites.contains(id))
            favorites.toggle(id);
    }
    Preferences preferences(defaults);
    preferences.setOnlyInstalledApps(onlyInstalled);
    PanelViewModel vm(*store, favorites, workspace, preferences);

    // The same steps as opening the panel.
    std::optional<RunningApp> frontmost;
    if (active) {
        frontmost = RunningApp();
        frontmost->bundleIdentifier = active;
        frontmost->localizedName = *active;
    }
    // As the program does: nothing in front means the desktop is.
    if (withUserBindings)
        vm.setDesktopBundleId(DesktopSession::bundleId(qEnvironmentVariable("XDG_CURRENT_DESKTOP")));
    vm.setActiveApp(frontmost, std::nullopt);
    if (search)
        vm.setSearchText(*search);
    if (!collapse.isEmpty())
        vm.setCollapsed(collapse);

    for (const DisplaySection &section : vm.sections()) {
        QStringList ids;
        QStringList customised;
        for (const ShortcutEntry &entry : section.entries) {
            ids << jsonString(entry.id());
            if (entry.isCustomised())
                customised << QStringLiteral("{\"id\":") + jsonString(entry.id()) + QStringLiteral(",\"rawKey\":")
                        + jsonOptional(entry.rawKey()) + customisationFields(entry) + QLatin1Char('}');
        }
        out_ << "{\"id\":" << jsonString(section.id) << ",\"title\":" << jsonString(section.title)
            << ",\"isActive\":" << (section.isActive ? "true" : "false")
            << ",\"isFavorites\":" << (section.isFavorites ? "true" : "false")
            << ",\"collapsed\":" << (vm.collapsed().contains(section.id) ? "true" : "false")
            << (section.fromApplication ? ",\"fromApplication\":true" : "")
            << ",\"entries\":[" << ids.join(QLatin1Char(',')) << "]";
        if (withUserBindings)
            out_ << ",\"customised\":[" << customised.join(QLatin1Char(',')) << "]";
        out_ << "}\n";
    }
    QStringList rows;
    for (const NavRef &row : vm.navigable())
        rows << jsonString(row.rowKey());
    out_ << "{\"navigable\":[" << rows.join(QLatin1Char(',')) << "],\"selectionIndex\":" << vm.selectionIndex() << "}\n";
    return store->failedFiles().isEmpty() ? 0 : 1;
}
