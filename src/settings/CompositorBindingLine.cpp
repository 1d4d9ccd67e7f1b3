#include "settings/CompositorBindingLine.h"

#include "keys/DesktopKeyNames.h"
#include "keys/KeyCodes.h"
#include "services/ToggleCommand.h"

#include <QStringList>

namespace CompositorBindingLine {

namespace {

QStringList modifierNames(quint32 modifiers, const char *super, const char *control, const char *alt, const char *shift)
{
    QStringList names;
    if (modifiers & KeyCodes::CommandMask)
        names.append(QLatin1String(super));
    if (modifiers & KeyCodes::ControlMask)
        names.append(QLatin1String(control));
    if (modifiers & KeyCodes::OptionMask)
        names.append(QLatin1String(alt));
    if (modifiers & KeyCodes::ShiftMask)
        names.append(QLatin1String(shift));
    return names;
}

} // namespace

QString forDesktop(const QString &currentDesktop, quint32 keyCode, quint32 modifiers, const QString &command)
{
    const std::optional<QString> key = DesktopKeyNames::keysymName(keyCode);
    if (!key)
        return QString();
    const QStringList desktops = currentDesktop.toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        if (desktop == QLatin1String("sway") || desktop == QLatin1String("i3"))
            return QStringLiteral("bindsym %1 exec %2").arg(*DesktopKeyNames::swayCombination(keyCode, modifiers), command);
        if (desktop == QLatin1String("hyprland"))
            return QStringLiteral("bind = %1, %2, exec, %3")
                .arg(modifierNames(modifiers, "SUPER", "CTRL", "ALT", "SHIFT").join(QLatin1Char(' ')), *key, command);
        if (desktop == QLatin1String("river")) {
            const QStringList names = modifierNames(modifiers, "Super", "Control", "Alt", "Shift");
            return QStringLiteral("riverctl map normal %1 %2 spawn %3")
                .arg(names.isEmpty() ? QStringLiteral("None") : names.join(QLatin1Char('+')), *key,
                     ToggleCommand::shellQuoted(command));
        }
    }
    return QString();
}

} // namespace CompositorBindingLine
