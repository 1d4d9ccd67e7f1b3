#include "DataTool.h"
#include "corvane_version.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (app.arguments().value(1) == QLatin1String("--version")) {
        out << "corvane-data " << CORVANE_VERSION << "\n";
        return 0;
    }
    DataTool tool(out, err);
    return tool.run(app.arguments().mid(1));
}
