#include "catalogue/bindings/BindingKeys.h"

#include "keys/GtkAccelerator.h"
#include "keys/KeySyms.h"
#include "keys/KeyTokens.h"

#include <QHash>
#include <QStringList>

namespace {

using KeyTokens::Alt;
using KeyTokens::Ctrl;
using KeyTokens::Shift;
using KeyTokens::Super;

int modifierOf(const QString &name)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("ctrl"), Ctrl},     {QStringLiteral("control"), Ctrl}, {QStringLiteral("primary"), Ctrl},
        {QStringLiteral("ctl"), Ctrl},      {QStringLiteral("c"), Ctrl},       {QStringLiteral("alt"), Alt},
        {QStringLiteral("opt"), Alt},       {QStringLiteral("mod1"), Alt},     {QStringLiteral("a"), Alt},
        {QStringLiteral("shift"), Shift},   {QStringLiteral("s"), Shift},      {QStringLiteral("super"), Super},
        {QStringLiteral("mod4"), Super},    {QStringLiteral("meta"), Super},   {QStringLiteral("win"), Super},
        {QStringLiteral("w"), Super},       {QStringLiteral("hyper"), Super},  {QStringLiteral("logo"), Super},
        {QStringLiteral("m"), Super},
    };
    return names.value(name.toLower(), 0);
}

// Key names of Qt's key sequences and of VS Code, lower-cased, where they differ from ours.
QString wordName(const QString &name)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("del"), QStringLiteral("delete")},
        {QStringLiteral("ins"), QStringLiteral("insert")},
        {QStringLiteral("escape"), QStringLiteral("esc")},
        {QStringLiteral("return"), QStringLiteral("enter")},
        {QStringLiteral("pgup"), QStringLiteral("pageup")},
        {QStringLiteral("pgdown"), QStringLiteral("pagedown")},
        {QStringLiteral("page up"), QStringLiteral("pageup")},
        {QStringLiteral("page down"), QStringLiteral("pagedown")},
        {QStringLiteral("backtab"), QStringLiteral("tab")},
        {QStringLiteral("volume up"), QStringLiteral("volumeup")},
        {QStringLiteral("volume down"), QStringLiteral("volumedown")},
        {QStringLiteral("volume mute"), QStringLiteral("mute")},
        {QStringLiteral("media play"), QStringLiteral("play")},
        {QStringLiteral("media next"), QStringLiteral("next")},
        {QStringLiteral("media previous"), QStringLiteral("previous")},
        {QStringLiteral("monitor brightness up"), QStringLiteral("brightnessup")},
        {QStringLiteral("monitor brightness down"), QStringLiteral("brightnessdown")},
        {QStringLiteral("numpad_add"), QStringLiteral("numpadplus")},
        {QStringLiteral("numpad_subtract"), QStringLiteral("numpadminus")},
        {QStringLiteral("numpad_multiply"), QStringLiteral("numpadmultiply")},
        {QStringLiteral("numpad_divide"), QStringLiteral("numpaddivide")},
        {QStringLiteral("numpad_decimal"), QStringLiteral("numpaddecimal")},
    };
    const QString lower = name.toLower();
    const auto found = names.constFind(lower);
    if (found != names.constEnd())
        return *found;
    // A punctuation key written as its character: "[" is "leftbracket", "?" stays "?".
    if (name.size() == 1) {
        const std::optional<quint32> keysym = KeySyms::fromCharacter(name.at(0).unicode());
        if (const std::optional<QString> token = keysym ? KeyTokens::fromKeysym(*keysym) : std::nullopt)
            return *token;
    }
    // VS Code's scan-code form, the keyboard's key codes of the web: "[KeyA]", "[Digit1]",
    // "[BracketLeft]", "[ArrowUp]", "[NumpadAdd]"; most others are keysym names.
    if (lower.size() > 2 && lower.startsWith(QLatin1Char('[')) && lower.endsWith(QLatin1Char(']'))) {
        const QString code = name.mid(1, name.size() - 2);
        if (code.startsWith(QLatin1String("Key")) && code.size() == 4)
            return code.right(1).toLower();
        if (code.startsWith(QLatin1String("Digit")) && code.size() == 6)
            return code.right(1);
        if (code.startsWith(QLatin1String("Arrow")))
            return code.mid(5).toLower();
        static const QHash<QString, QString> codes = {
            {QStringLiteral("Backquote"), QStringLiteral("backtick")},
            {QStringLiteral("Quote"), QStringLiteral("quote")},
            {QStringLiteral("Enter"), QStringLiteral("enter")},
            {QStringLiteral("NumpadAdd"), QStringLiteral("numpadplus")},
            {QStringLiteral("NumpadSubtract"), QStringLiteral("numpadminus")},
        };
        if (const auto known = codes.constFind(code); known != codes.constEnd())
            return *known;
        if (code.startsWith(QLatin1String("Numpad")))
            return code.toLower();
        return BindingKeys::keysymName(code);
    }
    return BindingKeys::keysymName(name);
}

// "mod+mod+key" chords, `separator` between the chords of a sequence.
std::optional<QString> plusChords(const QString &text, const QString &separator, QString (*keyName)(const QString &))
{
    QStringList chords;
    for (const QString &chord : text.split(separator, Qt::SkipEmptyParts)) {
        QString rest = chord.trimmed();
        if (rest.isEmpty())
            continue;
        int modifiers = 0;
        QString key;
        // "Ctrl++" is Ctrl and the plus key.
        if (rest.endsWith(QLatin1String("++"))) {
            key = QStringLiteral("plus");
            rest.chop(2);
        } else if (rest == QLatin1String("+")) {
            key = QStringLiteral("plus");
            rest.clear();
        }
        const QStringList parts = rest.split(QLatin1Char('+'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QString part = parts[i].trimmed();
            const int modifier = modifierOf(part);
            const bool last = i == parts.size() - 1 && key.isEmpty();
            if (modifier && !(last && part.size() == 1))
                modifiers |= modifier;
            else if (last)
                key = keyName(part);
            else
                return std::nullopt;  // a key in the middle of a chord
        }
        if (key.isEmpty() && modifiers == 0)
            return std::nullopt;
        chords << KeyTokens::chord(modifiers, key);
    }
    if (chords.isEmpty())
        return std::nullopt;
    return chords.join(QLatin1Char(' '));
}

// GNOME's settings, through GTK's own accelerator reader. A key name no table knows stays as written,
// lower-cased ("<Super>XF86Calculator"); a modifier key alone is its modifier ("Super_L").
std::optional<QString> gtkAccelerator(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("disabled"))
        return std::nullopt;
    const auto accelerator = GtkAccelerator::parse(trimmed);
    if (!accelerator)
        return std::nullopt;
    const unsigned modifiers = GtkAccelerator::notationModifiers(accelerator->modifiers);
    const QString keyName = accelerator->keyName.trimmed();
    if (keyName.isEmpty())
        return modifiers ? std::optional<QString>(KeyTokens::chord(modifiers, QString())) : std::nullopt;
    const std::optional<QString> token = accelerator->keysym ? KeyTokens::fromKeysym(*accelerator->keysym) : std::nullopt;
    return KeyTokens::chord(modifiers, token ? *token : keyName.toLower());
}

std::optional<QString> openboxKeys(const QString &text)
{
    QStringList chords;
    for (const QString &chord : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = chord.split(QLatin1Char('-'));
        int modifiers = 0;
        // "C-minus" splits cleanly; a key "-" itself is written "minus" in rc.xml.
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            const int modifier = modifierOf(parts[i]);
            if (!modifier)
                return std::nullopt;
            modifiers |= modifier;
        }
        if (parts.constLast().isEmpty())
            return std::nullopt;
        chords << KeyTokens::chord(modifiers, BindingKeys::keysymName(parts.constLast()));
    }
    if (chords.isEmpty())
        return std::nullopt;
    return chords.join(QLatin1Char(' '));
}

QString swayKeyName(const QString &name)
{
    return BindingKeys::keysymName(name);
}

} // namespace

QString BindingKeys::keysymName(const QString &keysym)
{
    if (const auto token = KeyTokens::fromKeysymName(keysym))
        return *token;
    // Anything else ("XF86Calculator", "+"): our names are the lower-cased keysyms.
    return keysym.toLower();
}

std::optional<QString> BindingKeys::toKeyText(AppBindings::Notation notation, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0
        || trimmed == QLatin1String("disabled"))
        return std::nullopt;
    switch (notation) {
    case AppBindings::Notation::Gtk: return gtkAccelerator(trimmed);
    case AppBindings::Notation::Qt: return plusChords(trimmed, QStringLiteral(", "), wordName);
    case AppBindings::Notation::Sway: return plusChords(trimmed, QStringLiteral(" "), swayKeyName);
    case AppBindings::Notation::Openbox: return openboxKeys(trimmed);
    case AppBindings::Notation::VsCode: return plusChords(trimmed, QStringLiteral(" "), wordName);
    }
    return std::nullopt;
}

QString BindingKeys::canonical(const QString &keyText)
{
    QStringList chords;
    for (const QString &chord : keyText.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        int modifiers = 0;
        QStringList keys;
        for (const QString &part : chord.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
            const int modifier = part == QLatin1String("opt") ? int(Alt) : modifierOf(part);
            // Single letters name keys here ("s", "a"), not modifiers.
            if (modifier && part.size() > 1)
                modifiers |= modifier;
            else
                keys << part;
        }
        chords << KeyTokens::chord(modifiers, keys.join(QLatin1Char('+')));
    }
    return chords.join(QLatin1Char(' '));
}
