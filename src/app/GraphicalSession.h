#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcessEnvironment;

// Whether the window system Qt is about to connect to is there. Asked before the application object
// exists: when Qt finds no display it ends the process with an abort and the advice to reinstall,
// where the truth is that the program was started outside a graphical session (a text console, an
// SSH login).
//
// Qt is left alone where it is told to use a platform that needs no display server (offscreen,
// minimal, vnc, ...): only X11 (xcb) and Wayland are checked.
class GraphicalSession {
public:
    // Each answers why no client can connect to the named display (DISPLAY's or WAYLAND_DISPLAY's
    // value), or none when one can.
    using Probe = std::function<std::optional<QString>(const QByteArray &display)>;
    struct Probes {
        Probe x11;
        Probe wayland;
    };

    // The connections of this machine's X11 and Wayland client libraries.
    static Probes systemProbes();

    // Why Qt would find no window system, in words for the user ("neither WAYLAND_DISPLAY nor
    // DISPLAY is set", or why the connection failed), or none when it would find one. `arguments`
    // is the command line, which may name the platform (-platform) and the X display (-display)
    // the way Qt reads them.
    static std::optional<QString> missing(const QProcessEnvironment &environment, const QStringList &arguments,
                                          const Probes &probes);
};
