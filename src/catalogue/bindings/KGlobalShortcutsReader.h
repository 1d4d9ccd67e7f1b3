#pragma once

#include "platform/AppBindings.h"

#include <QByteArray>
#include <QString>

// KDE Plasma's global shortcuts, kglobalshortcutsrc: one group per component, one line per action,
// "Action=current,default,friendly name", several keys separated by a tab. Reports the actions whose
// current keys differ from their defaults, as "component/action", for the "KDE Plasma" section.
class KGlobalShortcutsReader {
public:
    static AppBindings parse(const QByteArray &text, const QString &origin);
};
