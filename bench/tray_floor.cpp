// The floor of the start-up benchmark: a bare Qt Widgets program that shows a tray icon and nothing
// else, reporting when its event loop first runs the way Corvane does ("ready N ms after launch, C ms
// CPU", measured from CORVANE_LAUNCHED_AT, CLOCK_MONOTONIC nanoseconds; C the process's CPU time).
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <time.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.show();
    QTimer::singleShot(0, [] {
        bool ok = false;
        const qint64 launched = qEnvironmentVariable("CORVANE_LAUNCHED_AT").toLongLong(&ok);
        if (!ok)
            return;
        timespec now{}, cpu{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        const qint64 elapsed = qint64(now.tv_sec) * 1000000000 + now.tv_nsec - launched;
        const qint64 used = qint64(cpu.tv_sec) * 1000000000 + cpu.tv_nsec;
        std::fprintf(stderr, "Floor: ready %.2f ms after launch, %.2f ms CPU\n", double(elapsed) / 1e6, double(used) / 1e6);
        std::fflush(stderr);
    });
    return app.exec();
}
