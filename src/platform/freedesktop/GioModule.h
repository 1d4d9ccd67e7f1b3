#pragma once

#include <QString>
#include <mutex>

class GioServices;

// Loads the GIO module (libcorvane-gio.so, see GioServices) on first use. The build and the
// installation put it at the same place relative to the program, CORVANE_GIO_MODULE_FROM_BINDIR. A
// module that is missing or does not load is logged once; the callers then go without what it reads.
// Once loaded it stays loaded: objects it made live until the program ends.
class GioModule {
public:
    explicit GioModule(QString path);
    GioModule(const GioModule &) = delete;
    GioModule &operator=(const GioModule &) = delete;

    // The services, loading the module on the first call (from any thread); null when it cannot be
    // loaded.
    GioServices *services();
    const QString &path() const { return path_; }
    // Why the module is not loaded; empty once it is (or before the first call).
    const QString &error() const { return error_; }

    // The module installed with this program.
    static GioModule &shared();
    static QString defaultPath();

private:
    void load();

    QString path_;
    std::once_flag once_;
    GioServices *services_ = nullptr;
    QString error_;
};
