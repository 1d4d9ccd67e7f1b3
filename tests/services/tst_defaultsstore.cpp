#include "SettingsFileSupport.h"
#include "TestSupport.h"
#include "services/JsonDefaultsStore.h"
#include "services/MemoryDefaultsStore.h"
#include "services/SystemLog.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <limits>

namespace {

// A value with its type, nested lists included, so that 768 and 768.0 or "50" and 50 tell apart.
QString describe(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType: return QStringLiteral("invalid");
    case QMetaType::Double: return QString::asprintf("double %.17g", value.toDouble());
    case QMetaType::QVariantList: {
        QStringList items;
        for (const QVariant &item : value.toList())
            items << describe(item);
        return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case QMetaType::QVariantMap: {
        QStringList fields;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            fields << it.key() + QStringLiteral(": ") + describe(it.value());
        return QLatin1Char('{') + fields.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    default: return QString::fromLatin1(value.typeName()) + QLatin1Char(' ') + value.toString();
    }
}

// What a later run of the program reads from the file: a store of its own on a copy.
QString describeAfterReopening(const QString &path, const QString &key)
{
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("corvane.json"));
    if (!QFile::copy(path, copy))
        return QStringLiteral("no file");
    return describe(JsonDefaultsStore(copy).value(key));
}

} // namespace

class TestDefaultsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memoryStoreSetsAndRemoves()
    {
        MemoryDefaultsStore store;
        QVERIFY(!store.contains("hotKeyCode"));
        store.setValue("hotKeyCode", 50);
        store.setValue("hotKeyCode", QStringLiteral("51"));
        store.setValue("launchAtLogin", true);
        store.setValue("launchAtLogin", QVariant());
        QCOMPARE(store.values(), (QVariantMap{{"hotKeyCode", QStringLiteral("51")}}));
    }

    // Every type written comes back as it was: strings stay strings, integers widen, doubles keep
    // their shortest digits, lists nest.
    void typesSurviveTheFile()
    {
        const QList<QPair<QVariant, QString>> cases{
            {QVariant("hello"), "QString hello"},
            {QVariant("50"), "QString 50"},
            {QVariant(QStringLiteral("\"q\" \\ \n\t\x01 \b\f\r\x1f \u00e9 \U0001F600")),
             QStringLiteral("QString \"q\" \\ \n\t\x01 \b\f\r\x1f \u00e9 \U0001F600")},
            {QVariant(true), "bool true"},
            {QVariant(42), "qlonglong 42"},
            {QVariant(9007199254740993LL), "qlonglong 9007199254740993"},
            {QVariant(std::numeric_limits<qlonglong>::max()), "qlonglong 9223372036854775807"},
            {QVariant(std::numeric_limits<qlonglong>::min()), "qlonglong -9223372036854775808"},
            {QVariant(2.5), "double 2.5"},
            {QVariant(768.0), "double 768"},
            {QVariant(-0.5), "double -0.5"},
            {QVariant(0.1), "double 0.10000000000000001"},
            {QVariant(1e300), "double 1.0000000000000001e+300"},
            {QVariant(QStringList{"a", "b"}), "[QString a, QString b]"},
            {QVariant(QStringList()), "[]"},
            {QVariant(QVariantList{"a", 1, 2.0, true, QVariantList{"x", QVariantList{}}}),
             "[QString a, qlonglong 1, double 2, bool true, [QString x, []]]"},
        };
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        {
            JsonDefaultsStore store(path);
            for (qsizetype i = 0; i < cases.size(); ++i)
                store.setValue(QString::number(i), cases[i].first);
        }
        for (qsizetype i = 0; i < cases.size(); ++i)
            QCOMPARE(describeAfterReopening(path, QString::number(i)), cases[i].second);
    }

    void handWrittenFileKeepsItsTypes()
    {
        DataFolder folder;
        folder.write("corvane.json", R"({"hotKeyCode": "50", "hotKeyModifiers": 768.5, "whole": 768.0,
            "exponent": 1e3, "count": 768, "big": 9007199254740993, "favoriteShortcutIDs": ["a", 1, [true, null]]})");
        SystemLog::Capture log;
        const JsonDefaultsStore store(folder.file("corvane.json"));
        QCOMPARE(describe(store.value("hotKeyCode")), "QString 50");
        QCOMPARE(describe(store.value("hotKeyModifiers")), "double 768.5");
        QCOMPARE(describe(store.value("whole")), "double 768");
        QCOMPARE(describe(store.value("exponent")), "double 1000");
        QCOMPARE(describe(store.value("count")), "qlonglong 768");
        QCOMPARE(describe(store.value("big")), "qlonglong 9007199254740993");
        QCOMPARE(describe(store.value("favoriteShortcutIDs")), "[QString a, qlonglong 1, [bool true, invalid]]");
        QVERIFY(!store.contains("absent"));
        QCOMPARE(log.lines(), QStringList());
    }

    void writesKeepUnknownKeys()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        folder.write("corvane.json", R"({"fromNewerVersion": {"list": [1, 2.0, null]}, "cleared": null, "old": 1})");
        JsonDefaultsStore store(path);
        store.setValue("hotKeyCode", 50);
        store.setValue("old", QVariant());
        QVERIFY(store.flush());
        const QJsonObject expected{{"fromNewerVersion", QJsonObject{{"list", QJsonArray{1, 2.0, QJsonValue()}}}},
                                   {"cleared", QJsonValue()},
                                   {"hotKeyCode", 50}};
        QCOMPARE(parsedObject(path), expected);
        QCOMPARE(describeAfterReopening(path, "fromNewerVersion"), "{list: [qlonglong 1, double 2, invalid]}");
    }

    void missingAndEmptyFilesHoldNoValues()
    {
        for (const auto &[content, exists] : {std::pair{QByteArray(), false}, {QByteArray(), true}, {QByteArray(" \n\t"), true},
                                              {QByteArray("{}"), true}}) {
            missingOrEmptyFile(content, exists);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void missingOrEmptyFile(const QByteArray &content, bool exists)
    {
        DataFolder folder;
        const QString path = folder.file("new/folders/corvane.json");
        if (exists) {
            QVERIFY(QDir(folder.path()).mkpath("new/folders"));
            folder.write("new/folders/corvane.json", content);
        }
        SystemLog::Capture log;
        JsonDefaultsStore store(path);
        QVERIFY(!store.contains("hotKeyCode"));
        QCOMPARE(QFile::exists(path), exists);
        store.setValue("hotKeyCode", 50);
        QVERIFY(store.flush());
        QCOMPARE(parsedObject(path), (QJsonObject{{"hotKeyCode", 50}}));
        QCOMPARE(log.lines(), QStringList());
        QVERIFY(!QFile::exists(path + ".corrupt"));
    }

    void damagedFileIsKeptAside()
    {
        for (const QByteArray &content : {QByteArray("hotKeyCode = 50\n"),
                                          QByteArray("{\n    \"favoriteShortcutIDs\": [\n        \"a\",\n        \"b"),
                                          QByteArray(R"([{"hotKeyCode": 50}])"), QByteArray(R"("hotKeyCode")"),
                                          QByteArray(R"({"hotKeyCode": 50} })"),
                                          QByteArray("\x00\xff{\"hotKeyCode\"\x00\x01\x89PNG", 21)}) {
            damagedFile(content);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void damagedFile(const QByteArray &content)
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        folder.write("corvane.json", content);
        SystemLog::Capture log;
        {
            const JsonDefaultsStore store(path);
            QVERIFY(!store.contains("hotKeyCode"));
            QVERIFY(!store.contains("favoriteShortcutIDs"));
        }
        QCOMPARE(contents(path), content);
        QCOMPARE(contents(path + ".corrupt"), content);
        QCOMPARE(log.lines(),
                 QStringList("Corvane: settings file " + path
                             + " is damaged; kept it as corvane.json.corrupt and started from defaults"));

        // A second start finds it still damaged: a copy of its own, the first one untouched.
        JsonDefaultsStore(path).setValue("launchAtLogin", true);
        QCOMPARE(parsedObject(path), (QJsonObject{{"launchAtLogin", true}}));
        QCOMPARE(contents(path + ".corrupt"), content);
        QCOMPARE(contents(path + ".corrupt.1"), content);
        QCOMPARE(log.lines().size(), 2);
        QVERIFY(log.lines().at(1).endsWith("kept it as corvane.json.corrupt.1 and started from defaults"));
    }

    void killedWriterLeavesOneCompleteWrite()
    {
        DataFolder folder;
        const QString path = folder.file("corvane.json");
        folder.write("corvane.json", R"({"fromElsewhere": ["kept", 1.5]})");
        qlonglong previous = 0;
        for (int round = 0; round < 20; ++round) {
            const QByteArray where = "round " + QByteArray::number(round);
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(DEFAULTS_WRITER, {path});
            QVERIFY2(writer.waitForReadyRead(10000), where);
            QThread::msleep(5 + round * 73 % 250);
            writer.kill();
            QVERIFY2(writer.waitForFinished(5000), where);

            const QJsonObject file = parsedObject(path);
            QVERIFY2(!file.contains("parse error"), (where + ": " + contents(path).left(300)).constData());
            QCOMPARE(file.value("fromElsewhere"), (QJsonArray{"kept", 1.5}));
            const qlonglong written = file.value("written").toInteger();
            const QJsonArray entries = file.value("entries").toArray();
            QVERIFY2(!entries.isEmpty() && written >= previous, where);
            // "entries" of write n, and "written" either n too or the write before.
            const qlonglong n = entries.first().toString().section(' ', 1, 1).toLongLong();
            QVERIFY2(n == written || n == written + 1, where);
            QCOMPARE(entries.size(), n % 500 + 1);
            for (qsizetype k = 0; k < entries.size(); ++k)
                QCOMPARE(entries.at(k).toString(), QStringLiteral("write %1 item %2").arg(n).arg(k));
            previous = written;
        }
        QVERIFY(previous > 20);
        SystemLog::Capture log;
        QCOMPARE(describeAfterReopening(path, "written"), "qlonglong " + QString::number(previous));
        QCOMPARE(log.lines(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDefaultsStore)
#include "tst_defaultsstore.moc"
