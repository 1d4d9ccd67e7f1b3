// Shortcuts windows read from real files: the fixture program built with the tests, a real GTK program
// of the distribution, damaged and hostile files, and discovery over temporary XDG folders with its
// cache.
#include "DataTool.h"
#include "catalogue/DiscoveryCache.h"
#include "catalogue/ImportWorkerReply.h"
#include "catalogue/ShortcutsWindowImport.h"
#include "catalogue/ShortcutDiscovery.h"
#include "catalogue/ShortcutStore.h"
#include "catalogue/ShortcutsWindowReader.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/StaticWorkspace.h"
#include "services/WorkerProcess.h"
#include "platform/freedesktop/GResourceReader.h"
#include "platform/freedesktop/InstalledPrograms.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Every XDG folder in one temporary directory, set before GIO first reads them.
QTemporaryDir *root = nullptr;

QString rootPath(const QString &relative)
{
    return root->filePath(relative);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run {
    int code;
    QString out;
    QString err;
};

Run runTool(const QStringList &args)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    DataTool tool(outStream, errStream);
    const int code = tool.run(args);
    return {code, out, err};
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Title to key texts of an imported data file.
QMultiHash<QString, QString> keysByTitle(const QString &json)
{
    QMultiHash<QString, QString> keys;
    const QJsonObject app = QJsonDocument::fromJson(json.toUtf8()).object();
    for (const QJsonValue &keymap : app[QLatin1String("keymaps")].toArray()) {
        for (const QJsonValue &section : keymap[QLatin1String("sections")].toArray()) {
            for (const QJsonValue &shortcut : section[QLatin1String("shortcuts")].toArray())
                keys.insert(shortcut[QLatin1String("title")].toString(), shortcut[QLatin1String("key")].toString());
        }
    }
    return keys;
}

// An executable copy of `source`, so that GIO accepts it as a desktop entry's program.
QString installProgram(const QString &name, const QByteArray &bytes)
{
    const QString path = rootPath(QStringLiteral("bin/") + name);
    QFile::remove(path);
    writeFile(path, bytes);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

void installEntry(const QString &id, const QString &name, const QString &program)
{
    writeFile(rootPath(QStringLiteral("data/applications/%1.desktop").arg(id)),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %U\nIcon=%3\n")
                  .arg(name, program, id)
                  .toUtf8());
}

// A .gresource bundle holding `ui` as its help overlay, compiled by glib-compile-resources.
QByteArray bundleWith(const QByteArray &ui, const QByteArray &prefix = "/org/example/Bad")
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("gtk/help-overlay.ui")), ui);
    writeFile(dir.filePath(QStringLiteral("bundle.xml")),
              "<gresources><gresource prefix=\"" + prefix + "\"><file>gtk/help-overlay.ui</file></gresource></gresources>");
    QProcess compile;
    compile.start(QStringLiteral(GLIB_COMPILE_RESOURCES),
                  {QStringLiteral("--sourcedir=") + dir.path(), QStringLiteral("--target=") + dir.filePath(QStringLiteral("out.gresource")),
                   dir.filePath(QStringLiteral("bundle.xml"))});
    compile.waitForFinished(30000);
    return readFile(dir.filePath(QStringLiteral("out.gresource")));
}

// The real reader, counting the files it is asked to open.
class CountingResources : public ProgramResources {
public:
    QStringList opened;
    Result uiFiles(const QString &path, const Filter &keep) override
    {
        opened << path;
        return real_.uiFiles(path, keep);
    }

private:
    GResourceReader real_;
};

const QString fixtureId = QStringLiteral("org.example.Fixture");

// The resource paths GResourceReader finds in `path`, every .ui file kept.
QStringList resourcePaths(const QString &path, QString *error = nullptr)
{
    const ProgramResources::Result result = GResourceReader().uiFiles(path, [](const QString &, const QByteArray &) { return true; });
    if (error)
        *error = result.error;
    QStringList paths;
    for (const ProgramResources::File &file : result.files)
        paths << file.resourcePath;
    return sorted(paths);
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT

    QString shipped_;
    QString fixtureProgram_;
    QStringList badIds_;

private Q_SLOTS:
    void initTestCase()
    {
        // The shipped catalogue knows one program that also has a shortcuts window.
        shipped_ = rootPath(QStringLiteral("ShortcutData"));
        writeFile(shipped_ + QStringLiteral("/shadow.json"),
                  R"({"bundleId": "org.example.Shadowed", "name": "Zed Shipped", "slug": "zed",
                      "keymaps": [{"title": "Linux", "sections": [{"title": "General",
                      "shortcuts": [{"title": "Quit", "key": "ctrl+q"}]}]}]})");

        const QByteArray library = readFile(QStringLiteral(FIXTURE_LIBRARY));
        QVERIFY(library.startsWith("\x7f" "ELF"));
        fixtureProgram_ = installProgram(QStringLiteral("fixture-app"), library);
        installEntry(fixtureId, QStringLiteral("Alpha Fixture"), fixtureProgram_);
        installEntry(QStringLiteral("org.example.Shadowed"), QStringLiteral("Shadowed"),
                     installProgram(QStringLiteral("shadowed-app"), library));

        // Damaged and hostile programs: each must cost its own application only.
        QByteArray bogus = library;
        const quint64 farAway = 0x7ffffffff0ULL;
        memcpy(bogus.data() + 0x28, &farAway, sizeof farAway);  // e_shoff of an ELF64 header
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY l0 \"lol\">";
        for (int i = 1; i < 10; ++i)
            laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" + ("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        laughs += "]><interface><object class=\"GtkShortcutsWindow\"><property name=\"title\">&l9;</property></object></interface>";
        const QByteArray hugeUi = "<interface><object class=\"GtkShortcutsWindow\"><!-- "
            + QByteArray(8 * 1024 * 1024, 'x') + " --></object></interface>";
        const QList<QPair<QString, QByteArray>> bad{
            {QStringLiteral("truncated"), library.left(3000)},
            {QStringLiteral("bogus-sections"), bogus},
            {QStringLiteral("laughs"), bundleWith(laughs)},
            {QStringLiteral("malformed"), bundleWith("<interface><object class=\"GtkShortcutsWindow\"><child>")},
            {QStringLiteral("huge-ui"), bundleWith(hugeUi)},
            {QStringLiteral("garbage-bundle"), QByteArray("GVariant") + QByteArray(5000, '\xff')},
        };
        for (const auto &[name, bytes] : bad) {
            QVERIFY2(!bytes.isEmpty(), qPrintable(name));
            installEntry(QStringLiteral("org.example.Bad.") + name, name, installProgram(name, bytes));
            badIds_ << QStringLiteral("org.example.Bad.") + name;
        }
        // A 1 GB file (sparse) that starts like the fixture: nothing may read it whole.
        const QString big = installProgram(QStringLiteral("big"), library.left(64));
        QVERIFY(QFile::resize(big, qint64(1) << 30));
        installEntry(QStringLiteral("org.example.Big"), QStringLiteral("Big"), big);
    }

    // The library itself, the bundle, a program that loads the library, and the desktop id.
    void importsFromEveryKindOfFile()
    {
        QTemporaryDir dir;
        for (const QString &path : {QStringLiteral(FIXTURE_LIBRARY), QStringLiteral(FIXTURE_BUNDLE),
                                    QStringLiteral(FIXTURE_LAUNCHER), fixtureId}) {
            const Run run = runTool({QStringLiteral("import"), path});
            QCOMPARE(run.code, 0);
            const QMultiHash<QString, QString> keys = keysByTitle(run.out);
            QCOMPARE(keys.value(QStringLiteral("New window")), QStringLiteral("ctrl+n"));
            QCOMPARE(keys.value(QStringLiteral("Move tab left")), QStringLiteral("ctrl+shift+pageup"));
            QCOMPARE(keys.value(QStringLiteral("Go to tab")), QStringLiteral("alt+1"));
            QCOMPARE(sorted(keys.values(QStringLiteral("Redo"))), (QStringList{QStringLiteral("ctrl+shift+z"), QStringLiteral("ctrl+y")}));
            QCOMPARE(keys.value(QStringLiteral("Show help")), QStringLiteral("ctrl+?"));
            QCOMPARE(keys.values(QStringLiteral("Zoom in")).size(), 2);
            QCOMPARE(sorted(keys.values(QStringLiteral("Back"))), (QStringList{QStringLiteral("alt+left"), QStringLiteral("alt+numpadleft")}));
            QCOMPARE(keys.value(QStringLiteral("Switch workspace")), QStringLiteral("shift+super+pagedown"));
            QCOMPARE(keys.values(QStringLiteral("Select to the next word")), QStringList{QStringLiteral("ctrl+shift+right")});
            QCOMPARE(keys.value(QStringLiteral("Cut and paste")), QStringLiteral("ctrl+x ctrl+v"));
            QVERIFY(!keys.contains(QStringLiteral("Pinch to zoom")));
            QVERIFY(!run.out.contains(QLatin1String("Nothing here")));
            QVERIFY(run.out.contains(QLatin1String("/org/example/Fixture/gtk/help-overlay.ui")));
            QVERIFY(run.err.contains(QLatin1String("gesture \"Pinch to zoom\"")));
            QVERIFY(run.err.contains(QLatin1String("malformed accelerator of \"Select to the next word\"")));

            const QString file = dir.filePath(QStringLiteral("imported.json"));
            QVERIFY(writeFile(file, run.out.toUtf8()));
            const Run check = runTool({QStringLiteral("check"), QStringLiteral("--strict"), file});
            QVERIFY2(check.code == 0, qPrintable(check.out));
        }
        const QJsonObject byId = QJsonDocument::fromJson(runTool({QStringLiteral("import"), fixtureId}).out.toUtf8()).object();
        QCOMPARE(byId[QLatin1String("name")].toString(), QStringLiteral("Alpha Fixture"));
        QCOMPARE(byId[QLatin1String("bundleId")].toString(), fixtureId);
        QCOMPARE(byId[QLatin1String("slug")].toString(), QStringLiteral("org-example-fixture"));

        QCOMPARE(runTool({QStringLiteral("import"), rootPath(QStringLiteral("bin/truncated"))}).code, 1);
        QCOMPARE(runTool({QStringLiteral("import"), QStringLiteral("--slug")}).code, 2);
    }

    // Programs of the distribution, compared with their own help overlays: a small GTK 4 program
    // (Text Editor), windows that leave keys to the code (GNOME Console, a C program; Clocks, a Vala
    // one), right-to-left twins and keys held together (Boxes). Each checked when installed; what is
    // imported passes the strict check.
    void importsRealPrograms()
    {
        const QList<QPair<QString, QList<QPair<QString, QString>>>> programs{
            {QStringLiteral("/usr/bin/gnome-text-editor"),
             {{"New window", "ctrl+n"}, {"Move to next tab", "ctrl+pagedown"}, {"Save As", "ctrl+shift+s"},
              {"Zoom In", "ctrl+plus"}}},
            {QStringLiteral("/usr/bin/kgx"),
             {{"Copy", "ctrl+shift+c"}, {"Paste", "ctrl+shift+v"}, {"New Window", "ctrl+shift+n"},
              {"New Tab", "ctrl+shift+t"}, {"Close Tab", "ctrl+shift+w"}, {"Find", "ctrl+shift+f"}}},
            {QStringLiteral("/usr/bin/gnome-clocks"),
             {{"Show Help", "f1"}, {"Quit", "ctrl+q"}, {"Add an Alarm", "ctrl+n"}, {"Keyboard Shortcuts", "ctrl+?"},
              {"Go to the Next Section", "ctrl+alt+pagedown"}}},
            {QStringLiteral("/usr/bin/gnome-boxes"),
             {{"Grab/Ungrab keyboard", "ctrl+alt"}, {"Switch to the next page", "alt+right"},
              {"Back to overview", "alt+left"}}},
        };
        int checked = 0;
        for (const auto &[program, expected] : programs) {
            if (!QFileInfo::exists(program))
                continue;
            ++checked;
            const Run run = runTool({QStringLiteral("import"), program});
            QCOMPARE(run.code, 0);
            QVERIFY2(!run.out.contains(ShortcutsWindowReader::keySetByProgram()), qPrintable(program));
            const QMultiHash<QString, QString> keys = keysByTitle(run.out);
            for (const auto &[title, key] : expected)
                QCOMPARE(keys.values(title), QStringList{key});
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("imported.json"));
            QVERIFY(writeFile(file, run.out.toUtf8()));
            QCOMPARE(runTool({QStringLiteral("check"), QStringLiteral("--strict"), file}).code, 0);
        }
        if (checked == 0)
            QSKIP("none of gnome-text-editor, gnome-console, gnome-clocks, gnome-boxes is installed");
    }

    // Every bundle of every ".gresource.*" section: the linker puts the bundles of one section name
    // one after the other, and a program's shortcuts window may be in any of them.
    void readsEveryBundleOfEverySection()
    {
        QTemporaryDir dir;
        const QByteArray ui = "<interface/>";
        const QByteArray one = bundleWith(ui, "/org/example/One");
        QByteArray two = bundleWith(ui, "/org/example/Two");
        const QByteArray three = bundleWith(ui, "/org/example/Three");
        QVERIFY(!one.isEmpty() && !two.isEmpty() && !three.isEmpty());
        two.append(QByteArray((8 - two.size() % 8) % 8, '\0'));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("one")), one));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("two")), two + three));
        const QString program = dir.filePath(QStringLiteral("program"));
        QProcess objcopy;
        objcopy.start(QStringLiteral("objcopy"),
                      {QStringLiteral("--add-section"), QStringLiteral(".gresource.one=") + dir.filePath(QStringLiteral("one")),
                       QStringLiteral("--add-section"), QStringLiteral(".gresource.two=") + dir.filePath(QStringLiteral("two")),
                       QStringLiteral(FIXTURE_LAUNCHER), program});
        if (!objcopy.waitForStarted())
            QSKIP("objcopy (binutils) is not installed");
        QVERIFY(objcopy.waitForFinished(30000) && objcopy.exitCode() == 0);
        QString error;
        QCOMPARE(resourcePaths(program, &error),
                 (QStringList{QStringLiteral("/org/example/One/gtk/help-overlay.ui"), QStringLiteral("/org/example/Three/gtk/help-overlay.ui"),
                              QStringLiteral("/org/example/Two/gtk/help-overlay.ui")}));
        QCOMPARE(error, QString());
    }

    // A bundle with any one byte changed (GIO trusts a bundle's entries and crashed on many), and a
    // program file cut short and restored while it is read (a mapped file faulted): every read ends,
    // in an error or in what the file holds.
    void damagedOrChangingFilesNeverCrash()
    {
        QTemporaryDir dir;
        const QByteArray bundle = readFile(QStringLiteral(FIXTURE_BUNDLE));
        QVERIFY(bundle.size() > 100);
        const QString mutant = dir.filePath(QStringLiteral("mutant.gresource"));
        int refused = 0;
        // Every byte of the header and the table of entries, then a sample of the files' bytes.
        for (qsizetype at = 0; at < bundle.size(); at += at < 512 ? 1 : 31) {
            for (const char change : {'\x01', '\x80'}) {
                QByteArray bytes = bundle;
                bytes[at] = char(bytes[at] ^ change);
                QVERIFY(writeFile(mutant, bytes));
                QString error;
                resourcePaths(mutant, &error);
                refused += error.isEmpty() ? 0 : 1;
            }
        }
        QVERIFY(refused > 0);

        const QByteArray library = readFile(QStringLiteral(FIXTURE_LIBRARY));
        const QString shrinking = dir.filePath(QStringLiteral("shrinking"));
        QVERIFY(writeFile(shrinking, library));
        std::atomic<bool> done{false};
        std::thread cutter([&] {
            const QByteArray name = QFile::encodeName(shrinking);
            while (!done) {
                if (::truncate(name.constData(), 3000) != 0)
                    break;
                QFile file(shrinking);
                if (!file.open(QIODevice::WriteOnly) || file.write(library) != library.size())
                    break;
            }
        });
        int read = 0;
        for (int i = 0; i < 100; ++i)
            read += resourcePaths(shrinking).isEmpty() ? 0 : 1;
        done = true;
        cutter.join();
        QVERIFY(read <= 100);
    }

    // What sits in the place of a file Corvane reads may be a FIFO or a link to a device: the
    // desktop-entry scan and the discovery cache pass it by and carry on.
    void specialFilesAreNotRead()
    {
        const QString fifo = rootPath(QStringLiteral("data/applications/x.desktop"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QList<InstalledProgram> programs = InstalledPrograms::list();
        QFile::remove(fifo);
        QVERIFY(std::any_of(programs.begin(), programs.end(), [](const InstalledProgram &p) { return p.entry.id == fixtureId; }));

        QTemporaryDir dir;
        const QString cacheFifo = dir.filePath(QStringLiteral("fifo.json"));
        QVERIFY(::mkfifo(QFile::encodeName(cacheFifo).constData(), 0600) == 0);
        const QString zero = dir.filePath(QStringLiteral("zero.json"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        const QString linked = dir.filePath(QStringLiteral("linked.json"));
        QVERIFY(QFile::link(cacheFifo, linked));
        for (const QString &cache : {cacheFifo, zero, linked})
            QVERIFY(!DiscoveryCache(cache).load());
        // Found by fuzzing: a size no integer holds (converting it was undefined behaviour).
        const QString huge = dir.filePath(QStringLiteral("huge.json"));
        QVERIFY(writeFile(huge, R"({"version": 1, "programs": {"a": {"path": "/bin/a", "size": 1e300, "modified": 0, "data": null}}})"));
        DiscoveryCache hugeCache(huge);
        QVERIFY(!hugeCache.load());
        QVERIFY(!hugeCache.find(QStringLiteral("a")));
        // Discovery says so and writes a cache of its own in their place, never through the link.
        for (const QString &cache : {linked, cacheFifo}) {
            CountingResources resources;
            const auto outcome = ShortcutDiscovery(resources, cache).discover({}, {});
            QCOMPARE(outcome.log.filter(QStringLiteral("unreadable cache")).size(), 1);
            QVERIFY(QFileInfo(cache).isFile() && !QFileInfo(cache).isSymLink());
            QVERIFY(DiscoveryCache(cache).load());
        }
    }

    // Program files read in a worker process: its answer comes back as data; a worker that crashes,
    // runs too long or is killed for its memory costs that program only, which is remembered as
    // failed and not read again until it changes.
    void readsProgramsInAWorkerProcess()
    {
        const WorkerProcess::Limits limits{qint64(256) * 1024 * 1024, 5000, qint64(1) << 20};
        const WorkerProcess::Result answer = WorkerProcess::run(
            QStringLiteral(CORVANE_DATA), {QStringLiteral("import"), QStringLiteral("--worker"), fixtureProgram_}, limits);
        QCOMPARE(int(answer.outcome), int(WorkerProcess::Outcome::Finished));
        const auto reply = ImportWorkerReply::decode(answer.output);
        QVERIFY(reply && reply->found() && reply->error.isEmpty());
        QCOMPARE(reply->resourcePath, QStringLiteral("/org/example/Fixture/gtk/help-overlay.ui"));
        GResourceReader reader;
        const auto local = ShortcutsWindowImport::fromFile(reader, fixtureProgram_);
        QCOMPARE(reply->sections.size(), local.sections.size());
        QCOMPARE(reply->sections.last().shortcuts.size(), local.sections.last().shortcuts.size());
        QVERIFY(!ImportWorkerReply::decode("{\"error\": \"\"}"));

        const auto crashed = WorkerProcess::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("kill -SEGV $$")}, limits);
        QCOMPARE(int(crashed.outcome), int(WorkerProcess::Outcome::Crashed));
        QElapsedTimer timer;
        timer.start();
        const auto slow = WorkerProcess::run(QStringLiteral("/bin/sleep"), {QStringLiteral("30")},
                                             WorkerProcess::Limits{limits.memoryBytes, 500, limits.maxOutput});
        QCOMPARE(int(slow.outcome), int(WorkerProcess::Outcome::TimedOut));
        QVERIFY(timer.elapsed() < 10000);
        const auto chatty = WorkerProcess::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("head -c 2000000 /dev/zero")}, limits);
        QCOMPARE(int(chatty.outcome), int(WorkerProcess::Outcome::TooMuchOutput));

        // Discovery with a worker that crashes on the fixture: one log line, then the cache answers.
        QTemporaryDir dir;
        const QString cache = dir.filePath(QStringLiteral("discovered.json"));
        QStringList asked;
        const auto crashing = [&asked](const QString &path, const QStringList &domains) {
            // The program's own catalogue is looked for under its file name.
            asked << path + QLatin1Char(' ') + domains.join(QLatin1Char(','));
            ShortcutsWindowImport::Result result;
            result.error = QStringLiteral("the reading process crashed (signal 11)");
            return result;
        };
        CountingResources resources;
        QList<InstalledProgram> programs = InstalledPrograms::list();
        programs.removeIf([](const InstalledProgram &p) { return p.entry.id != fixtureId; });
        QCOMPARE(programs.size(), 1);
        ShortcutDiscovery first(resources, cache);
        first.setImporter(crashing);
        const auto failed = first.discover(programs, {});
        QCOMPARE(failed.apps.size(), 0);
        QCOMPARE(failed.log.filter(QStringLiteral("crashed")).size(), 1);
        ShortcutDiscovery second(resources, cache);
        second.setImporter(crashing);
        QCOMPARE(second.discover(programs, {}).log, QStringList());
        QCOMPARE(asked, QStringList{fixtureProgram_ + QStringLiteral(" fixture-app")});
        QCOMPARE(resources.opened, QStringList());
    }

    void discoversOnceReadsTheCacheAndJoinsThePanel()
    {
        const QString cacheFile = DiscoveryCache::defaultFile();
        QVERIFY(cacheFile.startsWith(rootPath(QStringLiteral("cache"))));
        ShortcutStore store(shipped_, QStringLiteral("linux"));
        store.load();
        const QList<InstalledProgram> programs = InstalledPrograms::list();

        CountingResources resources;
        QElapsedTimer timer;
        timer.start();
        ShortcutDiscovery::Outcome first = ShortcutDiscovery(resources, cacheFile).discover(programs, store.shippedIdentifiers());
        QVERIFY(timer.elapsed() < 20000);
        QCOMPARE(first.apps.size(), 1);
        QCOMPARE(first.apps[0].bundleId, fixtureId);
        QVERIFY(!resources.opened.contains(rootPath(QStringLiteral("bin/shadowed-app"))));
        QVERIFY(resources.opened.contains(fixtureProgram_));
        // One log line for each damaged program, and none for anything else.
        for (const QString &id : badIds_) {
            const auto lines = first.log.filter(id + QLatin1Char(' '));
            QVERIFY2(lines.size() == 1, qPrintable(id + QStringLiteral(": ") + first.log.join(QLatin1Char('\n'))));
        }
        QCOMPARE(first.log.size(), badIds_.size());

        // Second start: the cache answers for every program, the failed ones included.
        resources.opened.clear();
        ShortcutDiscovery::Outcome second = ShortcutDiscovery(resources, cacheFile).discover(programs, store.shippedIdentifiers());
        QCOMPARE(resources.opened, QStringList());
        QCOMPARE(second.log, QStringList());
        QCOMPARE(second.apps.size(), 1);
        QCOMPARE(second.apps[0].keymaps[0].sections.size(), first.apps[0].keymaps[0].sections.size());
        QCOMPARE(second.apps[0].keymaps[0].sections.last().shortcuts.last().title(),
                 first.apps[0].keymaps[0].sections.last().shortcuts.last().title());

        // A changed program is read again, and only it.
        QFile program(fixtureProgram_);
        QVERIFY(program.open(QIODevice::Append));
        program.write("\0", 1);
        program.close();
        second = ShortcutDiscovery(resources, cacheFile).discover(programs, store.shippedIdentifiers());
        QCOMPARE(resources.opened, QStringList{fixtureProgram_});
        QCOMPARE(second.apps.size(), 1);

        // A damaged cache is ignored, said once, and written anew.
        QVERIFY(writeFile(cacheFile, "{\"version\": 1, \"programs\": {\"x\": [tru"));
        resources.opened.clear();
        second = ShortcutDiscovery(resources, cacheFile).discover(programs, store.shippedIdentifiers());
        QCOMPARE(second.log.filter(QStringLiteral("unreadable cache")).size(), 1);
        QVERIFY(resources.opened.contains(fixtureProgram_));
        QCOMPARE(second.apps.size(), 1);
        DiscoveryCache rewritten(cacheFile);
        QVERIFY(rewritten.load());
        QVERIFY(rewritten.find(fixtureId).has_value());

        // Discovered applications in the panel: after the shipped ones, never over them, and like
        // any other application otherwise.
        const ShortcutDiscovery::Outcome &outcome = second;
        AppShortcuts impostor = outcome.apps.value(0);
        impostor.slug = QStringLiteral("impostor");
        impostor.bundleId = QStringLiteral("ORG.EXAMPLE.SHADOWED");  // a shipped file's id, other case
        QCOMPARE(store.addDiscovered(outcome.apps + QList<AppShortcuts>{impostor}), 1);
        QCOMPARE(store.orderedApps().size(), 2);
        QCOMPARE(store.orderedApps()[0].slug, QStringLiteral("zed"));  // shipped first, though "Alpha" sorts first
        QCOMPARE(store.orderedApps()[1].slug, QStringLiteral("org-example-fixture"));
        QCOMPARE(store.appForBundleId(QStringLiteral("org.example.shadowed"))->slug, QStringLiteral("zed"));

        MemoryDefaultsStore defaults;
        FavoritesStore favorites(defaults);
        Preferences preferences(defaults);
        QVERIFY(preferences.readInstalledApps());  // on by default
        preferences.setOnlyInstalledApps(true);
        StaticWorkspace workspace;
        workspace.installed = {fixtureId.toLower()};
        PanelViewModel vm(store, favorites, workspace, preferences);
        RunningApp running;
        running.bundleIdentifier = fixtureId;
        vm.setActiveApp(running, std::nullopt);
        QCOMPARE(vm.sections().size(), 1);  // the shipped one is not installed here
        QVERIFY(vm.sections()[0].isActive);
        QVERIFY(vm.sections()[0].fromApplication);
        QCOMPARE(vm.sections()[0].title, QStringLiteral("Alpha Fixture"));

        const EntryList &rows = vm.sections()[0].entries;
        const auto found = std::find_if(rows.begin(), rows.end(), [](const ShortcutEntry &e) { return e.title() == QLatin1String("Quit"); });
        QVERIFY(found != rows.end());
        const ShortcutEntry quit = *found;
        QCOMPARE(quit.id(), QStringLiteral("org-example-fixture|Keys|Quit|ctrl+q"));
        favorites.toggle(quit.id());
        vm.setSearchText(QStringLiteral("workspace"));
        QCOMPARE(vm.sections().size(), 1);
        QCOMPARE(vm.sections()[0].entries.size(), 1);

        // Taken out (the setting turned off) and back: the favourite finds the same entry again.
        QVERIFY(store.removeDiscovered());
        QVERIFY(!store.removeDiscovered());
        vm.catalogueChanged();
        QCOMPARE(vm.sections().size(), 0);
        store.addDiscovered(outcome.apps);
        vm.catalogueChanged();
        vm.setSearchText(QString());
        QVERIFY(vm.sections()[0].isFavorites);
        QCOMPARE(vm.sections()[0].entries.size(), 1);
        QCOMPARE(vm.sections()[0].entries[0].id(), quit.id());
    }

    // Keybinding keys of a GSettings schema: accelerators become shortcuts, other strings do not.
    void importsKeybindingsFromASchema()
    {
        const QString folder = QString::fromLocal8Bit(qgetenv("GSETTINGS_SCHEMA_DIR"));
        QVERIFY(writeFile(folder + QStringLiteral("/org.example.Keys.gschema.xml"), R"(<schemalist>
  <schema id="org.example.Keys" path="/org/example/keys/">
    <key name="close" type="as"><default>['&lt;Super&gt;q', '&lt;Alt&gt;F4']</default><summary>Close window</summary></key>
    <key name="screenshot" type="as"><default>['Print']</default><summary>Take a screenshot</summary></key>
    <key name="switch" type="s"><default>'&lt;Primary&gt;&lt;Shift&gt;Tab'</default><summary>Switch</summary></key>
    <key name="unset" type="as"><default>[]</default><summary>Nothing</summary></key>
    <key name="font" type="s"><default>'Sans 11'</default><summary>Font</summary></key>
    <key name="side" type="s"><default>'left'</default><summary>Side</summary></key>
    <key name="count" type="i"><default>3</default><summary>Count</summary></key>
  </schema>
</schemalist>)"));
        QProcess compile;
        compile.start(QStringLiteral(GLIB_COMPILE_SCHEMAS), {folder});
        QVERIFY(compile.waitForFinished(30000) && compile.exitCode() == 0);

        const Run run = runTool({QStringLiteral("import"), QStringLiteral("--from-schema"), QStringLiteral("org.example.Keys")});
        QCOMPARE(run.code, 0);
        const QMultiHash<QString, QString> keys = keysByTitle(run.out);
        QCOMPARE(sorted(keys.values(QStringLiteral("Close window"))), (QStringList{QStringLiteral("alt+f4"), QStringLiteral("super+q")}));
        QCOMPARE(keys.value(QStringLiteral("Take a screenshot")), QStringLiteral("print"));
        QCOMPARE(keys.value(QStringLiteral("Switch")), QStringLiteral("ctrl+shift+tab"));
        QCOMPARE(keys.size(), 4);
        QCOMPARE(runTool({QStringLiteral("import"), QStringLiteral("--from-schema"), QStringLiteral("org.example.None")}).code, 1);
    }

    // The fixture program ships its own German catalogue: its titles read in German under a German
    // locale, found by German and English words alike, while ids (and so favourites) stay English.
    void readsTitlesInTheProgramsOwnLanguage()
    {
        // The catalogue under the program's own prefix (<root>/bin/fixture-app), in the domain of the
        // program's name: the builder file names none.
        const QString po = rootPath(QStringLiteral("fixture-app.po"));
        QVERIFY(writeFile(po, "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                              "msgid \"New window\"\nmsgstr \"Neues Fenster\"\n\n"
                              "msgctxt \"shortcut window\"\nmsgid \"Windows & Tabs\"\nmsgstr \"Fenster und Reiter\"\n\n"
                              // Not marked translatable in the window: stays English.
                              "msgid \"Redo\"\nmsgstr \"Wiederholen\"\n"));
        const QString mo = rootPath(QStringLiteral("share/locale/de/LC_MESSAGES/fixture-app.mo"));
        QDir().mkpath(QFileInfo(mo).absolutePath());
        QCOMPARE(QProcess::execute(QStringLiteral("msgfmt"), {QStringLiteral("-o"), mo, po}), 0);

        // The reading process, as the program starts it.
        QProcess worker;
        worker.start(QStringLiteral(CORVANE_DATA), {QStringLiteral("import"), QStringLiteral("--worker"), QStringLiteral("--locale"),
                                                   QStringLiteral("de_DE"), fixtureProgram_});
        QVERIFY(worker.waitForFinished(30000));
        const QByteArray replyBytes = worker.readAllStandardOutput();
        const auto reply = ImportWorkerReply::decode(replyBytes);
        QVERIFY(reply);
        QHash<QString, RawShortcut> rows;
        QStringList sectionTitles;
        for (const ShortcutSection &section : reply->sections) {
            sectionTitles << section.title + QLatin1Char('/') + section.englishTitle.value_or(QString());
            for (const RawShortcut &row : section.shortcuts)
                rows.insert(row.englishTitle().value_or(row.title()), row);
        }
        QCOMPARE(rows.value(QStringLiteral("New window")).title(), QStringLiteral("Neues Fenster"));
        QCOMPARE(rows.value(QStringLiteral("Redo")).title(), QStringLiteral("Redo"));
        QVERIFY(!rows.value(QStringLiteral("Redo")).englishTitle());
        QVERIFY2(sectionTitles.join(QLatin1Char(',')).contains(QLatin1String("Fenster und Reiter/"))
                     && sectionTitles.join(QLatin1Char(',')).contains(QLatin1String("Windows & Tabs")),
                 qPrintable(sectionTitles.join(QLatin1Char(','))));
        // A translation layer that does not fit the sections is no answer at all.
        QJsonObject broken = QJsonDocument::fromJson(replyBytes).object();
        QJsonArray layer = broken[QLatin1String("local")].toArray();
        layer.removeLast();
        broken[QLatin1String("local")] = layer;
        QVERIFY(!ImportWorkerReply::decode(QJsonDocument(broken).toJson()));

        // Discovery in the user's language, as the tool and the program run it; then in C.
        auto entriesIn = [this](const QByteArray &lang) {
            qputenv("LANG", lang);
            const Run run = runTool({QStringLiteral("entries"), shipped_, QStringLiteral("--discover")});
            QHash<QString, QJsonObject> byId;
            for (const QString &line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                const QJsonObject entry = QJsonDocument::fromJson(line.toUtf8()).object();
                if (entry[QLatin1String("appSlug")].toString() == QLatin1String("org-example-fixture"))
                    byId.insert(entry[QLatin1String("id")].toString(), entry);
            }
            return byId;
        };
        const auto german = entriesIn("de_DE.UTF-8");
        const auto english = entriesIn("C.UTF-8");
        QVERIFY(!german.isEmpty());
        // Favourites are kept by id: the same ids whatever the language.
        QCOMPARE(QSet<QString>(german.keyBegin(), german.keyEnd()), QSet<QString>(english.keyBegin(), english.keyEnd()));
        const auto newWindow = std::find_if(german.cbegin(), german.cend(), [](const QJsonObject &e) {
            return e[QLatin1String("id")].toString().contains(QLatin1String("|New window|"));
        });
        QVERIFY(newWindow != german.cend());
        QCOMPARE((*newWindow)[QLatin1String("title")].toString(), QStringLiteral("Neues Fenster"));
        QVERIFY((*newWindow)[QLatin1String("sectionTitle")].toString().contains(QLatin1String("Fenster und Reiter")));
        const QString englishId = newWindow->value(QLatin1String("id")).toString();
        QCOMPARE(english.value(englishId)[QLatin1String("title")].toString(), QStringLiteral("New window"));
        // Each language has its own cache.
        QVERIFY(QFile::exists(DiscoveryCache::defaultFile(QStringLiteral("de_DE"))));
        QVERIFY(readFile(DiscoveryCache::defaultFile(QStringLiteral("de_DE"))).contains("Neues Fenster"));
        QVERIFY(!readFile(DiscoveryCache::defaultFile()).contains("Neues Fenster"));
        // Without the switch the tool discovers nothing.
        QVERIFY(!runTool({QStringLiteral("entries"), shipped_}).out.contains(QLatin1String("fixture")));

        // Search under German finds the row by its German and by its English words.
        qputenv("LANG", "de_DE.UTF-8");
        for (const QString &word : {QStringLiteral("neues"), QStringLiteral("new window")}) {
            const Run panel = runTool({QStringLiteral("panel"), shipped_, QStringLiteral("--discover"), QStringLiteral("--only-installed"),
                                       QStringLiteral("--active"), fixtureId, QStringLiteral("--search"), word});
            QVERIFY2(panel.out.contains(englishId), qPrintable(word + QLatin1Char('\n') + panel.out));
        }
        qputenv("LANG", "C.UTF-8");
        qunsetenv("LANGUAGE");
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    root = &dir;
    for (const char *name : {"home", "data", "data-dirs", "cache", "config", "bin"})
        QDir(dir.path()).mkpath(QString::fromLatin1(name));
    qputenv("HOME", dir.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", dir.filePath(QStringLiteral("data-dirs")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QDir(dir.path()).mkpath(QStringLiteral("schemas"));
    qputenv("GSETTINGS_SCHEMA_DIR", dir.filePath(QStringLiteral("schemas")).toLocal8Bit());
    // Titles as written unless a test asks for a language.
    qputenv("LANG", "C.UTF-8");
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(name);
    QCoreApplication app(argc, argv);
    TestDiscovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_discovery.moc"
