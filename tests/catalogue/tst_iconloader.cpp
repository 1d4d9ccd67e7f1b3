// Application icons: the installed application's own (from its desktop entry), then the icon file
// the catalogue names in the "Icons" folder, then the placeholder drawing. Runs on X11, where Qt
// looks icon themes up in the XDG data folders.

#include "LinuxTestSupport.h"
#include "catalogue/ShortcutStore.h"
#include "catalogue/ui/AppIconView.h"
#include "catalogue/ui/IconLoader.h"
#include "platform/RunningApp.h"
#include "platform/freedesktop/LinuxWorkspace.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>

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

    void lookupOrder_data()
    {
        QTest::addColumn<QString>("bundleId");
        QTest::addColumn<QString>("iconFile");
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed icon file before the Icons folder") << "org.example.installed" << "installed.png" << "#ff0000";
        QTest::newRow("installed theme icon") << "org.example.Themed" << "installed.png" << "#00ff00";
        QTest::newRow("installed without icon") << "org.example.NoIcon" << "editor.png" << "#0000ff";
        QTest::newRow("not installed") << "org.example.None" << "editor.png" << "#0000ff";
        QTest::newRow("no such file") << "org.example.None" << "missing.png" << "placeholder";
        QTest::newRow("not an image") << "" << "broken.png" << "placeholder";
        QTest::newRow("outside the folder") << "" << "../" + QFileInfo(iconsDir.path()).fileName() + "/editor.png"
                                            << "placeholder";
        QTest::newRow("nothing") << "" << "" << "placeholder";
    }

    void lookupOrder()
    {
        QFETCH(QString, bundleId);
        QFETCH(QString, iconFile);
        QFETCH(QString, expected);
        IconLoader loader(workspace.get(), iconsDir.path());
        const auto optional = [](const QString &s) { return s.isEmpty() ? std::nullopt : std::optional<QString>(s); };
        QCOMPARE(look(loader.appIcon(optional(bundleId), optional(iconFile))), expected);
    }

    void iconFilesAreReadOnce()
    {
        IconLoader loader(workspace.get(), iconsDir.path());
        QCOMPARE(look(loader.appIcon(std::nullopt, QStringLiteral("editor.png"))), QStringLiteral("#0000ff"));
        QCOMPARE(look(loader.appIcon(QStringLiteral("org.example.None"), QStringLiteral("editor.png"))),
                 QStringLiteral("#0000ff"));
        QCOMPARE(loader.fileLoads(), 1);
        // A failure is tried again: the file may appear.
        loader.appIcon(std::nullopt, QStringLiteral("later.png"));
        QVERIFY(writeFile(iconsDir.filePath(QStringLiteral("later.png")), png(Qt::black)));
        QCOMPARE(look(loader.appIcon(std::nullopt, QStringLiteral("later.png"))), QStringLiteral("#000000"));
        QCOMPARE(loader.fileLoads(), 3);

        IconLoader withoutFolder(workspace.get(), std::nullopt, false);
        QCOMPARE(look(withoutFolder.appIcon(std::nullopt, QStringLiteral("editor.png"))), QStringLiteral("placeholder"));
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
        QCOMPARE(look(loader.appIcon(QStringLiteral("firefox"), std::nullopt)), QStringLiteral("placeholder"));
        loader.setCatalogue(&store);
        QCOMPARE(look(loader.appIcon(QStringLiteral("firefox"), std::nullopt)), QStringLiteral("#00ff00"));
        QCOMPARE(look(loader.appIcon(QStringLiteral("org.mozilla.firefox"), std::nullopt)), QStringLiteral("#00ff00"));
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
        QCOMPARE(AppIconView::monogramColor("mousepad"), AppIconView::monogramColor("mousepad"));
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
        QVERIFY(runningAppIcon(app));
    }
};

CORVANE_ISOLATED_TEST_MAIN(TestIconLoader)
#include "tst_iconloader.moc"
