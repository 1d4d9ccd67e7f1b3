// Writes to a settings file without end, for a test to kill at any moment:
//   defaults_writer FILE
// or makes one large change, prints "changed" and waits for SIGTERM, which ends it through its event
// loop:
//   defaults_writer --term FILE
// Write n stores "entries", a list of (n % 500 + 1) strings "write <n> item <k>", then "written" = n.
// So the file always holds either the same n in both keys, or "entries" one write ahead. It carries on
// from the "written" it finds, and prints "writing" once its first pair is on disk.
#include "services/JsonDefaultsStore.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--term")) {
        JsonDefaultsStore store(arguments.at(2));
        TerminationSignals termination;
        QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);
        QVariantList large;
        for (int i = 0; i < 300000; ++i)
            large << QStringLiteral("item %1").arg(i);
        store.setValue(QStringLiteral("large"), large);
        store.setValue(QStringLiteral("last"), QStringLiteral("on disk"));
        std::printf("changed\n");
        std::fflush(stdout);
        return app.exec();
    }
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: defaults_writer FILE\n");
        return 2;
    }
    JsonDefaultsStore store(arguments.at(1));
    bool announced = false;
    for (qlonglong n = store.value(QStringLiteral("written")).toLongLong() + 1;; ++n) {
        QStringList entries;
        for (qlonglong k = 0; k <= n % 500; ++k)
            entries << QStringLiteral("write %1 item %2").arg(n).arg(k);
        store.setValue(QStringLiteral("entries"), entries);
        store.setValue(QStringLiteral("written"), n);
        if (!announced) {
            if (!store.flush())
                return 1;
            announced = true;
            std::printf("writing\n");
            std::fflush(stdout);
        }
    }
}
