#include "PanelFixture.h"
#include "panel/EntrySearch.h"
#include "panel/TextSearch.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

// Texts over a small alphabet, so that words match often and at every position; it includes
// characters above U+7FFF, which compare as negative numbers in 16-bit vector lanes.
QString randomText(QRandomGenerator &random, qsizetype maxLength)
{
    static constexpr char16_t alphabet[] = {u'a', u'b', u'c', u' ', u'\u00E9', u'\uFFEE'};
    QString text(qsizetype(random.bounded(int(maxLength) + 1)), Qt::Uninitialized);
    for (QChar &c : text)
        c = QChar(alphabet[random.bounded(int(std::size(alphabet)))]);
    return text;
}

QString randomWord(QRandomGenerator &random)
{
    QString word;
    while (word.isEmpty())
        word = randomText(random, 4).remove(u' ');
    return word;
}

// Applications with random titles, keys and comments.
QList<AppShortcuts> randomCatalogue(QRandomGenerator &random)
{
    QList<AppShortcuts> apps;
    for (int a = 0; a < 6; ++a) {
        QList<QPair<QString, QStringList>> sections;
        for (int s = 0; s < 3; ++s) {
            QStringList titles;
            for (int t = random.bounded(12); t > 0; --t)
                titles << randomText(random, 30);
            sections.append({randomText(random, 8), titles});
        }
        AppShortcuts app = makeApp(QString("app%1").arg(a), randomText(random, 10), std::nullopt, sections);
        for (ShortcutSection &section : app.keymaps[0].sections) {
            for (RawShortcut &shortcut : section.shortcuts) {
                if (random.bounded(2))
                    shortcut.setKey(randomText(random, 6));
                if (random.bounded(3) == 0)
                    shortcut.setComment(randomText(random, 20));
            }
        }
        apps.append(app);
    }
    return apps;
}

// Row keys of the expanded sections of a rebuild, straight from the definition: every entry of
// each application whose search text contains all the words.
QStringList expectedRows(const ShortcutStore &store, const QStringList &words)
{
    QStringList rows;
    for (const AppShortcuts &app : store.orderedApps()) {
        for (const ShortcutEntry &entry : store.entriesByApp().value(app.slug)) {
            if (std::all_of(words.cbegin(), words.cend(), [&](const QString &w) { return entry.searchText().contains(w); }))
                rows << app.slug + '#' + entry.id();
        }
    }
    return rows;
}

QStringList rowKeys(const PanelViewModel &vm)
{
    QStringList keys;
    for (const NavRef &row : vm.navigable())
        keys << row.rowKey();
    return keys;
}

} // namespace

class TestPanelSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void indexOfAgreesWithQt()
    {
        QRandomGenerator random(11);
        for (int round = 0; round < 3000; ++round) {
            const QString haystack = randomText(random, 70);
            const QString needle = round % 7 ? randomText(random, 20) : haystack.mid(random.bounded(int(haystack.size()) + 1));
            for (qsizetype from = 0; from <= haystack.size(); ++from)
                QCOMPARE(TextSearch::indexOf(haystack, needle, from), QStringView(haystack).indexOf(needle, from));
        }
    }

    void textsContainingAgreesWithOneByOne()
    {
        QRandomGenerator random(12);
        for (int round = 0; round < 3000; ++round) {
            QStringList texts;
            for (int n = 1 + random.bounded(30); n > 0; --n)
                texts << randomText(random, 25);
            const QString run = texts.join(QChar(0));
            std::vector<quint32> ends;
            qsizetype end = -1;
            for (const QString &text : texts)
                ends.push_back(quint32(end += text.size() + 1));
            const QString needle = randomWord(random);
            // The whole run, or the texts from `first` to just before `last`.
            const qsizetype first = round % 2 ? random.bounded(int(texts.size())) : 0;
            const qsizetype last = round % 2 ? first + 1 + random.bounded(int(texts.size() - first)) : texts.size();
            std::vector<qsizetype> expected{-1};
            for (qsizetype i = first; i < last; ++i) {
                if (texts[i].contains(needle))
                    expected.push_back(i);
            }
            std::vector<qsizetype> found{-1};
            TextSearch::textsContaining(run, ends.data(), first, last, needle, found);
            QCOMPARE(found, expected);
        }
    }

    // Fresh searches, searches narrowed from the previous one while typing, and searches after
    // deleting characters must all give exactly the rows the definition gives.
    void rebuildsListTheMatchingRows()
    {
        QRandomGenerator random(13);
        for (int round = 0; round < 40; ++round) {
            PanelFixture f(randomCatalogue(random));
            QString query = randomWord(random);
            for (int n = random.bounded(3); n > 0; --n)
                query += ' ' + randomWord(random);
            for (qsizetype n = 1; n <= query.size(); ++n) {
                f.vm->setSearchText(query.left(n));
                QCOMPARE(rowKeys(*f.vm), expectedRows(f.store, PanelViewModel::queryWords(query.left(n))));
            }
            for (qsizetype n = query.size() - 1; n >= 0; --n) {
                f.vm->setSearchText(query.left(n));
                QCOMPARE(rowKeys(*f.vm), expectedRows(f.store, PanelViewModel::queryWords(query.left(n))));
            }
            // A search of the whole query with nothing to narrow finds the same.
            EntrySearch fresh(f.store);
            const QStringList words = PanelViewModel::queryWords(query);
            fresh.begin(words);
            for (qsizetype a = 0; a < f.store.orderedApps().size(); ++a) {
                const AppShortcuts &app = f.store.orderedApps().at(a);
                QStringList direct;
                for (const ShortcutEntry &entry : fresh.entries(a))
                    direct << app.slug + '#' + entry.id();
                QCOMPARE(direct, expectedRows(f.store, words).filter(QRegularExpression('^' + app.slug + '#')));
            }
        }
    }

    // A word may occur across the end of one text and the start of the next in the run the search
    // scans; that is no match. A word with U+0000 in it still matches text that holds U+0000.
    void matchesStayInsideOneText()
    {
        AppShortcuts app = makeApp("a", "A", std::nullopt, {{"S", {"one", "dless", QStringView(u"nul\0here", 8).toString()}}});
        app.keymaps[0].sections[0].shortcuts[0].setComment(QStringLiteral("the en"));
        PanelFixture f({app});
        f.vm->setSearchText("endl");
        QVERIFY(f.vm->navigable().isEmpty());
        f.vm->setSearchText("dle");
        QCOMPARE(f.rowTitles(), (QStringList{"dless"}));
        f.vm->setSearchText(QStringView(u"l\0h", 3).toString());
        QCOMPARE(f.rowTitles(), (QStringList{QStringView(u"nul\0here", 8).toString()}));
    }

    // Rows picked by position read, iterate and copy out as the entries at those positions; a list
    // of all the entries is the stored list itself.
    void pickedRowsAreTheStoredEntries()
    {
        PanelFixture f({makeApp("a", "A", std::nullopt, {{"S", {"one", "two", "three", "four"}}})});
        const QList<ShortcutEntry> stored = f.store.entriesByApp().value("a");
        const EntryList picked(stored, {1, 3});
        QStringList titles;
        for (const ShortcutEntry &entry : picked)
            titles << entry.title();
        QCOMPARE(titles, (QStringList{"two", "four"}));
        QCOMPARE(picked.sourceIndex(1), 3);
        QCOMPARE(picked.toList(), (QList<ShortcutEntry>{stored[1], stored[3]}));
        QCOMPARE(EntryList(stored).toList().constData(), stored.constData());
        f.vm->setSearchText("o");  // one, two, four
        QCOMPARE(f.vm->sections().constFirst().entries.size(), 3);
        QCOMPARE(f.vm->sections().constFirst().entries.at(2).title(), "four");
    }

    // Sections whose ids start alike: the selection is found again by its whole key.
    void selectionKeyIsMatchedWhole()
    {
        PanelFixture f({makeApp("a", "A", std::nullopt, {{"S", {"one", "two"}}}),
                        makeApp("a#a|S|one|", "B", std::nullopt, {{"T", {"three"}}})});
        f.vm->setSearchText(QString());
        f.select("two");
        f.vm->refreshKeepingSelection();
        QCOMPARE(f.selectedTitle(), "two");
        f.select("three");
        const auto key = f.vm->selectionKey();
        f.vm->refreshKeepingSelection();
        QCOMPARE(f.vm->selectionKey(), key);
        QCOMPARE(f.selectedTitle(), "three");
        QCOMPARE(f.vm->navigableCount(), f.vm->navigable().size());
    }
};

QTEST_GUILESS_MAIN(TestPanelSearch)
#include "tst_panelsearch.moc"
