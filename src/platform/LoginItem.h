#pragma once

#include "services/SystemLog.h"

#include <QString>
#include <optional>

// Whether the program starts when the user logs in.
class LoginItem {
public:
    enum class Status { NotRegistered, Enabled };

    virtual ~LoginItem() = default;

    virtual Status status() const = 0;
    // Each returns what went wrong, or none on success.
    virtual std::optional<QString> registerItem() = 0;
    virtual std::optional<QString> unregisterItem() = 0;

    // Brings the item to the wanted state, touching it only when the status differs. A failure is
    // written to the log and returned, for the caller to tell the user.
    std::optional<QString> applyLaunchAtLogin(bool wanted)
    {
        const bool enabled = status() == Status::Enabled;
        if (wanted == enabled)
            return std::nullopt;
        const std::optional<QString> error = wanted ? registerItem() : unregisterItem();
        if (error)
            SystemLog::shared().write(QStringLiteral("Corvane: launch-at-login update failed: ") + *error);
        return error;
    }
};
