#pragma once

#include "platform/RunningApp.h"

#include <QList>

// The applications that have windows in this session, as the window system lists them.
class RunningAppList {
public:
    virtual ~RunningAppList() = default;

    // One entry per listed window, oldest first; windows that vanished are left out.
    virtual QList<RunningApp> runningApps() const = 0;
};
