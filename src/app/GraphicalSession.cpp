#include "app/GraphicalSession.h"

#include "platform/wayland/WaylandDisplayProbe.h"
#include "platform/x11/X11Display.h"

#include <QProcessEnvironment>

namespace {

// The value of one of Qt's own options ("-platform xcb", "--platform=xcb"), or none.
std::optional<QString> qtOption(const QStringList &arguments, const QString &name)
{
    std::optional<QString> value;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(QLatin1String("--")))
            argument.remove(0, 1);
        if (argument == QLatin1Char('-') + name && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (argument.startsWith(QLatin1Char('-') + name + QLatin1Char('=')))
            value = argument.mid(name.size() + 2);
    }
    return value;
}

} // namespace

GraphicalSession::Probes GraphicalSession::systemProbes()
{
    return {&X11Display::connectionFailure, &WaylandDisplayProbe::connectionFailure};
}

std::optional<QString> GraphicalSession::missing(const QProcessEnvironment &environment, const QStringList &arguments,
                                                 const Probes &probes)
{
    // The platforms Qt tries, in its order: the command line's, else QT_QPA_PLATFORM's
    // ("wayland;xcb", each perhaps with ":options"), else its own choice between the two.
    const std::optional<QString> platformOption = qtOption(arguments, QStringLiteral("platform"));
    const QString named = platformOption ? *platformOption : environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    QStringList platforms;
    for (const QString &entry : named.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        platforms << entry.section(QLatin1Char(':'), 0, 0).trimmed();
    const bool explicitChoice = !platforms.isEmpty();
    if (!explicitChoice)
        platforms = {QStringLiteral("wayland"), QStringLiteral("xcb")};
    for (const QString &platform : std::as_const(platforms)) {
        if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
            return std::nullopt;  // offscreen, minimal, vnc, eglfs...: a display server is not our business
    }

    const QByteArray x11Display = qtOption(arguments, QStringLiteral("display"))
                                      .value_or(environment.value(QStringLiteral("DISPLAY")))
                                      .toLocal8Bit();
    const QByteArray waylandDisplay = environment.value(QStringLiteral("WAYLAND_DISPLAY")).toLocal8Bit();
    const bool waylandNamed = explicitChoice && !platforms.filter(QStringLiteral("wayland")).isEmpty();
    if (x11Display.isEmpty() && waylandDisplay.isEmpty() && !waylandNamed)
        return QStringLiteral("neither WAYLAND_DISPLAY nor DISPLAY is set");

    QStringList failures;
    bool triedX11 = false, triedWayland = false;
    for (const QString &platform : std::as_const(platforms)) {
        std::optional<QString> failure;
        if (platform == QLatin1String("xcb")) {
            if (triedX11 || (x11Display.isEmpty() && !explicitChoice))
                continue;
            triedX11 = true;
            failure = x11Display.isEmpty() ? std::optional<QString>(QStringLiteral("DISPLAY is not set"))
                                           : probes.x11(x11Display);
        } else {
            // Asked for by name, Wayland's client library falls back on "wayland-0".
            if (triedWayland || (waylandDisplay.isEmpty() && !explicitChoice))
                continue;
            triedWayland = true;
            failure = probes.wayland(waylandDisplay);
        }
        if (!failure)
            return std::nullopt;
        failures << *failure;
    }
    return failures.join(QStringLiteral("; "));
}
