#include "PanelFixture.h"
#include "catalogue/ui/AppIconView.h"
#include "catalogue/ui/IconLoader.h"
#include "keys/ui/KeyCapView.h"
#include "panel/ui/ActiveAppChip.h"
#include "panel/ui/CorvaneRootView.h"
#include "panel/ui/EmptyStateView.h"
#include "panel/ui/KeyPanel.h"
#include "panel/ui/PanelController.h"
#include "panel/ui/PanelFooter.h"
#include "ui/PanelStyle.h"
#include "panel/ui/SectionHeaderView.h"
#include "panel/ui/SectionListView.h"
#include "panel/ui/ShortcutRowView.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

AppShortcuts appWithKeys(const QString &slug, const QString &name, const QString &bundleId, int count)
{
    AppShortcuts app;
    app.slug = slug;
    app.name = name;
    app.bundleId = bundleId;
    Keymap keymap{"Default", std::nullopt, {}};
    ShortcutSection section{"General", {}};
    const QStringList keys{"ctrl+c", "ctrl+shift+p", "ctrl+k ctrl+s", "f5", "alt+left", ""};
    for (int i = 0; i < count; ++i) {
        RawShortcut shortcut{QStringLiteral("Action number %1").arg(i), std::nullopt, std::nullopt};
        const QString key = keys[i % keys.size()];
        if (key.isEmpty())
            shortcut.setComment(QStringLiteral("Drag with the middle button"));
        else
            shortcut.setKey(key);
        section.shortcuts.append(shortcut);
    }
    keymap.sections.append(section);
    app.keymaps.append(keymap);
    return app;
}

RunningApp running(const QString &id, const QString &name)
{
    RunningApp app;
    app.bundleIdentifier = id;
    app.localizedName = name;
    return app;
}

QRectF viewportRect(const SectionListView &list, QRectF contentRect)
{
    return contentRect.translated(0, -list.scrollOffset());
}

void click(QWidget *widget, QPointF point)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point.toPoint());
}

} // namespace

class TestPanelUi : public QObject {
    Q_OBJECT

    IconLoader icons{nullptr, std::nullopt};

private Q_SLOTS:
    void keyCapGeometry()
    {
        const QString cmd = QStringLiteral("\u2318");
        QCOMPARE(KeyCapView({}, false).size(), QSizeF(0, 0));
        const auto chord = KeyCapView({{cmd, "K", "F12"}}, false).layout();
        QVERIFY(chord[2].rect.width() > chord[1].rect.width());  // a wide label widens its cap
        const auto sequence = KeyCapView({{"A"}, {}, {"B"}}, false).layout();
        QStringList texts;
        for (const auto &item : sequence)
            texts << (item.isThen() ? "then" : item.text);
        QCOMPARE(texts, (QStringList{"A", "then", "then", "B"}));  // an empty chord still follows a "then"
        QCOMPARE(KeyCapView({{cmd, "F5"}, {"S"}}, true).size(), KeyCapView({{cmd, "F5"}, {"S"}}, false).size());
    }

    void rowStates()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3)});
        const ShortcutEntry entry = f.store.entriesByApp().value("a").first();
        ShortcutRowView row(entry);
        row.accent = QColor(10, 132, 255);
        QCOMPARE(row.background().alpha(), 0);
        row.hovering = true;
        QCOMPARE(row.background(), PanelStyle::hoverFill());
        row.selected = true;  // selection wins over hover
        QCOMPARE(row.background(), PanelStyle::selectionFill(row.accent));
        QCOMPARE(row.titleColor(), PanelStyle::primary());
        row.dimmed = true;  // a selected row of another application is drawn at full strength
        QCOMPARE(row.titleColor(), PanelStyle::primary());
        QCOMPARE(row.starColor(), PanelStyle::starColor(false));
        row.selected = false;
        QCOMPARE(row.titleColor(), PanelStyle::secondary());
        QCOMPARE(row.starColor(), PanelStyle::starColor(true));

        row.showRowIcon = true;
        row.isFavorite = true;
        const auto layout = row.layout(QRectF(0, 0, 600, ShortcutRowView::height));
        QVERIFY(layout.title.left() > layout.icon.right());
        QVERIFY(layout.star.left() > layout.title.right() && layout.keys.left() > layout.star.right());
    }

    // The key area of a row: caps, else the comment in a share of the row, else nothing; a long
    // sequence keeps to its share and ends in an ellipsis cap.
    void rowKeyArea()
    {
        AppShortcuts app = appWithKeys("a", "Alpha", "org.alpha", 0);
        app.keymaps[0].sections[0].shortcuts = {
            {"Keys and comment", QString("ctrl+a"), QString("never shown")},
            {"Comment only", std::nullopt, QString("A very long comment that goes on and on and on and on and on and on and on")},
            {"Nothing", std::nullopt, std::nullopt},
            {"Long", QStringList(12, "ctrl+shift+k").join(' '), std::nullopt}};
        PanelFixture f({app});
        const auto entries = f.store.entriesByApp().value("a");
        const QRectF rect(0, 0, 500, 32);
        const auto withKeys = ShortcutRowView(entries[0]).layout(rect);
        QCOMPARE(withKeys.keys.width(), ShortcutRowView(entries[0]).keyCaps(rect.width()).size().width());
        const auto comment = ShortcutRowView(entries[1]).layout(rect);
        QVERIFY(comment.keys.width() <= 476 * 0.45 + 0.5);
        const auto nothing = ShortcutRowView(entries[2]).layout(rect);
        QVERIFY(nothing.keys.isEmpty() && nothing.star.isEmpty());
        QCOMPARE(nothing.title.right(), 488.0);

        ShortcutRowView row(entries[3]);
        const ShortcutRowView::Layout l = row.layout(QRectF(0, 0, 680, ShortcutRowView::height));
        QVERIFY(l.keys.width() <= 0.6 * (680 - 24) + 0.5);
        QVERIFY(l.title.width() > 150);
        QVERIFY(row.keyCaps(680).isTruncated());
        QCOMPARE(row.keysText().left(25), "Ctrl+Shift+K Ctrl+Shift+K");
    }

    void headerParts()
    {
        DisplaySection section;
        section.id = "a";
        section.title = "Alpha";
        section.isActive = true;
        section.entries = EntryList(PanelFixture({appWithKeys("a", "Alpha", "org.alpha", 7)}).store.entriesByApp().value("a"));
        SectionHeaderView header{section, false, QColor(Qt::blue), std::nullopt};
        QCOMPARE(header.chevronSymbol(), "chevron.down");
        QVERIFY(header.showsBadge());
        QCOMPARE(header.countText(), "7");
        const auto layout = header.layout(QRectF(0, 0, 680, SectionHeaderView::height));
        QVERIFY(!layout.badge.isEmpty());
        QVERIFY(layout.origin.isEmpty());
        // A section read from the application says so after the badge, never over the count; a
        // narrow header drops the note before it squeezes the title.
        header.section.fromApplication = true;
        const auto marked = header.layout(QRectF(0, 0, 680, SectionHeaderView::height));
        QVERIFY(marked.origin.left() > marked.badge.right());
        QVERIFY(marked.origin.right() < marked.count.left());
        QCOMPARE(marked.title, layout.title);
        const auto narrow = header.layout(QRectF(0, 0, 160, SectionHeaderView::height));
        QVERIFY(narrow.origin.isEmpty());
        header.section.fromApplication = false;
        header.collapsed = true;
        QCOMPARE(header.chevronSymbol(), "chevron.right");
        header.section.isFavorites = true;
        QVERIFY(!header.showsBadge());
    }

    // Right to left, the row starts at the right edge and its keys sit at the left, drawn exactly as
    // they are left to right (Ctrl before Shift before P); the header mirrors too.
    void rightToLeftMirrorsTheRowButNotItsKeys()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 2)});
        const QRectF rect(0, 0, 600, ShortcutRowView::height);
        auto render = [&](bool rightToLeft, QRectF *keys) {
            ShortcutRowView row(f.store.entriesByApp().value("a").at(1));  // ctrl+shift+p
            row.labelStyle = KeyLabelStyle::Words;
            row.rightToLeft = rightToLeft;
            *keys = row.layout(rect).keys;
            QImage image(rect.size().toSize(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::black);
            QPainter painter(&image);
            // As on a right-to-left widget, where Qt swaps what left and right alignment mean.
            painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            row.paint(painter, rect, icons);
            return image;
        };
        QRectF ltrKeys, rtlKeys;
        const QImage ltr = render(false, &ltrKeys);
        const QImage rtl = render(true, &rtlKeys);
        QCOMPARE(rtlKeys.left(), 12.0);
        QCOMPARE(rtlKeys.size(), ltrKeys.size());
        const QRect ltrCaps = ltrKeys.toAlignedRect(), rtlCaps = rtlKeys.toAlignedRect();
        QCOMPARE(rtl.copy(rtlCaps), ltr.copy(ltrCaps));
        // The title is drawn at the right: some of its pixels lie right of the row's middle, none
        // of the keys' do.
        auto litColumns = [](const QImage &image, int from, int to) {
            int lit = 0;
            for (int x = from; x < to; ++x) {
                for (int y = 0; y < image.height(); ++y)
                    lit += image.pixelColor(x, y) != QColor(Qt::black);
            }
            return lit;
        };
        QVERIFY(litColumns(rtl, 400, 588) > 0);
        QCOMPARE(litColumns(rtl, rtlCaps.right() + 2, 300), 0);

        DisplaySection section;
        section.id = "a";
        section.title = "Alpha";
        section.entries = EntryList(f.store.entriesByApp().value("a"));
        SectionHeaderView header{section, false, QColor(Qt::blue), std::nullopt};
        header.rightToLeft = true;
        const auto mirrored = header.layout(QRectF(0, 0, 680, SectionHeaderView::height));
        QVERIFY(mirrored.chevron.right() < mirrored.title.left());
        QVERIFY(mirrored.title.right() < mirrored.icon.left());
    }

    void dimmedIconIsGreyAndFaint()
    {
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(QColor(255, 0, 0));
        const QIcon icon(QPixmap::fromImage(red));
        const QImage normal = AppIconView{std::nullopt, std::nullopt, 16, false, icon}.render(icons);
        QCOMPARE(normal.pixelColor(8, 8), QColor(255, 0, 0));
        const QImage dimmed = AppIconView{std::nullopt, std::nullopt, 16, true, icon}.render(icons);
        const QColor grey = dimmed.pixelColor(8, 8);
        QCOMPARE(grey.red(), grey.green());
        QCOMPARE(grey.green(), grey.blue());

        QImage canvas(16, 16, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        AppIconView{std::nullopt, std::nullopt, 16, true, icon}.paint(painter, QRectF(0, 0, 16, 16), icons);
        painter.end();
        QVERIFY(qAbs(canvas.pixelColor(8, 8).alphaF() - 0.55) < 0.02);
        // No image and nothing to find: the placeholder drawing.
        const AppIconView placeholder{std::nullopt, std::nullopt, 16, false, std::nullopt};
        QVERIFY(!placeholder.render(icons).isNull());
    }

    void rootViewGeometryAndTexts()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3), appWithKeys("b", "Beta", "org.beta", 2)});
        CorvaneRootView root(*f.vm, *f.preferences, icons, [] {});
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        f.vm->setActiveApp(running("org.alpha", "alpha-bin"), std::nullopt);
        QVERIFY(root.chip()->isVisible());
        QCOMPARE(static_cast<ActiveAppChip *>(root.chip())->name(), "Alpha");
        QCOMPARE(root.countText(), "5 shortcuts");
        f.vm->setActiveApp(running("org.other", "Other App"), std::nullopt);
        QCOMPARE(static_cast<ActiveAppChip *>(root.chip())->name(), "Other App");
        f.vm->setActiveApp(std::nullopt, std::nullopt);
        QVERIFY(!root.chip()->isVisible());

        // Clicking into the list leaves the keyboard with the search field.
        root.searchField()->setFocus();
        QTest::mouseClick(root.sectionList()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 20));
        QVERIFY(root.searchField()->hasFocus());

        // Typing writes the search and resets the selection; no match shows the empty state.
        f.vm->moveSelection(2);
        QTest::keyClicks(root.searchField(), "zz");
        QCOMPARE(f.vm->searchText(), "zz");
        QCOMPARE(f.vm->selectionIndex(), 0);
        QVERIFY(root.emptyState()->isVisible());
        QCOMPARE(root.findChild<EmptyStateView *>()->text(), "No matching shortcuts");
        f.vm->setCollapsed({"a", "b"});
        f.vm->setSearchText("");
        QVERIFY(root.sectionList()->isVisible());
        QCOMPARE(root.countText(), "0 shortcuts");
    }

    // The hints never run into the count, in either label style and with a five-digit count; the
    // keys that have no room in the row are in the footer's tooltip.
    void footerHintsFitAndTheTooltipListsTheRest()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3)});
        CorvaneRootView root(*f.vm, *f.preferences, icons, [] {});
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        auto *footer = static_cast<PanelFooter *>(root.footer());
        footer->setCount(12345);
        for (const KeyLabelStyle style : {KeyLabelStyle::Words, KeyLabelStyle::Symbols}) {
            f.preferences->setKeyLabelStyle(style);
            const QList<PanelFooter::Item> items = footer->layout();
            const QRectF count = items.last().rect;
            QVERIFY2(items[items.size() - 2].rect.right() + PanelFooter::spacing <= count.left(),
                     qPrintable(KeyLabels::styleName(style)));
        }
        f.preferences->setKeyLabelStyle(KeyLabelStyle::Words);
        QVERIFY(footer->toolTip().contains(QStringLiteral("Ctrl+Home Ctrl+End  first, last shortcut")));
        QVERIFY(footer->toolTip().contains(QStringLiteral("Shift+Tab  ")));
        f.preferences->setKeyLabelStyle(KeyLabelStyle::Symbols);
        QVERIFY(footer->toolTip().contains(QStringLiteral("\u2303\u2196 \u2303\u2198  first, last shortcut")));
    }

    void listPaintsOnlyVisibleRowsAndPinsHeaders()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 5000), appWithKeys("b", "Beta", "org.beta", 50)});
        SectionListView list(*f.vm, *f.preferences, icons);
        list.resize(700, 450);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        f.vm->rebuild(true);
        list.viewport()->repaint();
        const int fits = int(450 / (ShortcutRowView::height + SectionListView::spacing)) + 2;
        QVERIFY2(list.paintedRowCount() <= fits, qPrintable(QString::number(list.paintedRowCount())));
        QVERIFY(list.paintedRowCount() > 5);
        QVERIFY(!list.pinnedHeader());

        // Scrolled into the first section: its header stays at the top.
        list.verticalScrollBar()->setValue(2000);
        auto pinned = list.pinnedHeader();
        QVERIFY(pinned);
        QCOMPARE(pinned->first, 0);
        QCOMPARE(pinned->second.top(), 0.0);
        // Just before the second header reaches the top it pushes the first one up.
        const int secondTop = int(list.headerRect(1).top());
        list.verticalScrollBar()->setValue(secondTop - 10);
        const auto pushed = list.pinnedHeader();
        QVERIFY(pushed.has_value());
        QCOMPARE(pushed.value().first, 0);
        QCOMPARE(pushed.value().second.top(), -SectionHeaderView::height + 10);
        list.verticalScrollBar()->setValue(secondTop + 5);
        QCOMPARE(list.pinnedHeader()->first, 1);
        // A click on the pinned header hits that header.
        QCOMPARE(list.hitAt(QPoint(100, 10)).kind, SectionListView::Hit::Header);
        QCOMPARE(list.hitAt(QPoint(100, 10)).section, 1);
    }

    void clicksCollapseAndMarkFavorites()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3), appWithKeys("b", "Beta", "org.beta", 2)});
        SectionListView list(*f.vm, *f.preferences, icons);
        list.resize(700, 450);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        f.vm->setActiveApp(running("org.alpha", "Alpha"), std::nullopt);

        // The chevron toggles once per click; so does the header's title area.
        const QRectF header = viewportRect(list, list.headerRect(0));
        const QPointF chevron(header.right() - 12 - 12, header.center().y());
        QCOMPARE(list.hitAt(chevron.toPoint()).kind, SectionListView::Hit::Chevron);
        click(list.viewport(), chevron);
        QVERIFY(f.vm->collapsed().contains("a"));
        QCOMPARE(f.vm->navigable().size(), 2);
        click(list.viewport(), QPointF(header.left() + 60, header.center().y()));
        QVERIFY(!f.vm->collapsed().contains("a"));

        // A click on a row marks it and keeps the selection where it was.
        f.vm->moveSelection(-100);
        f.vm->moveSelection(2);
        const QString selected = *f.vm->selectionKey();
        click(list.viewport(), viewportRect(list, list.rowRect(0, 1)).center());
        QVERIFY(f.favorites->contains("a|General|Action number 1|ctrl+shift+p"));
        QCOMPARE(f.sectionIds().first(), "__favorites__");
        QCOMPARE(*f.vm->selectionKey(), selected);
        QCOMPARE(f.vm->selectionIndex(), 3);
    }

    // What is on screen, not what a fresh render would give: the highlight must follow every move,
    // those that scroll the list (animated, to the middle of the list) and those that do not; a
    // refresh that keeps the index does not scroll.
    void highlightOnScreenFollowsTheSelection()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 60)});
        SectionListView list(*f.vm, *f.preferences, icons);
        list.resize(700, 450);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        f.vm->rebuild(true);
        auto highlightedRows = [&] {
            QCoreApplication::processEvents();
            const QImage shot = list.screen()->grabWindow(list.winId()).toImage();
            const QPoint origin = list.viewport()->mapTo(&list, QPoint(0, 0));
            const QColor background = shot.pixelColor(origin + QPoint(2, 225));
            QList<int> rows;
            for (int r = 0; r < 60; ++r) {
                const QRectF rect = viewportRect(list, list.rowRect(0, r));
                // Rows under the pinned header or below the bottom edge are not on the screen.
                const qreal top = list.pinnedHeader() ? SectionHeaderView::height + 1 : 0;
                if (rect.center().y() < top || rect.center().y() >= list.viewport()->height())
                    continue;
                const QPoint probe = origin + QPoint(int(rect.left()) + 4, int(rect.center().y()));
                if (shot.pixelColor(probe) != background)
                    rows << r;
            }
            return rows;
        };
        auto settle = [&] { QTRY_VERIFY_WITH_TIMEOUT(!list.isScrollAnimating(), 2000); };

        QCOMPARE(highlightedRows(), QList<int>{0});
        f.vm->moveSelection(1);  // no scroll needed
        QCOMPARE(highlightedRows(), QList<int>{1});
        f.vm->moveSelection(1);
        QCOMPARE(highlightedRows(), QList<int>{2});
        f.vm->moveSelection(-1);
        QCOMPARE(highlightedRows(), QList<int>{1});
        f.vm->moveSelection(30);  // scrolls
        QVERIFY(list.isScrollAnimating());
        settle();
        QCOMPARE(highlightedRows(), QList<int>{31});
        const QRectF middle = viewportRect(list, list.rowRect(0, 31));
        QVERIFY2(qAbs(middle.center().y() - 225) <= 1, qPrintable(QString::number(middle.center().y())));
        const int offset = list.scrollOffset();
        f.vm->refreshKeepingSelection();
        QVERIFY(!list.isScrollAnimating());
        QCOMPARE(list.scrollOffset(), offset);
        f.vm->moveSelection(100);  // the last row, at the bottom of the list
        settle();
        QCOMPARE(highlightedRows(), QList<int>{59});
        f.vm->moveSelection(-1);  // no scroll: the list is already at its end
        settle();
        QCOMPARE(highlightedRows(), QList<int>{58});

        // A new accent colour repaints the highlight while the list is open.
        const QImage before = list.screen()->grabWindow(list.winId()).toImage();
        f.preferences->setAccentName("red");
        QCoreApplication::processEvents();
        QVERIFY(list.screen()->grabWindow(list.winId()).toImage() != before);
    }

    // The hover highlight on screen is on the row under the resting pointer after the list is
    // rebuilt beneath it: a favourite that adds rows above, then a new search.
    void hoverOnScreenStaysUnderThePointerAcrossRebuilds()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 40), appWithKeys("b", "Beta", "org.beta", 10)});
        f.vm->setActiveApp(running("org.alpha", "Alpha"), std::nullopt);
        // On its own, on the card's colour: an opaque window repaints cleanly on this platform.
        SectionListView list(*f.vm, *f.preferences, icons);
        QPalette palette = list.palette();
        palette.setColor(QPalette::Window, PanelStyle::cardColor());
        list.setPalette(palette);
        list.resize(700, 450);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QWidget *viewport = list.viewport();
        const QPoint resting = viewportRect(list, list.rowRect(0, 5)).center().toPoint();
        const QPoint away(viewport->width() / 2, viewport->height() + 40);  // off the list
        // What the pointer adds to the screen: the difference between the list with the pointer
        // resting on it and with the pointer away, as a rectangle of the viewport.
        auto hoverOnScreen = [&] {
            auto shot = [&] {
                QCoreApplication::processEvents();
                return list.screen()->grabWindow(list.winId()).toImage();
            };
            const QImage with = shot();
            QTest::mouseMove(viewport, away);
            const QImage without = shot();
            QTest::mouseMove(viewport, resting);
            QRect changed;
            const QPoint origin = viewport->mapTo(&list, QPoint(0, 0));
            for (int y = 0; y < viewport->height(); ++y)
                for (int x = 0; x < viewport->width(); ++x)
                    if (with.pixel(origin + QPoint(x, y)) != without.pixel(origin + QPoint(x, y)))
                        changed |= QRect(x, y, 1, 1);
            return changed;
        };
        // One row's height, under the pointer.
        auto isOneRowUnderThePointer = [&](const QRect &hover) {
            const bool ok = hover.contains(resting) && qAbs(hover.height() - ShortcutRowView::height) <= 2;
            if (!ok)
                qWarning("hover on screen at %d,%d %dx%d, pointer at %d,%d", hover.x(), hover.y(), hover.width(),
                         hover.height(), resting.x(), resting.y());
            return ok;
        };

        QTest::mouseMove(viewport, resting);
        QVERIFY(isOneRowUnderThePointer(hoverOnScreen()));

        // A favourite below the pointer: the Favourites section comes in above and pushes every
        // row down by a header and a row; another row now rests under the pointer.
        f.toggleFavorite("a|General|Action number 20|ctrl+k ctrl+s");
        QCOMPARE(f.sectionIds().first(), "__favorites__");
        QVERIFY(isOneRowUnderThePointer(hoverOnScreen()));

        // A search that lists other rows in other places.
        f.vm->setSearchText("number 1");
        QVERIFY(isOneRowUnderThePointer(hoverOnScreen()));
    }

    void longKeysAreCappedMiceAreNotCaps()
    {
        // A long sequence keeps to its share of the row and ends in an ellipsis cap.
        KeyGroups many;
        for (int i = 0; i < 12; ++i)
            many.append({"Ctrl", "Shift", QString(QChar('A' + i))});
        const KeyCapView capped(many, false, 300);
        QVERIFY(capped.isTruncated());
        QVERIFY(capped.size().width() <= 300);
        QCOMPARE(capped.layout().last().kind, KeyCapView::Item::Ellipsis);
        QVERIFY(!capped.layout()[capped.layout().size() - 2].isThen());
        QVERIFY(!KeyCapView(many, false).isTruncated());

        // Mouse actions: a pictogram and a readable name, not a cap.
        const auto items = KeyCapView({{"Ctrl", "Middleclick"}}, false).layout();
        QCOMPARE(items[0].kind, KeyCapView::Item::Cap);
        QCOMPARE(items[1].kind, KeyCapView::Item::Mouse);
        QCOMPARE(items[1].text, "Middle-click");
    }

    void searchWordsAreEmphasised()
    {
        using Runs = QList<QPair<qsizetype, qsizetype>>;
        QCOMPARE(ShortcutRowView::emphasised("Copy and paste", {"co", "paste"}), (Runs{{0, 2}, {9, 5}}));
        QCOMPARE(ShortcutRowView::emphasised("Copy", {"op", "co"}), (Runs{{0, 3}}));  // overlaps merge
        QCOMPARE(ShortcutRowView::emphasised("Go to line", {"o"}), (Runs{{1, 1}, {4, 1}}));
        QCOMPARE(ShortcutRowView::emphasised("Copy", {}), Runs{});
        // Drawn bold: the searched row's pixels differ from the same row without the search.
        ShortcutRowView row(PanelFixture({appWithKeys("a", "Alpha", "org.alpha", 1)}).store.entriesByApp().value("a").first());
        auto draw = [&] {
            QImage image(400, 32, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::black);
            QPainter painter(&image);
            row.paint(painter, QRectF(0, 0, 400, 32), icons);
            return image;
        };
        const QImage plain = draw();
        row.emphasis = {"action"};
        QVERIFY(draw() != plain);
    }

    void unknownAppInFrontOrNoCatalogueIsSaidSo()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3)});
        SectionListView list(*f.vm, *f.preferences, icons);
        list.resize(700, 450);
        f.vm->setActiveApp(running("org.xfce.mousepad", "Mousepad"), std::nullopt);
        QCOMPARE(list.notice(), "No shortcuts for Mousepad yet");
        QVERIFY(list.headerRect(0).top() >= SectionListView::noticeHeight);
        f.vm->setSearchText("act");
        QCOMPARE(list.notice(), "");
        f.vm->setActiveApp(running("org.alpha", "Alpha"), std::nullopt);
        QCOMPARE(list.notice(), "");
        QCOMPARE(list.headerRect(0).top(), SectionListView::paddingY);

        // No catalogue at all: the empty state says so.
        PanelFixture empty({});
        CorvaneRootView root(*empty.vm, *empty.preferences, icons, [] {});
        empty.vm->rebuild(true);
        QVERIFY(!root.emptyState()->isHidden());
        QCOMPARE(root.findChild<EmptyStateView *>()->text(), "No shortcuts available");
    }

    void controllerDrivesThePanelFromTheKeyboard()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3), appWithKeys("b", "Beta", "org.beta", 2)});
        std::optional<RunningApp> front = running("org.beta", "Beta");
        PanelController controller(*f.vm, *f.preferences, icons, [&] { return front; }, nullptr, {});
        QVERIFY(!controller.hasKeyMonitor());
        controller.show();
        QVERIFY(controller.isVisible());
        QVERIFY(controller.hasKeyMonitor());
        QVERIFY(controller.panel()->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(controller.panel()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(f.sectionIds().first(), "b");
        QLineEdit *field = controller.panel()->content()->searchField();

        // The monitor sees keys wherever they go: arrows move, Return marks with any modifiers.
        QTest::keyClick(field, Qt::Key_Down);
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(f.vm->selectionIndex(), 2);
        QTest::keyClick(field, Qt::Key_Up);
        QCOMPARE(f.vm->selectionIndex(), 1);
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(f.favorites->contains(f.vm->selectedEntry()->id()));
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(f.favorites->ids().isEmpty());
        // Letters reach the search field; Escape closes even with text in it.
        QTest::keyClicks(field, "act");
        QCOMPARE(f.vm->searchText(), "act");
        QTest::keyClick(field, Qt::Key_Left);
        QCOMPARE(field->cursorPosition(), 2);
        // Page keys, Ctrl+Home/End and Tab act on the list, not on the field.
        field->clear();
        f.vm->setSearchText("");
        QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.vm->selectionIndex(), 4);
        QTest::keyClick(field, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.vm->selectionIndex(), 0);
        QTest::keyClick(field, Qt::Key_PageDown);
        QCOMPARE(f.vm->selectionIndex(), 4);  // a page is more than five rows
        QTest::keyClick(field, Qt::Key_PageUp);
        QCOMPARE(f.vm->selectionIndex(), 0);
        QTest::keyClick(field, Qt::Key_Tab);  // collapses Beta, the selected row's section
        QVERIFY(f.vm->collapsed().contains("b"));
        QCOMPARE(f.vm->selectionIndex(), 0);
        QCOMPARE(f.vm->navigableCount(), 3);
        QTest::keyClick(field, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(f.vm->collapsed().isEmpty());
        QTest::keyClicks(field, "act");
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!controller.isVisible());
        QVERIFY(!controller.hasKeyMonitor());
        QCOMPARE(f.vm->searchText(), "act");  // hiding keeps the search until the next opening

        // After hiding, keys in other windows are not taken.
        QLineEdit other;
        other.show();
        QTest::keyClick(&other, Qt::Key_Return);
        QTest::keyClick(&other, Qt::Key_Down);
        QCOMPARE(f.vm->selectionIndex(), 0);

        // Showing twice resets search and selection and installs one monitor.
        controller.show();
        f.vm->moveSelection(1);
        controller.show();
        QCOMPARE(f.vm->searchText(), "");
        QCOMPARE(f.vm->selectionIndex(), 0);
        controller.toggle();
        QVERIFY(!controller.isVisible());
        QVERIFY(!controller.hasKeyMonitor());
        controller.toggle();
        QVERIFY(controller.isVisible());
        controller.hide();
    }

    void losingActivationHidesUnlessAskedToStay()
    {
        PanelFixture f({appWithKeys("a", "Alpha", "org.alpha", 3)});
        PanelController hiding(*f.vm, *f.preferences, icons, {}, nullptr, {"corvane"});
        hiding.show();
        Q_EMIT hiding.panel()->resignedKey();
        QVERIFY(!hiding.isVisible());

        PanelController staying(*f.vm, *f.preferences, icons, {}, nullptr, {"corvane", "--show-on-launch"});
        QVERIFY(staying.stayVisible());
        staying.show();
        Q_EMIT staying.panel()->resignedKey();
        QVERIFY(staying.isVisible());
        QVERIFY(staying.hasKeyMonitor());
        staying.hide();
        QVERIFY(!PanelController(*f.vm, *f.preferences, icons, {}, nullptr, {"--show-on-launch=1"}).stayVisible());
    }
};

QTEST_MAIN(TestPanelUi)
#include "tst_panelui.moc"
