// The settings file when things go wrong: a full disk, a file damaged while the program runs, damage
// that cannot be kept aside, things other than a file at its place, lock files left behind, a file
// so large that writing it takes a while.
#include "SettingsFileSupport.h"
#include "TestSupport.h"
#include "services/AtomicFileWriter.h"
#include "services/FileLock.h"
#include "services/JsonDefaultsStore.h"
#include "services/SystemLog.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 maxResidentKiB()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool isFifo(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

int countContaining(const QStringList &lines, const QString &text)
{
    return int(std::count_if(lines.cbegin(), lines.cend(), [&](const QString &line) { return line.contains(text); }));
}

} // namespace

class TestSettingsFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A write that does not fit leaves the previous file byte for byte, is logged each time and
    // reported once; once there is room, the next write carries every change.
    void fullDiskKeepsThePreviousFile()
    {
        ConstrainedFolder disk;
        qInfo("failing writes come from %s", qPrintable(disk.kind()));
        const QString path = disk.file("corvane.json");
        SystemLog::Capture log;
        JsonDefaultsStore store(path);
        QSignalSpy reported(&store, &JsonDefaultsStore::failureReported);
        store.setValue("favoriteShortcutIDs", QStringList{"a|b|c|d"});
        QVERIFY(store.flush());
        const QByteArray before = contents(path);

        disk.exhaust(4096);
        const QString large(64 * 1024, QLatin1Char('x'));
        store.setValue("hotKeyDisplay", large);
        QVERIFY(!store.flush());
        store.setValue("accentName", "teal");
        QVERIFY(!store.flush());
        QCOMPARE(contents(path), before);
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 (disk.isTmpfs() ? QStringList{"corvane.json", "corvane.json.lock", "filler"}
                                 : QStringList{"corvane.json", "corvane.json.lock"})); // no temporary files left
        QCOMPARE(countContaining(log.lines(), "Corvane: could not save settings to " + path + ": "), 2);
        QCOMPARE(reported.count(), 1);
        QVERIFY(reported.at(0).at(0).toString().contains(path));
        QCOMPARE(store.value("accentName"), QVariant("teal")); // the program goes on with its values

        // Every QSaveFile use goes through the same checked writer (the autostart entry too).
        const QString other = disk.file("other.desktop");
        QVERIFY(!AtomicFileWriter::write(other, "[Desktop Entry]\n"));
        QVERIFY(AtomicFileWriter::write(other, QByteArray(64 * 1024, 'y')));
        QCOMPARE(contents(other), QByteArray("[Desktop Entry]\n"));

        disk.relieve();
        const int linesBefore = int(log.lines().size());
        store.setValue("onlyInstalledApps", true);
        QVERIFY(store.flush());
        const QJsonObject saved = parsedObject(path);
        QCOMPARE(saved.value("hotKeyDisplay").toString(), large);
        QCOMPARE(saved.value("accentName").toString(), "teal");
        QCOMPARE(saved.value("onlyInstalledApps").toBool(), true);
        QCOMPARE(saved.value("favoriteShortcutIDs").toArray(), QJsonArray{"a|b|c|d"});
        QCOMPARE(log.lines().size(), linesBefore); // success after failures says nothing
        QCOMPARE(reported.count(), 1);
    }

    // Another program damages the file, or edits it, while the store has it open: the damaged file is
    // kept, and the next write merges the change into what is valid instead of dropping the rest.
    void changesOnDiskWhileRunningAreMerged()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        folder.write("corvane.json", R"({"favoriteShortcutIDs": ["a", "b"], "accentName": "teal"})");
        SystemLog::Capture log;
        JsonDefaultsStore store(path);

        folder.write("corvane.json", "{\"favoriteShortcutIDs\": [\"a\", \"b\"], \"acc"); // cut short by a sync tool
        store.setValue("onlyInstalledApps", true);
        QVERIFY(store.flush());
        QCOMPARE(parsedObject(path),
                 (QJsonObject{{"favoriteShortcutIDs", QJsonArray{"a", "b"}}, {"accentName", "teal"}, {"onlyInstalledApps", true}}));
        QCOMPARE(contents(path + ".corrupt"), QByteArray("{\"favoriteShortcutIDs\": [\"a\", \"b\"], \"acc"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().at(0).contains("was damaged; kept it as corvane.json.corrupt"));

        // A valid edit by someone else is kept too, under the change.
        QTest::qWait(20); // a new modification time even on coarse clocks
        folder.write("corvane.json", R"({"favoriteShortcutIDs": ["c"], "fromElsewhere": 1, "accentName": "red"})");
        store.setValue("accentName", "green");
        QVERIFY(store.flush());
        QCOMPARE(parsedObject(path), (QJsonObject{{"favoriteShortcutIDs", QJsonArray{"c"}}, {"fromElsewhere", 1},
                                                  {"accentName", "green"}}));
        QCOMPARE(store.value("fromElsewhere"), QVariant(qlonglong(1)));
        QCOMPARE(log.lines().size(), 1);
    }

    // Every incident keeps its own copy, up to a few; past them, and whenever the copy fails, the
    // damaged file is not written over: the store runs from memory and says so.
    void damagedFilesAreNeverWrittenOver()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        folder.write("corvane.json", "first damage");
        SystemLog::Capture log;
        JsonDefaultsStore store(path);
        QSignalSpy reported(&store, &JsonDefaultsStore::failureReported);
        for (int incident = 2; incident <= JsonDefaultsStore::maxKeptCopies + 1; ++incident) {
            QTest::qWait(20);
            folder.write("corvane.json", "damage " + QByteArray::number(incident));
            store.setValue("hotKeyCode", incident);
            QCOMPARE(store.flush(), incident <= JsonDefaultsStore::maxKeptCopies);
        }
        QCOMPARE(contents(path + ".corrupt"), QByteArray("first damage"));
        for (int n = 1; n < JsonDefaultsStore::maxKeptCopies; ++n)
            QCOMPARE(contents(path + ".corrupt." + QString::number(n)), "damage " + QByteArray::number(n + 1));
        QCOMPARE(contents(path), "damage " + QByteArray::number(JsonDefaultsStore::maxKeptCopies + 1));
        QCOMPARE(store.value("hotKeyCode"), QVariant(JsonDefaultsStore::maxKeptCopies + 1));
        QCOMPARE(reported.count(), 1);
        QVERIFY(log.lines().constLast().contains("could not be kept aside"));

        // Once a copy is removed, the next change goes through.
        QVERIFY(QFile::remove(path + ".corrupt"));
        store.setValue("accentName", "pink");
        QVERIFY(store.flush());
        QCOMPARE(contents(path + ".corrupt"), "damage " + QByteArray::number(JsonDefaultsStore::maxKeptCopies + 1));
        QCOMPARE(parsedObject(path), (QJsonObject{{"hotKeyCode", JsonDefaultsStore::maxKeptCopies + 1}, {"accentName", "pink"}}));
    }

    void failedCopyAsideIsNotWrittenOver()
    {
        ConstrainedFolder disk;
        qInfo("the copy fails on %s", qPrintable(disk.kind()));
        const QString path = disk.file("corvane.json");
        const QByteArray damaged = "{\"favoriteShortcutIDs\": [\"" + QByteArray(64 * 1024, 'a');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        disk.exhaust(16 * 1024); // room for the settings, not for a copy of the damaged file
        SystemLog::Capture log;
        JsonDefaultsStore store(path);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().at(0).contains("is damaged and could not be copied aside"));
        store.setValue("hotKeyCode", 50);
        QVERIFY(!store.flush());
        QCOMPARE(contents(path), damaged);
        QVERIFY(!QFile::exists(path + ".corrupt"));
        QCOMPARE(store.value("hotKeyCode"), QVariant(50));

        disk.relieve();
        store.setValue("accentName", "teal");
        QVERIFY(store.flush());
        QCOMPARE(contents(path + ".corrupt"), damaged);
        QCOMPARE(parsedObject(path), (QJsonObject{{"hotKeyCode", 50}, {"accentName", "teal"}}));
    }

    // What is not a regular file of bounded size is never read: start-up returns at once with bounded
    // memory, and the first write moves it aside whole.
    void onlyRegularFilesAreRead()
    {
        for (const QString kind : {"fifo", "zero", "directory", "dangling", "large"}) {
            onlyRegularFileIsRead(kind);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void onlyRegularFileIsRead(const QString &kind)
    {
        qInfo("settings file: %s", qPrintable(kind));
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo")
            QVERIFY(::mkfifo(native.constData(), 0600) == 0);
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "directory")
            QVERIFY(QDir(folder.path()).mkpath("corvane.json/inside"));
        else if (kind == "dangling")
            QVERIFY(QFile::link(folder.file("nowhere"), path));
        else {
            folder.write("corvane.json", "{}");
            QVERIFY(::truncate(native.constData(), JsonDefaultsStore::maxFileSize + 1) == 0); // sparse: costs no disk
        }

        SystemLog::Capture log;
        const qint64 memoryBefore = maxResidentKiB();
        QElapsedTimer timer;
        timer.start();
        JsonDefaultsStore store(path);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(maxResidentKiB() - memoryBefore < 64 * 1024);
        QVERIFY(!store.contains("hotKeyCode"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().at(0).startsWith("Corvane: cannot read settings file " + path), qPrintable(log.lines().at(0)));

        store.setValue("hotKeyCode", 50);
        QVERIFY(store.flush());
        QCOMPARE(parsedObject(path), (QJsonObject{{"hotKeyCode", 50}}));
        const QFileInfo kept(path + ".corrupt");
        QVERIFY(kept.exists() || kept.isSymLink());
        if (kind == "fifo")
            QVERIFY(isFifo(kept.filePath()));
        else if (kind == "zero" || kind == "dangling")
            QVERIFY(kept.isSymLink());
        else if (kind == "directory")
            QVERIFY(QFileInfo::exists(kept.filePath() + "/inside"));
        else
            QCOMPARE(kept.size(), JsonDefaultsStore::maxFileSize + 1);
    }

    // A lock file that no live process holds is no obstacle, whatever it is; one that a live process
    // holds delays a write by a moment only, and never the caller.
    void staleLocksOfEveryShape()
    {
        for (const QString kind : {"empty", "text", "dead", "live", "rmlock", "directory", "fifo", "dangling", "held"}) {
            staleLock(kind);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void staleLock(const QString &kind)
    {
        qInfo("lock: %s", qPrintable(kind));
        DataFolder folder;
        const QString lock = folder.file("corvane.json.lock");
        FileLock holder;
        if (kind == "empty")
            folder.write("corvane.json.lock", "");
        else if (kind == "text")
            folder.write("corvane.json.lock", "not a pid\n\x01\xff");
        else if (kind == "dead")
            folder.write("corvane.json.lock", "2147483646\ncorvane\nsomehost\n");
        else if (kind == "live")
            folder.write("corvane.json.lock", QByteArray::number(qint64(getpid())) + "\ncorvane\n\n");
        else if (kind == "rmlock") {
            folder.write("corvane.json.lock", "12\n");
            folder.write("corvane.json.lock.rmlock", "");
        } else if (kind == "directory")
            QVERIFY(QDir(folder.path()).mkdir("corvane.json.lock"));
        else if (kind == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(lock).constData(), 0600) == 0);
        else if (kind == "dangling")
            QVERIFY(QFile::link(folder.file("nowhere"), lock));
        else
            QCOMPARE(holder.acquire(lock, 0), FileLock::Outcome::Acquired);

        SystemLog::Capture log;
        JsonDefaultsStore store(folder.file("corvane.json"));
        QElapsedTimer timer;
        timer.start();
        store.setValue("hotKeyCode", 50);
        QVERIFY(timer.elapsed() < 100);
        QVERIFY(store.flush());
        QVERIFY2(timer.elapsed() < (kind == "held" ? 4000 : 1000), qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(parsedObject(folder.file("corvane.json")), (QJsonObject{{"hotKeyCode", 50}}));
        QCOMPARE(log.lines().size(), kind == "held" || kind == "directory" || kind == "dangling" ? 1 : 0);
    }

    // A large file is written on the store's thread: changes return at once, a burst of them goes
    // into few writes, and the last change is on disk when the store is done.
    void largeFilesDoNotBlockChanges()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        QVariantList history;
        for (int i = 0; i < 200000; ++i)
            history << QStringLiteral("entry %1 of a long list kept by a newer version").arg(i);
        {
            JsonDefaultsStore store(path);
            store.setValue("history", history);
        }
        QVERIFY(QFileInfo(path).size() > 8 * 1024 * 1024);

        JsonDefaultsStore store(path);
        QElapsedTimer timer;
        timer.start();
        qint64 slowest = 0;
        for (int i = 0; i < 40; ++i) {
            QElapsedTimer one;
            one.start();
            store.setValue("favoriteShortcutIDs", QStringList{QString::number(i)});
            slowest = std::max(slowest, one.elapsed());
        }
        const qint64 burst = timer.elapsed();
        QVERIFY(store.flush());
        const qint64 written = timer.elapsed();
        qInfo("%lld-byte file: slowest change %lld ms, burst of 40 %lld ms, all on disk after %lld ms",
              QFileInfo(path).size(), slowest, burst, written);
        QVERIFY2(slowest < 50 && burst * 4 < written,
                 qPrintable(QStringLiteral("slowest change %1 ms, burst %2 ms, all written after %3 ms")
                                .arg(slowest).arg(burst).arg(written)));
        QCOMPARE(JsonDefaultsStore(path).value("favoriteShortcutIDs"), QVariant(QVariantList{"39"}));
    }

    // The last of a burst of changes is on disk when the store ends, and when the session ends the
    // program with SIGTERM right after a change.
    void lastChangeSurvivesTheEnd()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        {
            JsonDefaultsStore store(path);
            for (int i = 0; i < 100; ++i)
                store.setValue("hotKeyCode", i);
        }
        QCOMPARE(parsedObject(path), (QJsonObject{{"hotKeyCode", 99}}));

        QVERIFY(QFile::remove(path));
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(DEFAULTS_WRITER, {"--term", path});
        QVERIFY(writer.waitForReadyRead(10000));
        writer.terminate();
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(parsedObject(path).value("last").toString(), "on disk");
    }
};

QTEST_GUILESS_MAIN(TestSettingsFailures)
#include "tst_settingsfailures.moc"
