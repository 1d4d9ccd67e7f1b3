#include "keys/DesktopKeyNames.h"

#include "keys/GtkAccelerator.h"
#include "keys/KeyCodes.h"
#include "keys/KeySyms.h"

#include <QStringList>

namespace DesktopKeyNames {

namespace {

using namespace KeyCodes;

struct ModifierNames {
    quint32 mask;
    const char *freedesktop;
    const char *gtk;
    const char *sway;
};

// In the order each notation writes them: the Super key first, as in LOGO+SHIFT+space.
constexpr ModifierNames modifierNames[] = {
    {CommandMask, "LOGO", "<Super>", "Mod4"},
    {ControlMask, "CTRL", "<Control>", "Ctrl"},
    {OptionMask, "ALT", "<Alt>", "Mod1"},
    {ShiftMask, "SHIFT", "<Shift>", "Shift"},
};

} // namespace

std::optional<QString> keysymName(quint32 keyCode)
{
    const std::optional<quint32> keysym = toKeysym(keyCode);
    if (!keysym)
        return std::nullopt;
    const QString name = KeySyms::name(*keysym);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

namespace {

// The modifiers in one notation's names, then the key; `separator` between parts ("" for GTK,
// whose modifiers carry their own brackets).
std::optional<QString> compose(quint32 keyCode, quint32 modifiers, const char *ModifierNames::*notation,
                               QLatin1String separator)
{
    std::optional<QString> key = keysymName(keyCode);
    if (!key)
        return std::nullopt;
    QStringList parts;
    for (const ModifierNames &names : modifierNames) {
        if (modifiers & names.mask)
            parts.append(QLatin1String(names.*notation));
    }
    parts.append(*key);
    return parts.join(separator);
}

} // namespace

std::optional<QString> freedesktopTrigger(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::freedesktop, QLatin1String("+"));
}

std::optional<QString> gtkAccelerator(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::gtk, QLatin1String(""));
}

std::optional<QString> swayCombination(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::sway, QLatin1String("+"));
}

std::optional<std::pair<quint32, quint32>> fromGtkAccelerator(const QString &accelerator)
{
    const auto parsed = GtkAccelerator::parse(QStringView(accelerator).trimmed());
    if (!parsed || !parsed->keysym)
        return std::nullopt;
    // GNOME runs the command for exactly these modifiers: Meta, Hyper or Release is another binding.
    const std::pair<unsigned, quint32> masks[] = {{GtkAccelerator::Super, CommandMask},
                                                  {GtkAccelerator::Ctrl, ControlMask},
                                                  {GtkAccelerator::Alt, OptionMask},
                                                  {GtkAccelerator::Shift, ShiftMask}};
    quint32 modifiers = 0;
    unsigned rest = parsed->modifiers;
    for (const auto &[gtk, mask] : masks) {
        if (rest & gtk)
            modifiers |= mask;
        rest &= ~gtk;
    }
    const std::optional<KeyCodes::Key> key = fromKeysym(*parsed->keysym);
    if (rest != 0 || !key)
        return std::nullopt;
    return std::make_pair(key->code, modifiers);
}

} // namespace DesktopKeyNames
