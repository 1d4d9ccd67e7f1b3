// Qt runs offscreen here, as it would on Wayland: the X11 backend stands aside without failing.

#include "platform/x11/X11ActivationSource.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11HotKeyBackend.h"

#include <QGuiApplication>
#include <QTest>

class TestX11WithoutDisplay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standsAside()
    {
        QVERIFY(!X11Display::ofApplication());
        X11ActivationSource activations(nullptr);
        QVERIFY(!activations.frontmostApp());
        activations.follow([](const RunningApp &) { QFAIL("no activations without X11"); });
        X11HotKeyBackend hotKeys;
        QCOMPARE(hotKeys.grab(49, 768), HotKeyBackend::Result::Unavailable);
        hotKeys.ungrab();
    }
};

QTEST_MAIN(TestX11WithoutDisplay)
#include "tst_x11withoutdisplay.moc"
