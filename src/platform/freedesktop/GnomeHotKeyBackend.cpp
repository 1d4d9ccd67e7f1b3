#include "platform/freedesktop/GnomeHotKeyBackend.h"

#include "platform/DesktopKeyNames.h"

GnomeHotKeyBackend::GnomeHotKeyBackend(QString command, GnomeCustomKeybinding entry)
    : command_(std::move(command)), entry_(std::move(entry))
{
}

QString GnomeHotKeyBackend::entryName()
{
    return QStringLiteral("Corvane: Show or Hide Shortcuts");
}

HotKeyBackend::Result GnomeHotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    const std::optional<QString> accelerator = DesktopKeyNames::gtkAccelerator(keyCode, modifiers);
    if (!accelerator)
        return Result::NoSuchKey;
    failureReason_.clear();
    return entry_.write(entryName(), command_, *accelerator, &failureReason_) ? Result::Grabbed : Result::Refused;
}
