#include "CatalogueGenerator.h"

#include "catalogue/ShortcutStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <numeric>

namespace {

std::string contents(const std::filesystem::path &folder)
{
    std::string all;
    for (std::size_t i = 0;; ++i) {
        std::ifstream file(folder / ("app" + std::to_string(i) + ".json"), std::ios::binary);
        if (!file)
            return all;
        all.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
}

} // namespace

class TestCatalogueGenerator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsExactly()
    {
        const CatalogueGenerator generator(8);
        for (const auto &[shortcuts, files] : {std::pair<std::size_t, std::size_t>{10, 10}, {1000, 10}, {12345, 678}}) {
            const auto counts = generator.split(shortcuts, files);
            QCOMPARE(counts.size(), files);
            QCOMPARE(std::accumulate(counts.begin(), counts.end(), std::size_t(0)), shortcuts);
            QVERIFY(std::all_of(counts.begin(), counts.end(), [](std::size_t n) { return n >= 1; }));
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, generator.split(5, 10));
    }

    // Every file decodes, the catalogue lists exactly the requested number of shortcuts, and the
    // same seed writes the same bytes.
    void writesWhatTheCatalogueReads()
    {
        QTemporaryDir dir;
        const std::filesystem::path first = dir.filePath("a").toStdString();
        const std::filesystem::path second = dir.filePath("b").toStdString();
        const std::filesystem::path other = dir.filePath("c").toStdString();
        CatalogueGenerator(8).write(first, 3000, 40);
        CatalogueGenerator(8).write(second, 3000, 40);
        CatalogueGenerator(9).write(other, 3000, 40);

        ShortcutStore store(QString::fromStdString(first.string()), "linux");
        store.load();
        QVERIFY2(store.failedFiles().isEmpty(), qPrintable(store.failedFiles().join(", ")));
        QCOMPARE(store.apps().size(), 40);
        qsizetype entries = 0;
        for (const auto &list : store.entriesByApp())
            entries += list.size();
        QCOMPARE(entries, 3000);

        QVERIFY(contents(first) == contents(second));
        QVERIFY(contents(first) != contents(other));
    }
};

QTEST_APPLESS_MAIN(TestCatalogueGenerator)
#include "tst_cataloguegenerator.moc"
