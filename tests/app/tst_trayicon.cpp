// The tray icon, drawn when a tray asks for it: at the asked size and scale, a dark glyph with a light
// halo (so it reads on a light and on a dark tray), centred when painted into a wider slot.
#include "app/TrayMenu.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace {

struct Ink {
    int dark = 0;   // opaque and dark: the glyph
    int light = 0;  // opaque and light: the halo
    QRect box;      // every pixel with some ink
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 40)
                continue;
            ink.box |= QRect(x, y, 1, 1);
            if (c.alpha() > 200 && c.lightnessF() < 0.3)
                ++ink.dark;
            else if (c.alpha() > 200 && c.lightnessF() > 0.85)
                ++ink.light;
        }
    }
    return ink;
}

} // namespace

class TestTrayIcon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawnAtTheAskedSize()
    {
        for (const auto &[side, scale] : {std::pair{16, 1.0}, {22, 1.0}, {22, 2.0}, {48, 1.0}, {27, 1.5}}) {
            drawnAt(side, scale);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void drawnAt(int side, qreal scale)
    {
        const QIcon icon = TrayMenu::icon();
        QVERIFY(!icon.isNull());
        const QPixmap pixmap = icon.pixmap(QSize(side, side), scale);
        // Drawn for the screen's pixels, not scaled up from a smaller drawing.
        QVERIFY2(qAbs(pixmap.width() - side * scale) <= 1, qPrintable(QString::number(pixmap.width())));
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(side, side));
        const Ink ink = inkOf(pixmap.toImage());
        const int area = pixmap.width() * pixmap.height();
        QVERIFY2(ink.dark > area / 20, qPrintable(QString::number(ink.dark)));
        QVERIFY2(ink.light > area / 40, qPrintable(QString::number(ink.light)));
        // Within the square, not clipped at its edges by more than the halo.
        QVERIFY(ink.box.width() > pixmap.width() * 3 / 4);
    }

    void offersTheTraySizes()
    {
        const QList<QSize> sizes = TrayMenu::icon().availableSizes();
        for (int side : {16, 22, 24, 32, 48})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }

    void paintedCentredInAWiderSlot()
    {
        QImage image(40, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        TrayMenu::icon().paint(&painter, image.rect());
        painter.end();
        const Ink ink = inkOf(image);
        QVERIFY(ink.dark > 0);
        QVERIFY(ink.box.left() >= 10 - 1 && ink.box.right() <= 29 + 1);
        QVERIFY(qAbs((ink.box.left() + ink.box.right()) / 2 - 19) <= 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTrayIcon test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_trayicon.moc"
