#include "catalogue/ShortcutStore.h"
#include "catalogue/TextArena.h"

#include <QTest>

namespace {

AppShortcuts app(const QString &slug, const QString &name, QList<RawShortcut> shortcuts)
{
    AppShortcuts result;
    result.slug = slug;
    result.name = name;
    result.keymaps = {Keymap{"k", std::nullopt, {ShortcutSection{QStringLiteral("S\u0130"), shortcuts}}}};
    return result;
}

} // namespace

class TestTextArena : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsAreTerminatedAndSurviveTheArena()
    {
        QStringList texts;
        {
            TextArena arena(16);
            texts << arena.add(u"first") << arena.add(u"") << arena.addUtf8("second")
                  << arena.addUtf8("caf\xC3\xA9 \xE2\x8C\x98") << arena.addUtf8("bad \xFF byte")
                  << arena.add(u"a text longer than one block of the arena");
        }
        QCOMPARE(texts, (QStringList{"first", "", "second", QStringLiteral("caf\u00E9 \u2318"),
                                     QString::fromUtf8("bad \xFF byte"), "a text longer than one block of the arena"}));
        for (const QString &text : texts) {
            QCOMPARE(text.utf16()[text.size()], u'\0');
            QVERIFY(!text.isNull());
        }
    }

    // A record's title, key and comment share one run: absent and empty stay apart, non-ASCII text
    // converts inside a run, a change makes a new run that keeps the other texts, and every text
    // outlives the arena and the record it came from.
    void recordTextsShareOneRun()
    {
        std::optional<QString> key;
        RawShortcut edited;
        {
            TextArena arena(8);
            TextRun::Sizes sizes;
            const std::array<std::optional<std::string_view>, 3> parts{"Caf\xC3\xA9", "", std::nullopt};
            RawShortcut record = RawShortcut::fromRun(arena.addUtf8Run(parts, sizes), sizes);
            QCOMPARE(record.title(), QStringLiteral("Caf\u00E9"));
            QVERIFY(record.hasKey() && record.key()->isEmpty() && !record.hasComment() && !record.comment());
            const RawShortcut noKey =
                RawShortcut::fromRun(arena.addUtf8Run(std::array<std::optional<std::string_view>, 3>{"t", std::nullopt, "c"}, sizes), sizes);
            QVERIFY(!noKey.hasKey());
            QCOMPARE(*noKey.comment(), "c");
            QCOMPARE(noKey.title().utf16()[1], u'\0');
            edited = record;
            edited.setComment(QStringLiteral("a comment"));
            edited.setKey(QStringLiteral("ctrl+\u00E9"));
            key = record.key();
        }
        QCOMPARE(edited.title(), QStringLiteral("Caf\u00E9"));
        QCOMPARE(*edited.key(), QStringLiteral("ctrl+\u00E9"));
        QCOMPARE(edited.commentView(), u"a comment");
        QCOMPARE(*key, "");
        edited.setTitle(u"");
        QVERIFY(edited.title().isEmpty() && edited.hasKey());
        QCOMPARE(RawShortcut().title(), QString());
    }

    // Changing a copy of a text leaves the others alone. The last owner of a text in the middle of a
    // block may change it in place: growing, shrinking or prepending must stay inside the block and
    // leave the text as a plain QString would.
    void copiesAndTheLastOwnerChangeTheirOwnText()
    {
        QString last;
        {
            TextArena arena(64);
            const QString before = arena.add(u"before");
            last = arena.add(u"delta");
            const QString after = arena.add(u"after");
            QString copy = last;
            copy.append(u"-changed");
            copy[0] = u'D';
            QCOMPARE(copy, "Delta-changed");
            QCOMPARE(before, "before");
            QCOMPARE(last, "delta");
            QCOMPARE(after, "after");
        }
        last.prepend(u"<<");
        QCOMPARE(last, "<<delta");
        last.append(QString(200, u'x'));
        QCOMPARE(last.size(), 207);
        last.resize(3);
        last.squeeze();
        QCOMPARE(last, "<<d");
        QCOMPARE(last.utf16()[3], u'\0');
    }

    // The search in the panel scans each application's search texts as one run; the run must be
    // exactly the entries' texts, in order, separated by U+0000.
    void searchTextsLieBackToBack()
    {
        ShortcutStore store(std::nullopt, "linux");
        store.load({app("a", "Alpha", {RawShortcut{"One", QString("ctrl+o"), std::nullopt}, RawShortcut{"", std::nullopt, std::nullopt},
                                        RawShortcut{"Three", QString(""), QString("Note")}}),
                    app("b", "Beta", {}),
                    app("c", QStringLiteral("\u00C9diteur"), {RawShortcut{QStringLiteral("\u03A3\u0130"), std::nullopt, std::nullopt}})});
        QVERIFY(!store.searchTexts("b"));
        for (const QString slug : {"a", "c"}) {
            const SearchTexts *search = store.searchTexts(slug);
            QVERIFY(search);
            QStringList texts;
            for (const ShortcutEntry &entry : store.entriesByApp().value(slug))
                texts << entry.searchText().toString();
            QCOMPARE(search->texts.toString(), texts.join(QChar(0)));
            // The name and the section title a search may find instead of scanning: views of the
            // run, where lower-casing may have changed the lengths before them (U+0130).
            QCOMPARE(search->name.toString(), store.entriesByApp().value(slug).first().appName().toLower());
            QCOMPARE(search->sections.size(), size_t(1));
            QCOMPARE(search->sections[0].title.toString(), QStringLiteral("S\u0130").toLower());
            QCOMPARE(qsizetype(search->sections[0].end), texts.size());
            QCOMPARE(search->ends.size(), size_t(texts.size()));
            qsizetype end = -1;
            for (qsizetype i = 0; i < texts.size(); ++i) {
                end += texts[i].size() + 1;
                QCOMPARE(qsizetype(search->ends[size_t(i)]), end);
            }
        }
    }

    // Non-ASCII parts are lower-cased on their own; the result must be the whole text lower-cased,
    // including mappings that change the length (U+0130 becomes two characters).
    void lowerCasingByPartsEqualsTheWhole()
    {
        const RawShortcut shortcut{QStringLiteral("\u0130stanbul \u03A3\u039F\u03A3"), QString("Ctrl+\u00C4"),
                                   QStringLiteral("STRASSE \u1E9E")};
        const auto entries = ShortcutStore::makeEntries(app("s", QStringLiteral("N\u0130"), {shortcut, RawShortcut{"Plain", {}, {}}}), "linux");
        QCOMPARE(entries.size(), 2);
        const QString whole = QStringLiteral("\u0130stanbul \u03A3\u039F\u03A3 N\u0130 S\u0130 Ctrl+\u00C4 STRASSE \u1E9E").toLower();
        QCOMPARE(entries[0].searchText().toString(), whole);
        QCOMPARE(entries[1].searchText().toString(), QStringLiteral("plain n\u0130 s\u0130  ").toLower());
        QCOMPARE(entries[0].keyGroups(), KeyNotation::parseKeyGroups("Ctrl+\u00C4"));
    }

    // Entries build their ids when asked for: hasId() and equality compare the joined texts, so
    // parts that split at another "|" still give the same id, and a prefix or a longer text is not it.
    void idsCompareAsJoinedTexts()
    {
        const QString key("ctrl+x ctrl+s");
        AppShortcuts editor = app("editor", "E", {RawShortcut{"B", key}, RawShortcut{"Copy", {}}});
        editor.keymaps[0].sections[0].title = "Edit|A";
        editor.keymaps[0].sections.append(ShortcutSection{"Edit", {RawShortcut{"A|B", key}, RawShortcut{"A|C", key}}});
        const auto entries = ShortcutStore::makeEntries(editor, "linux");
        QCOMPARE(entries.size(), 4);
        QVERIFY(entries[0] == entries[2]);
        QVERIFY(entries[0] != entries[3]);
        for (const ShortcutEntry &entry : entries)
            QVERIFY(entry.hasId(entry.id()));
        QCOMPARE(entries[1].id(), "editor|Edit|A|Copy|");
        QVERIFY(!entries[1].hasId(u"editor|Edit|A|Copy"));
        QVERIFY(!entries[1].hasId(u"editor|Edit|A|Copy||"));
        QVERIFY(!entries[0].hasId(u"editor|Edit|A|B|ctrl+x ctrl+S"));
        // Favourites are found the same way, whichever "|" splits the parts.
        const QSet<QString> ids{"editor|Edit|A|B|ctrl+x ctrl+s", "editor|Edit|A|Copy|", "editor|Edit|A|C", "other|Edit|A|Copy|"};
        QCOMPARE(ShortcutEntry::withIds(entries, ids), (QList<ShortcutEntry>{entries[0], entries[1], entries[2]}));
    }
};

QTEST_APPLESS_MAIN(TestTextArena)
#include "tst_textarena.moc"
