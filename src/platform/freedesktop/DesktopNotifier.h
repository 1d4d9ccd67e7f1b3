#pragma once

#include <QString>

// Desktop notifications (the freedesktop notification service on the session bus).
namespace DesktopNotifier {

// Shows a notification; false when no notification service answered.
bool notify(const QString &summary, const QString &body);

} // namespace DesktopNotifier
