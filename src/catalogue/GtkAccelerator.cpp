#include "catalogue/GtkAccelerator.h"

#include <QHash>

namespace {

// The modifiers of the data format, in the order they are written.
enum Modifier : unsigned { Ctrl = 1, Alt = 2, Shift = 4, Super = 8 };

constexpr struct {
    Modifier modifier;
    const char *token;
} modifierOrder[] = {{Ctrl, "ctrl"}, {Alt, "alt"}, {Shift, "shift"}, {Super, "super"}};

// GTK's modifier names, lower case, as gtk_accelerator_parse() takes them. <Primary> is Control on
// Linux; <Release> changes when the shortcut fires, not which keys it is.
std::optional<unsigned> modifierNamed(const QString &lower)
{
    static const QHash<QString, unsigned> names{
        {QStringLiteral("primary"), Ctrl}, {QStringLiteral("control"), Ctrl}, {QStringLiteral("ctrl"), Ctrl},
        {QStringLiteral("ctl"), Ctrl},     {QStringLiteral("shift"), Shift},  {QStringLiteral("shft"), Shift},
        {QStringLiteral("alt"), Alt},      {QStringLiteral("mod1"), Alt},     {QStringLiteral("super"), Super},
        {QStringLiteral("hyper"), Super},  {QStringLiteral("meta"), Super},   {QStringLiteral("mod4"), Super},
        {QStringLiteral("release"), 0},
    };
    const auto found = names.constFind(lower);
    return found == names.constEnd() ? std::nullopt : std::optional<unsigned>(*found);
}

// Key names that stand for a modifier key itself.
std::optional<unsigned> modifierKey(const QString &lower)
{
    static const QHash<QString, unsigned> keys{
        {QStringLiteral("control_l"), Ctrl}, {QStringLiteral("control_r"), Ctrl}, {QStringLiteral("shift_l"), Shift},
        {QStringLiteral("shift_r"), Shift},  {QStringLiteral("alt_l"), Alt},      {QStringLiteral("alt_r"), Alt},
        {QStringLiteral("super_l"), Super},  {QStringLiteral("super_r"), Super},  {QStringLiteral("meta_l"), Super},
        {QStringLiteral("meta_r"), Super},   {QStringLiteral("hyper_l"), Super},  {QStringLiteral("hyper_r"), Super},
    };
    const auto found = keys.constFind(lower);
    return found == keys.constEnd() ? std::nullopt : std::optional<unsigned>(*found);
}

const QHash<QString, QString> &keyNames()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        const char *const pairs[][2] = {
            {"page_up", "pageup"}, {"prior", "pageup"}, {"page_down", "pagedown"}, {"next", "pagedown"},
            {"home", "home"}, {"end", "end"}, {"left", "left"}, {"right", "right"}, {"up", "up"},
            {"down", "down"}, {"return", "enter"}, {"iso_enter", "enter"}, {"escape", "esc"},
            {"backspace", "backspace"}, {"delete", "delete"}, {"tab", "tab"}, {"iso_left_tab", "tab"},
            {"space", "space"}, {"insert", "insert"}, {"print", "print"}, {"pause", "pause"},
            {"break", "pause"}, {"menu", "menu"}, {"num_lock", "numlock"}, {"scroll_lock", "scrolllock"},
            {"sys_req", "sysrq"}, {"multi_key", "compose"}, {"caps_lock", "capslock"},
            {"plus", "plus"}, {"minus", "minus"}, {"equal", "equal"}, {"comma", "comma"},
            {"period", "period"}, {"slash", "slash"}, {"backslash", "backslash"}, {"semicolon", "semicolon"},
            {"apostrophe", "quote"}, {"grave", "backtick"}, {"asciitilde", "tilde"},
            {"bracketleft", "leftbracket"}, {"bracketright", "rightbracket"},
            {"question", "?"}, {"exclam", "!"}, {"at", "@"}, {"numbersign", "#"}, {"dollar", "$"},
            {"percent", "%"}, {"asciicircum", "^"}, {"ampersand", "&"}, {"asterisk", "*"},
            {"parenleft", "("}, {"parenright", ")"}, {"underscore", "_"}, {"colon", ":"}, {"less", "<"},
            {"greater", ">"}, {"bar", "|"}, {"braceleft", "{"}, {"braceright", "}"}, {"quotedbl", "\""},
            {"kp_enter", "numpadenter"}, {"kp_add", "numpadplus"}, {"kp_subtract", "numpadminus"},
            {"kp_multiply", "numpadmultiply"}, {"kp_divide", "numpaddivide"}, {"kp_decimal", "numpaddecimal"},
            {"kp_separator", "numpaddecimal"}, {"kp_equal", "numpadequal"}, {"kp_space", "space"},
            {"kp_tab", "tab"}, {"kp_home", "numpadhome"}, {"kp_end", "numpadend"}, {"kp_left", "numpadleft"},
            {"kp_right", "numpadright"}, {"kp_up", "numpadup"}, {"kp_down", "numpaddown"},
            {"kp_page_up", "numpadpageup"}, {"kp_prior", "numpadpageup"}, {"kp_page_down", "numpadpagedown"},
            {"kp_next", "numpadpagedown"}, {"kp_insert", "numpadinsert"}, {"kp_delete", "numpaddelete"},
            {"kp_begin", "numpad5"},
            // GTK's name for whatever key sits above Tab on the keyboard in use: "`" on most layouts.
            {"above_tab", "backtick"},
            {"xf86audioraisevolume", "volumeup"}, {"xf86audiolowervolume", "volumedown"},
            {"xf86audiomute", "mute"}, {"xf86audioplay", "play"}, {"xf86audionext", "next"},
            {"xf86audioprev", "previous"}, {"xf86monbrightnessup", "brightnessup"},
            {"xf86monbrightnessdown", "brightnessdown"},
        };
        for (const auto &pair : pairs)
            t.insert(QLatin1String(pair[0]), QLatin1String(pair[1]));
        for (int digit = 0; digit <= 9; ++digit)
            t.insert(QStringLiteral("kp_%1").arg(digit), QStringLiteral("numpad%1").arg(digit));
        for (int n = 1; n <= 24; ++n)
            t.insert(QStringLiteral("f%1").arg(n), QStringLiteral("f%1").arg(n));
        return t;
    }();
    return table;
}

// One piece of a chord ("<ctrl><shift>a", "Control_L"): its modifiers into `modifiers`, its key (if
// it names one that is not a modifier) into `key`.
bool readPiece(QStringView text, unsigned &modifiers, QString &key, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('<')) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            return fail(QStringLiteral("unclosed modifier"));
        const QString name = text.mid(i + 1, close - i - 1).toString().toLower();
        const auto modifier = modifierNamed(name);
        if (!modifier)
            return fail(QStringLiteral("unknown modifier <%1>").arg(name));
        modifiers |= *modifier;
        i = close + 1;
    }
    const QStringView name = text.mid(i);
    if (name.isEmpty())
        return fail(QStringLiteral("no key"));
    const QString lower = name.toString().toLower();
    if (const auto modifier = modifierKey(lower)) {
        modifiers |= *modifier;
        return true;
    }
    if (lower == QLatin1String("iso_left_tab"))
        modifiers |= Shift;
    if (!key.isEmpty())
        return fail(QStringLiteral("two keys in one chord"));
    const auto token = GtkAccelerator::keyToken(name);
    if (!token)
        return fail(QStringLiteral("unknown key \"%1\"").arg(name.toString()));
    key = *token;
    return true;
}

// True when the steps of a "+" sequence are keys held together rather than pressed one after the
// other: every step before the last is a modifier key named alone ("Control_L+Alt_L",
// "Shift_L+Super_L+a"). A modifier pressed and let go on its own does nothing a shortcuts window
// could list as a step, so a program writing that means the keys held down at once.
bool isHeldTogether(const QList<QStringView> &steps)
{
    for (qsizetype i = 0; i + 1 < steps.size(); ++i) {
        if (!modifierKey(steps[i].toString().toLower()))
            return false;
    }
    return true;
}

} // namespace

std::optional<QString> GtkAccelerator::keyToken(QStringView keyName)
{
    if (keyName.size() == 1) {
        const QChar c = keyName.at(0);
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            return QString(c.toLower());
        return std::nullopt;
    }
    const auto found = keyNames().constFind(keyName.toString().toLower());
    if (found == keyNames().constEnd())
        return std::nullopt;
    return *found;
}

std::optional<QString> GtkAccelerator::convertChord(QStringView text, QString *error)
{
    unsigned modifiers = 0;
    QString key;
    for (QStringView piece : text.split(QLatin1Char('&'))) {
        if (!readPiece(piece, modifiers, key, error))
            return std::nullopt;
    }
    QStringList tokens;
    for (const auto &m : modifierOrder) {
        if (modifiers & m.modifier)
            tokens << QLatin1String(m.token);
    }
    if (!key.isEmpty())
        tokens << key;
    if (tokens.isEmpty()) {
        if (error)
            *error = QStringLiteral("no key");
        return std::nullopt;
    }
    return tokens.join(QLatin1Char('+'));
}

QString GtkAccelerator::readable(const QString &key)
{
    QStringList chords;
    for (const QString &chord : key.split(QLatin1Char(' '))) {
        QStringList tokens;
        for (const QString &token : chord.split(QLatin1Char('+')))
            tokens << (token.isEmpty() ? token : token.at(0).toUpper() + token.mid(1));
        chords << tokens.join(QLatin1Char('+'));
    }
    return chords.join(QLatin1Char(' '));
}

GtkAccelerator::Result GtkAccelerator::convert(const QString &text)
{
    Result result;
    // A sequence of chords, each one converted; "+" between chords, never inside one (the plus key is
    // spelled "plus").
    auto sequence = [](QStringView alternative, QString *error) -> std::optional<QString> {
        const QList<QStringView> steps = alternative.split(QLatin1Char('+'));
        if (steps.size() > 1 && isHeldTogether(steps))
            return convertChord(alternative.toString().replace(QLatin1Char('+'), QLatin1Char('&')), error);
        QStringList chords;
        for (QStringView chord : steps) {
            const auto converted = convertChord(chord, error);
            if (!converted)
                return std::nullopt;
            chords << *converted;
        }
        return chords.join(QLatin1Char(' '));
    };
    for (const QString &alternative : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString error;
        const qsizetype dots = alternative.indexOf(QLatin1String("..."));
        if (dots >= 0) {
            const auto first = sequence(QStringView(alternative).left(dots), &error);
            const auto last = first ? sequence(QStringView(alternative).mid(dots + 3), &error) : std::nullopt;
            if (!first || !last) {
                result.malformed << QStringLiteral("\"%1\": %2").arg(alternative, error);
                continue;
            }
            result.keys.append(Key{*first, readable(*first) + QStringLiteral(" to ") + readable(*last)});
            continue;
        }
        const auto key = sequence(alternative, &error);
        if (!key) {
            result.malformed << QStringLiteral("\"%1\": %2").arg(alternative, error);
            continue;
        }
        std::optional<QString> comment;
        if (alternative.contains(QLatin1String("above_tab"), Qt::CaseInsensitive))
            comment = QStringLiteral("the key above Tab");
        result.keys.append(Key{*key, comment});
    }
    return result;
}
