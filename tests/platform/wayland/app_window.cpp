// A plain window with the Wayland app_id given as the first argument, for the active-application
// tests: `app_window com.example.First`.
#include <QGuiApplication>
#include <QRasterWindow>
#include <QPainter>

namespace {

class Window : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(), size()), isActive() ? QColor(60, 120, 200) : QColor(90, 90, 90));
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(), size()), Qt::AlignCenter, QGuiApplication::desktopFileName());
    }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
            update();
        return QRasterWindow::event(event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QGuiApplication::setDesktopFileName(args.value(1, QStringLiteral("com.example.TestWindow")));
    Window window;
    window.setTitle(QGuiApplication::desktopFileName());
    window.resize(320, 200);
    window.show();
    return app.exec();
}
