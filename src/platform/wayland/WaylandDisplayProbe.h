#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whether a Wayland compositor takes a client on a socket, asked on a connection of our own before
// Qt makes its connection, which ends the process when it fails.
class WaylandDisplayProbe {
public:
    // Why a client cannot connect to the compositor `name` (as in WAYLAND_DISPLAY: a socket name in
    // XDG_RUNTIME_DIR or a path; empty for what WAYLAND_DISPLAY says, else "wayland-0"), or none
    // when it can.
    static std::optional<QString> connectionFailure(const QByteArray &name);
};
