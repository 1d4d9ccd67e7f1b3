// The tray menu's Launch at Login check box, rendered: its box and its tick stand out from the
// menu (3:1, as a control must) and the tick has some weight, in a light and a dark menu, with and
// without the pointer on the item.
#include "app/TrayMenuStyle.h"
#include "../ui/DarkPalette.h"
#include "ui/PanelStyle.h"

#include <QApplication>
#include <QMenu>
#include <QStyleFactory>
#include <QTest>


class TestTrayMenuStyle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void checkBoxReads_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("pointerOnItem");
        const QPalette light = QApplication::style()->standardPalette();
        QTest::newRow("light menu") << light << false;
        QTest::newRow("light menu, pointer on the item") << light << true;
        QTest::newRow("dark menu") << darkPalette() << false;
        QTest::newRow("dark menu, pointer on the item") << darkPalette() << true;
    }

    void checkBoxReads()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, pointerOnItem);
        TrayMenuStyle style;
        QMenu menu;
        menu.setStyle(&style);
        menu.setPalette(palette);
        menu.addAction(QStringLiteral("Show Shortcuts\tShift+Super+Space"));
        QAction *login = menu.addAction(QStringLiteral("Launch at Login"));
        login->setCheckable(true);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Quit Corvane"));
        menu.adjustSize();
        if (pointerOnItem)
            menu.setActiveAction(login);

        auto render = [&](bool checked) {
            login->setChecked(checked);
            QImage image(menu.size(), QImage::Format_RGB32);
            menu.render(&image);
            return image;
        };
        const QImage unchecked = render(false);
        const QImage checked = render(true);
        const QRect item = menu.actionGeometry(login);
        const QColor background = unchecked.pixelColor(item.left() + 1, item.top() + 1);
        // The tick is what changes; the box lies just around it.
        QRect tick;
        int tickPixels = 0;
        for (int y = item.top(); y <= item.bottom(); ++y) {
            for (int x = item.left(); x <= item.right(); ++x) {
                if (checked.pixel(x, y) == unchecked.pixel(x, y))
                    continue;
                tick |= QRect(x, y, 1, 1);
                if (PanelStyle::contrastRatio(checked.pixelColor(x, y), background) >= 3.0)
                    ++tickPixels;
            }
        }
        QVERIFY(!tick.isEmpty());
        QVERIFY(tick.right() < item.left() + item.height());  // before the label
        const QRect indicator = tick.adjusted(-3, -3, 3, 3);
        double box = 0;
        for (int y = indicator.top(); y <= indicator.bottom(); ++y)
            for (int x = indicator.left(); x <= indicator.right(); ++x)
                box = qMax(box, PanelStyle::contrastRatio(unchecked.pixelColor(x, y), background));
        QVERIFY2(box >= 3.0, qPrintable(QStringLiteral("the empty box reaches %1:1").arg(box, 0, 'f', 2)));
        // A tick of two pixels' weight over the box's width, not a hairline.
        QVERIFY2(tickPixels >= 14, qPrintable(QStringLiteral("%1 pixels of the tick read at 3:1").arg(tickPixels)));
    }
};

QTEST_MAIN(TestTrayMenuStyle)
#include "tst_traymenustyle.moc"
