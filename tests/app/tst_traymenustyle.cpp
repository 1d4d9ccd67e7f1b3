// The tray menu's Launch at Login check box, rendered: its box and its tick stand out from the
// menu (3:1, as a control must) and the tick has some weight, in a light and a dark menu, with and
// without the pointer on the item.
#include "app/TrayMenuStyle.h"

#include <QApplication>
#include <QMenu>
#include <QStyleFactory>
#include <QTest>
#include <cmath>

namespace {

double channel(double value)
{
    value /= 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// A dark scheme as a desktop's colour settings hand it to Qt (qt6ct's "darker").
QPalette darkPalette()
{
    QPalette p;
    const char *const colors[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
                                  "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9",
                                  "#0986d3", "#a70b06", "#5c5b5a", "#ffffff", "#3f3f36", "#ffffff", "#80ffffff"};
    for (int role = 0; role < int(std::size(colors)); ++role)
        p.setColor(QPalette::ColorRole(role), QColor(colors[role]));
    return p;
}

} // namespace

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
        if (qEnvironmentVariableIsSet("CORVANE_ARTIFACTS"))
            checked.save(QStringLiteral("%1/traymenu-%2.png").arg(qEnvironmentVariable("CORVANE_ARTIFACTS"),
                                                                  QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-').remove(',')));
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
                if (contrast(checked.pixelColor(x, y), background) >= 3.0)
                    ++tickPixels;
            }
        }
        QVERIFY(!tick.isEmpty());
        QVERIFY(tick.right() < item.left() + item.height());  // before the label
        const QRect indicator = tick.adjusted(-3, -3, 3, 3);
        double box = 0;
        for (int y = indicator.top(); y <= indicator.bottom(); ++y)
            for (int x = indicator.left(); x <= indicator.right(); ++x)
                box = qMax(box, contrast(unchecked.pixelColor(x, y), background));
        QVERIFY2(box >= 3.0, qPrintable(QStringLiteral("the empty box reaches %1:1").arg(box, 0, 'f', 2)));
        // A tick of two pixels' weight over the box's width, not a hairline.
        QVERIFY2(tickPixels >= 14, qPrintable(QStringLiteral("%1 pixels of the tick read at 3:1").arg(tickPixels)));
    }
};

QTEST_MAIN(TestTrayMenuStyle)
#include "tst_traymenustyle.moc"
