#pragma once

#include "platform/LoginItem.h"

#include <QString>
#include <QStringList>

// Launch at login through an XDG autostart entry, <config>/autostart/<application id>.desktop.
//
// The entry in the user's configuration folder ($XDG_CONFIG_HOME) decides; without one, an entry of
// the same name in a system folder ($XDG_CONFIG_DIRS) does. An entry counts as enabled unless it says
// Hidden=true (or GNOME's X-GNOME-Autostart-enabled=false). Unregistering removes the user's entry,
// or, when a system entry would still start the program, replaces it with a Hidden one.
class XdgAutostartItem : public LoginItem {
public:
    // The program's own id and executable, in the folders of the environment.
    XdgAutostartItem();
    // `program` is what the entry runs; `configHome` and `configDirs` stand for the XDG folders.
    XdgAutostartItem(const QString &applicationId, const QString &program, const QString &configHome,
                     const QStringList &configDirs);

    Status status() const override;
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

    // The user's entry file.
    QString path() const;

private:
    static bool enables(const QString &entryPath);
    std::optional<QString> write(const QByteArray &content) const;

    QString applicationId_;
    QString program_;
    QString configHome_;
    QStringList configDirs_;
};
