#include "platform/NotificationCenter.h"

NotificationCenter &NotificationCenter::shared()
{
    static NotificationCenter *center = new NotificationCenter;  // lives as long as the process
    return *center;
}
