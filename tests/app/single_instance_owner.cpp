// Holds the single instance like the program does, and prints each request it is handed:
//   single_instance_owner NAME
// Prints "ready" once it listens, then one line per request ("toggle", "show token", ...).
#include "app/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: single_instance_owner NAME\n");
        return 2;
    }
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.listen()) {
        std::fprintf(stderr, "single_instance_owner: %s\n", qPrintable(instance.errorString()));
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::commandReceived, [](const QString &command, const QString &token) {
        std::printf("%s\n", qPrintable(token.isEmpty() ? command : command + QLatin1Char(' ') + token));
        std::fflush(stdout);
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
