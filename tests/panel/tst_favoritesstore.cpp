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

    // Anything but a list of strings loads as no favourites, duplicates collapse; loading writes
    // nothing back, and the next toggle replaces the stored value.
    void malformedStoredValues()
    {
        const QList<QPair<QVariant, QStringList>> cases{
            {QVariant(QVariantList{"a", 1}), {}},
            {QVariant(QVariantList{"a", QVariant()}), {}},
            {QVariant(QVariantList{"a", QVariantList{"b"}}), {}},
            {QVariant("a"), {}},
            {QVariant(qint64(5)), {}},
            {QVariant(QVariantList{"a", "a", "b"}), {"a", "b"}},
        };
        for (const auto &[stored, loaded] : cases) {
            MemoryDefaultsStore defaults;
            defaults.setValue("favoriteShortcutIDs", stored);
            FavoritesStore favorites(defaults);
            QStringList ids(favorites.ids().cbegin(), favorites.ids().cend());
            ids.sort();
            QCOMPARE(ids, loaded);
            QCOMPARE(defaults.value("favoriteShortcutIDs"), stored);
            favorites.toggle("new");
            QCOMPARE(storedList(defaults), QStringList(loaded) << "new");
        }
    }
};

QTEST_APPLESS_MAIN(TestFavoritesStore)
#include "tst_favoritesstore.moc"
