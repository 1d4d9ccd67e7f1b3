#include "catalogue/bindings/BindingKeys.h"

#include "catalogue/GtkAccelerator.h"

#include <QHash>
#include <QStringList>

namespace {

enum Modifier { Ctrl = 1, Alt = 2, Shift = 4, Super = 8 };

// Modifiers first, in their fixed order, then the key.
QString chordText(int modifiers, const QString &key)
{
    QStringList parts;
    if (modifiers & Ctrl)
        parts << QStringLiteral("ctrl");
    if (modifiers & Alt)
        parts << QStringLiteral("alt");
    if (modifiers & Shift)
        parts << QStringLiteral("shift");
    if (modifiers & Super)
        parts << QStringLiteral("super");
    if (!key.isEmpty())
        parts << key;
    return parts.join(QLatin1Char('+'));
}

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
        {QStringLiteral("+"), QStringLiteral("plus")},
        {QStringLiteral("-"), QStringLiteral("minus")},
        {QStringLiteral("="), QStringLiteral("equal")},
        {QStringLiteral(","), QStringLiteral("comma")},
        {QStringLiteral("."), QStringLiteral("period")},
        {QStringLiteral("/"), QStringLiteral("slash")},
        {QStringLiteral("\\"), QStringLiteral("backslash")},
        {QStringLiteral(";"), QStringLiteral("semicolon")},
        {QStringLiteral("'"), QStringLiteral("quote")},
        {QStringLiteral("`"), QStringLiteral("backtick")},
        {QStringLiteral("~"), QStringLiteral("tilde")},
        {QStringLiteral("["), QStringLiteral("leftbracket")},
        {QStringLiteral("]"), QStringLiteral("rightbracket")},
    };
    const QString lower = name.toLower();
    const auto found = names.constFind(lower);
    if (found != names.constEnd())
        return *found;
    // VS Code's scan-code form: "[KeyA]", "[Digit1]", "[BracketLeft]".
    if (lower.size() > 2 && lower.startsWith(QLatin1Char('[')) && lower.endsWith(QLatin1Char(']'))) {
        const QString code = name.mid(1, name.size() - 2);
        if (code.startsWith(QLatin1String("Key")) && code.size() == 4)
            return code.right(1).toLower();
        if (code.startsWith(QLatin1String("Digit")) && code.size() == 6)
            return code.right(1);
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
        chords << chordText(modifiers, key);
    }
    if (chords.isEmpty())
        return std::nullopt;
    return chords.join(QLatin1Char(' '));
}

std::optional<QString> gtkAccelerator(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("disabled"))
        return std::nullopt;
    int modifiers = 0;
    qsizetype i = 0;
    while (i < trimmed.size() && trimmed.at(i) == QLatin1Char('<')) {
        const qsizetype close = trimmed.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            return std::nullopt;
        const int modifier = modifierOf(trimmed.mid(i + 1, close - i - 1));
        if (!modifier)
            return std::nullopt;
        modifiers |= modifier;
        i = close + 1;
    }
    const QString keysym = trimmed.mid(i).trimmed();
    if (keysym.isEmpty())
        return modifiers ? std::optional<QString>(chordText(modifiers, QString())) : std::nullopt;
    return chordText(modifiers, BindingKeys::keysymName(keysym));
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
        chords << chordText(modifiers, BindingKeys::keysymName(parts.constLast()));
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
    // X keysyms are GDK's key names: the shortcuts-window reader knows them.
    if (const auto token = GtkAccelerator::keyToken(keysym))
        return *token;
    const QString lower = keysym.toLower();
    if (lower == QLatin1String("super_l") || lower == QLatin1String("super_r"))
        return QStringLiteral("super");
    // Anything else ("XF86Calculator", "+"): our names are the lower-cased keysyms.
    return lower;
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
            const int modifier = part == QLatin1String("opt") ? Alt : modifierOf(part);
            // Single letters name keys here ("s", "a"), not modifiers.
            if (modifier && part.size() > 1)
                modifiers |= modifier;
            else
                keys << part;
        }
        chords << chordText(modifiers, keys.join(QLatin1Char('+')));
    }
    return chords.join(QLatin1Char(' '));
}
