#include "platform/freedesktop/GioModule.h"

#include "services/SystemLog.h"
#include "platform/freedesktop/GioServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

GioModule::GioModule(QString path) : path_(std::move(path)) {}

GioServices *GioModule::services()
{
    std::call_once(once_, [this] { load(); });
    return services_;
}

void GioModule::load()
{
    void *handle = dlopen(QFile::encodeName(path_).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error_ = QString::fromLocal8Bit(dlerror());
    } else if (auto entry = reinterpret_cast<CorvaneGioServicesFunction>(dlsym(handle, CORVANE_GIO_SERVICES_SYMBOL))) {
        services_ = entry();
    } else {
        error_ = QStringLiteral("it has no entry point %1").arg(QLatin1String(CORVANE_GIO_SERVICES_SYMBOL));
        dlclose(handle);
    }
    if (!services_)
        SystemLog::shared().write(QStringLiteral("Corvane: cannot load %1, installed applications, GNOME's settings and "
                                                 "programs' shortcuts windows are not read: %2")
                                      .arg(SystemLog::escaped(path_), SystemLog::escaped(error_)));
}

QString GioModule::defaultPath()
{
    // The program's own folder, also before (or without) a QCoreApplication.
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return QDir::cleanPath(QFileInfo(program).absolutePath() + QLatin1Char('/')
                           + QLatin1String(CORVANE_GIO_MODULE_FROM_BINDIR));
}

GioModule &GioModule::shared()
{
    static GioModule module(defaultPath());
    return module;
}
