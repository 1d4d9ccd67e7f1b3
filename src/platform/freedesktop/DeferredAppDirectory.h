#pragma once

#include "platform/AppDirectory.h"

#include <memory>

class GioModule;

// The installed applications as the GIO module's DesktopEntries knows them, made on the first
// question (which loads the module): nothing is read before something needs an entry. Without the
// module no application is installed.
class DeferredAppDirectory : public AppDirectory {
public:
    explicit DeferredAppDirectory(GioModule &module);
    ~DeferredAppDirectory() override;

    std::optional<DesktopEntry> find(const QString &identifier) override;

private:
    GioModule &module_;
    std::unique_ptr<AppDirectory> entries_;
    bool made_ = false;
};
