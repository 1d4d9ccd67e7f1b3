#include "CatalogueLint.h"
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/ShortcutStore.h"
#include "services/SystemLog.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

// The catalogue that ships with the program: every file decodes, and none has an authoring mistake.
class TestShippedCatalogue : public QObject {
    Q_OBJECT

    const QString folder = QStringLiteral(CORVANE_SOURCE_DIR "/data/ShortcutData");

private Q_SLOTS:
    void everyFileDecodesCleanly()
    {
        AppShortcutsDecoder decoder;
        QList<AppShortcuts> apps;
        QStringList names;
        const QStringList files = ShortcutStore::dataFiles(folder);
        QVERIFY(files.size() >= 3);
        for (const QString &file : files) {
            const QString name = QFileInfo(file).fileName();
            auto result = decoder.decodeFile(file);
            QVERIFY2(result.app, qPrintable(name + ": " + result.error));
            const QStringList problems = CatalogueLint::lintApp(*result.app);
            QVERIFY2(problems.isEmpty(), qPrintable(name + ": " + problems.join("; ")));
            QCOMPARE(name, result.app->slug + ".json");
            apps << *result.app;
            names << name;
        }
        const QStringList problems = CatalogueLint::lintCatalogue(apps, names);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void loadsOnBothPlatforms()
    {
        for (const QString platform : {"linux", "macos"}) {
            SystemLog::Capture log;
            ShortcutStore store(folder, platform);
            store.load();
            QVERIFY2(log.lines().isEmpty(), qPrintable(log.lines().join('\n')));
            QCOMPARE(store.orderedApps().size(), store.apps().size());
        }
    }
};

QTEST_GUILESS_MAIN(TestShippedCatalogue)
#include "tst_shippedcatalogue.moc"
