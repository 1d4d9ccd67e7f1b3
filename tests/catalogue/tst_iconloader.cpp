// Application icons: the installed application's own (from its desktop entry), then the icon file
// the catalogue names in the "Icons" folder, then the placeholder drawing; read on the loader's
// worker, never by the caller. Runs on X11, where icon themes are looked up in the XDG data folders.

#include "LinuxTestSupport.h"
#include "catalogue/ShortcutStore.h"
#include "catalogue/ui/AppIconView.h"
#include "catalogue/ui/IconLoader.h"
#include "catalogue/ui/IconThemeFiles.h"
#include "platform/RunningApp.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/LinuxWorkspace.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QtEndian>

#include <sys/stat.h>

namespace {

QByteArray png(const QColor &color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The colour of a drawn icon, or "placeholder".
QString look(const QIcon &icon)
{
    if (icon.cacheKey() == IconLoader::placeholder().cacheKey())
        return QStringLiteral("placeholder");
    return icon.pixmap(16, 16).toImage().pixelColor(8, 8).name();
}

// The icon once the worker has answered (the placeholder when it found none).
QIcon settled(IconLoader &loader, const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    QElapsedTimer waited;
    waited.start();
    while (loader.lookUp(bundleId, iconFile).pending && waited.elapsed() < 5000)
        QTest::qWait(5);
    return loader.appIcon(bundleId, iconFile);
}

} // namespace

class TestIconLoader : public QObject {
    Q_OBJECT

    std::unique_ptr<LinuxWorkspace> workspace;
    QTemporaryDir iconsDir;

private Q_SLOTS:
    void initTestCase()
    {
        const QString red = envPath("XDG_DATA_HOME", QStringLiteral("red.png"));
        const QByteArray head = "[Desktop Entry]\nType=Application\nExec=sh\n";
        QVERIFY(writeFile(red, png(Qt::red)));
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("applications/org.example.Installed.desktop")),
                          head + "Name=Installed\nIcon=" + red.toUtf8() + "\n"));
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("applications/org.example.Themed.desktop")),
                          head + "Name=Themed\nIcon=corvane-test-themed\n"));
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("applications/org.example.NoIcon.desktop")),
                          head + "Name=No Icon\n"));
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("icons/hicolor/index.theme")),
                          "[Icon Theme]\nName=Hicolor\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n"));
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("icons/hicolor/16x16/apps/corvane-test-themed.png")),
                          png(Qt::green)));
        // Installed under an alias of the catalogue's application (Debian's Firefox).
        QVERIFY(writeFile(envPath("XDG_DATA_HOME", QStringLiteral("applications/firefox-esr.desktop")),
                          head + "Name=Firefox ESR\nIcon=corvane-test-themed\n"));
        QVERIFY(writeFile(iconsDir.filePath(QStringLiteral("editor.png")), png(Qt::blue)));
        QVERIFY(writeFile(iconsDir.filePath(QStringLiteral("installed.png")), png(Qt::yellow)));
        QVERIFY(writeFile(iconsDir.filePath(QStringLiteral("broken.png")), "not an image"));
        workspace = std::make_unique<LinuxWorkspace>();
    }

    // The installed icon file before the Icons folder, then the theme's icon, then the Icons folder;
    // the placeholder for no file, no image, a path outside the folder, or nothing.
    void lookupOrder()
    {
        const QList<std::tuple<QString, QString, QString>> cases{
            {"org.example.installed", "installed.png", "#ff0000"},
            {"org.example.Themed", "installed.png", "#00ff00"},
            {"org.example.NoIcon", "editor.png", "#0000ff"},
            {"org.example.None", "editor.png", "#0000ff"},
            {"org.example.None", "missing.png", "placeholder"},
            {"", "broken.png", "placeholder"},
            {"", "../" + QFileInfo(iconsDir.path()).fileName() + "/editor.png", "placeholder"},
            {"", "", "placeholder"},
        };
        const auto optional = [](const QString &s) { return s.isEmpty() ? std::nullopt : std::optional<QString>(s); };
        for (const auto &[bundleId, iconFile, expected] : cases) {
            IconLoader loader(workspace.get(), iconsDir.path());
            QCOMPARE(look(settled(loader, optional(bundleId), optional(iconFile))), expected);
        }
    }

    // Asked for, an icon is pending (the placeholder is drawn) until the worker's answer arrives, with
    // a signal for the views; then it is answered from memory, also under another identifier that
    // names the same files.
    void iconsArriveOnceFromTheWorker()
    {
        IconLoader loader(workspace.get(), iconsDir.path());
        QSignalSpy arrived(&loader, &IconLoader::iconsArrived);
        QVERIFY(loader.lookUp(std::nullopt, QStringLiteral("editor.png")).pending);
        QCOMPARE(look(loader.appIcon(std::nullopt, QStringLiteral("editor.png"))), QStringLiteral("placeholder"));
        QVERIFY(arrived.wait(5000));
        QCOMPARE(look(loader.appIcon(std::nullopt, QStringLiteral("editor.png"))), QStringLiteral("#0000ff"));
        QCOMPARE(look(loader.appIcon(QStringLiteral("org.example.None"), QStringLiteral("editor.png"))),
                 QStringLiteral("#0000ff"));
        QCOMPARE(loader.fileLoads(), 1);

        IconLoader withoutFolder(workspace.get(), std::nullopt, false);
        QVERIFY(!withoutFolder.lookUp(std::nullopt, QStringLiteral("editor.png")).pending);
        QCOMPARE(look(withoutFolder.appIcon(std::nullopt, QStringLiteral("editor.png"))), QStringLiteral("placeholder"));
    }

    // What a desktop entry or a theme names may be anything: a FIFO (which blocks whoever opens it),
    // a file of gigabytes, an image claiming a huge size, garbage. The caller never waits on any of
    // them; each ends as "no icon" with a log line, and the worker goes on to the good ones.
    void hostileIconFiles()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo.png"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString themedFifo = envPath("XDG_DATA_HOME", QStringLiteral("icons/hicolor/16x16/apps/corvane-test-fifo.png"));
        QCOMPARE(mkfifo(QFile::encodeName(themedFifo).constData(), 0600), 0);
        const QString huge = dir.filePath(QStringLiteral("huge.png"));
        QFile hugeFile(huge);
        QVERIFY(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize(qint64(3) << 30));
        hugeFile.close();
        // A PNG header claiming 60000 by 60000 pixels: a few bytes that would decode to 14 GB.
        QByteArray bomb = png(Qt::red);
        qToBigEndian<quint32>(60000, bomb.data() + 16);
        qToBigEndian<quint32>(60000, bomb.data() + 20);
        const QString bombPath = dir.filePath(QStringLiteral("bomb.png"));
        QVERIFY(writeFile(bombPath, bomb));
        const QString garbage = dir.filePath(QStringLiteral("garbage.svg"));
        QVERIFY(writeFile(garbage, "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'><rect"));

        SystemLog::Capture log;
        IconLoader loader(workspace.get(), iconsDir.path());
        QElapsedTimer asking;
        asking.start();
        for (const QString &name : {fifo, QStringLiteral("corvane-test-fifo"), huge, bombPath, garbage})
            QVERIFY(loader.named(name).pending);
        QVERIFY(loader.named(QStringLiteral("corvane-test-themed")).pending);
        QVERIFY(asking.elapsed() < 500);
        for (const QString &name : {fifo, QStringLiteral("corvane-test-fifo"), huge, bombPath, garbage})
            QTRY_VERIFY_WITH_TIMEOUT(!loader.named(name).pending && !loader.named(name).icon, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(loader.named(QStringLiteral("corvane-test-themed")).icon, 5000);
        QCOMPARE(look(*loader.named(QStringLiteral("corvane-test-themed")).icon), QStringLiteral("#00ff00"));
        for (const QString &path : {fifo, themedFifo, huge, bombPath, garbage})
            QVERIFY2(log.lines().filter(QStringLiteral("skipped the icon file ") + path).size() == 1, qPrintable(path));
        QVERIFY(QFile::remove(themedFifo));
    }

    // The theme the user chose, the themes it inherits, hicolor, then the pixmaps folders; within a
    // theme the folder whose size is nearest to the one asked for.
    void themeFilesFollowTheChain()
    {
        QTemporaryDir base;
        const auto put = [&](const QString &path, const QByteArray &bytes = "x") {
            QVERIFY(writeFile(base.filePath(path), bytes));
        };
        put("Mine/index.theme", "[Icon Theme]\nName=Mine\nInherits=Parent,Mine\nDirectories=16x16/apps,48x48/apps,scalable/apps\n"
                                "[16x16/apps]\nSize=16\nType=Fixed\n[48x48/apps]\nSize=48\nType=Fixed\n"
                                "[scalable/apps]\nSize=64\nType=Scalable\nMinSize=8\nMaxSize=512\n");
        put("Parent/index.theme", "[Icon Theme]\nDirectories=32x32/apps\n[32x32/apps]\nSize=32\n");
        put("hicolor/index.theme", "[Icon Theme]\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\nType=Fixed\n");
        put("Mine/16x16/apps/sized.png");
        put("Mine/48x48/apps/sized.png");
        put("Mine/16x16/apps/small.png");
        put("Mine/scalable/apps/small.svg");
        put("Parent/32x32/apps/inherited.png");
        put("hicolor/48x48/apps/inherited.png");
        put("hicolor/48x48/apps/last.png");
        put("pixmaps/old.xpm");
        IconThemeFiles files({base.path()}, QStringLiteral("Mine"), {base.filePath(QStringLiteral("pixmaps"))});
        QCOMPARE(files.find(QStringLiteral("sized"), 40), base.filePath(QStringLiteral("Mine/48x48/apps/sized.png")));
        QCOMPARE(files.find(QStringLiteral("sized"), 18), base.filePath(QStringLiteral("Mine/16x16/apps/sized.png")));
        QCOMPARE(files.find(QStringLiteral("small"), 64), base.filePath(QStringLiteral("Mine/scalable/apps/small.svg")));
        QCOMPARE(files.find(QStringLiteral("inherited"), 48), base.filePath(QStringLiteral("Parent/32x32/apps/inherited.png")));
        QCOMPARE(files.find(QStringLiteral("last"), 16), base.filePath(QStringLiteral("hicolor/48x48/apps/last.png")));
        QCOMPARE(files.find(QStringLiteral("old"), 16), base.filePath(QStringLiteral("pixmaps/old.xpm")));
        QCOMPARE(files.find(QStringLiteral("../Mine/48x48/apps/sized"), 16), QString());
        QCOMPARE(files.find(QStringLiteral("none"), 16), QString());
    }

    void aliasesFindTheInstalledIcon()
    {
        AppShortcuts firefox;
        firefox.slug = "firefox";
        firefox.name = "Firefox";
        firefox.bundleId = "firefox";
        firefox.aliases = QStringList{"org.mozilla.firefox", "firefox-esr"};
        firefox.keymaps = {Keymap{"Default", std::nullopt, {ShortcutSection{"Tabs", {RawShortcut{"New tab", QString("ctrl+t"), std::nullopt}}}}}};
        ShortcutStore store(std::nullopt, "linux");
        store.load({firefox});
        IconLoader loader(workspace.get(), iconsDir.path());
        QCOMPARE(look(settled(loader, QStringLiteral("firefox"), std::nullopt)), QStringLiteral("placeholder"));
        loader.setCatalogue(&store);
        QCOMPARE(look(settled(loader, QStringLiteral("firefox"), std::nullopt)), QStringLiteral("#00ff00"));
        QCOMPARE(look(settled(loader, QStringLiteral("org.mozilla.firefox"), std::nullopt)), QStringLiteral("#00ff00"));
    }

    // Not installed and no icon file: a tile with the name's letter, its colour fixed by the slug.
    void monogramForApplicationsWithoutIcon()
    {
        IconLoader loader(workspace.get(), iconsDir.path());
        const AppIconView view{QStringLiteral("org.example.None"), std::nullopt, 18, false, std::nullopt,
                               QStringLiteral("Mousepad"), QStringLiteral("mousepad")};
        const QImage at2x = view.render(loader, 2.0);
        QCOMPARE(at2x.size(), QSize(36, 36));  // crisp at twice the pixels
        QCOMPARE(at2x.pixelColor(3, 18).rgb(), AppIconView::monogramColor("mousepad").rgb());
        QVERIFY(AppIconView::monogramColor("mousepad") != AppIconView::monogramColor("gedit"));
        // The letter is drawn: white pixels in the middle of the tile.
        bool white = false;
        for (int x = 10; x < 26 && !white; ++x)
            white = at2x.pixelColor(x, 18).lightness() > 230;
        QVERIFY(white);
        // Without a name, the placeholder as before.
        const AppIconView unnamed{QStringLiteral("org.example.None"), std::nullopt, 18, false, std::nullopt};
        QVERIFY(unnamed.render(loader).pixelColor(3, 9) != AppIconView::monogramColor(""));
    }

    // A window's own icon (_NET_WM_ICON): every size it holds, the nearest one drawn.
    void windowIconData()
    {
        QByteArray data;
        auto add = [&](quint32 side, QRgb color) {
            QList<quint32> values{side, side};
            for (quint32 i = 0; i < side * side; ++i)
                values.append(color);
            data.append(reinterpret_cast<const char *>(values.constData()), values.size() * 4);
        };
        add(16, qRgb(255, 0, 0));
        add(48, qRgb(0, 0, 255));
        const QIcon icon = windowIcon(data);
        QCOMPARE(icon.availableSizes().size(), 2);
        QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(icon.pixmap(40, 40).toImage().pixelColor(20, 20), QColor(Qt::blue));
        // Cut short: the sizes that are whole are kept, nothing is read past the end.
        QCOMPARE(windowIcon(data.left(data.size() - 4)).availableSizes().size(), 1);
        QVERIFY(windowIcon(QByteArray("\x05\0\0\0", 4)).isNull());
        RunningApp app;
        app.windowIcon = data;
        IconLoader loader(workspace.get(), iconsDir.path());
        QVERIFY(runningAppIcon(app, loader));
    }
};

CORVANE_ISOLATED_TEST_MAIN(TestIconLoader)
#include "tst_iconloader.moc"
