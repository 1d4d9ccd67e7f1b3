// Writes to a settings file without end, for a test to kill at any moment:
//   defaults_writer FILE
// Write n stores "entries", a list of (n % 500 + 1) strings "write <n> item <k>", then "written" = n.
// So the file always holds either the same n in both keys, or "entries" one write ahead. It carries on
// from the "written" it finds, and prints "writing" once its first pair is on disk.
#include "platform/JsonDefaultsStore.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
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
