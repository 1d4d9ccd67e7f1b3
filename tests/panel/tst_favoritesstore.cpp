#include "panel/FavoritesStore.h"
#include "services/MemoryDefaultsStore.h"

#include <QTest>

namespace {
QStringList storedList(const DefaultsStore &defaults)
{
    QStringList list = defaults.value("favoriteShortcutIDs").toStringList();
    list.sort();
    return list;
}
} // namespace

class TestFavoritesStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void togglesAndStoresTheWholeSet()
    {
        MemoryDefaultsStore defaults;
        FavoritesStore favorites(defaults);
        QVERIFY(favorites.ids().isEmpty());
        QVERIFY(!defaults.contains("favoriteShortcutIDs"));
        favorites.toggle("a|S|Copy|ctrl+c");
        QCOMPARE(storedList(defaults), QStringList{"a|S|Copy|ctrl+c"});
        favorites.toggle("b|S|Paste|");
        QCOMPARE(storedList(defaults), (QStringList{"a|S|Copy|ctrl+c", "b|S|Paste|"}));
        favorites.toggle("a|S|Copy|ctrl+c");
        favorites.toggle("b|S|Paste|");
        // An empty set is stored as an empty list; the key stays.
        QVERIFY(defaults.contains("favoriteShortcutIDs"));
        QVERIFY(storedList(defaults).isEmpty());

        FavoritesStore reloaded(defaults);
        QVERIFY(reloaded.ids().isEmpty());
    }

    void malformedStoredValues_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("mixed list") << QVariant(QVariantList{"a", 1}) << QStringList{};
        QTest::newRow("list with a null") << QVariant(QVariantList{"a", QVariant()}) << QStringList{};
        QTest::newRow("nested list") << QVariant(QVariantList{"a", QVariantList{"b"}}) << QStringList{};
        QTest::newRow("a string") << QVariant("a") << QStringList{};
        QTest::newRow("a number") << QVariant(qint64(5)) << QStringList{};
        QTest::newRow("duplicates collapse") << QVariant(QVariantList{"a", "a", "b"}) << QStringList{"a", "b"};
    }
    void malformedStoredValues()
    {
        QFETCH(QVariant, stored);
        QFETCH(QStringList, loaded);
        MemoryDefaultsStore defaults;
        defaults.setValue("favoriteShortcutIDs", stored);
        FavoritesStore favorites(defaults);
        QStringList ids(favorites.ids().cbegin(), favorites.ids().cend());
        ids.sort();
        QCOMPARE(ids, loaded);
        // Loading writes nothing back; the next toggle replaces the stored value.
        QCOMPARE(defaults.value("favoriteShortcutIDs"), stored);
        favorites.toggle("new");
        QCOMPARE(storedList(defaults), QStringList(loaded) << "new");
    }
};

QTEST_APPLESS_MAIN(TestFavoritesStore)
#include "tst_favoritesstore.moc"
