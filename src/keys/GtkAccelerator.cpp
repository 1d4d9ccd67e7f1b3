#include "keys/GtkAccelerator.h"

#include "keys/KeySyms.h"
#include "keys/KeyTokens.h"

#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

// GTK's modifier names, lower case, as gtk_accelerator_parse() takes them.
constexpr struct {
    const char *name;
    unsigned modifier;
} modifierNames[] = {
    {"primary", GtkAccelerator::Ctrl}, {"control", GtkAccelerator::Ctrl}, {"ctrl", GtkAccelerator::Ctrl},
    {"ctl", GtkAccelerator::Ctrl},     {"shift", GtkAccelerator::Shift},  {"shft", GtkAccelerator::Shift},
    {"alt", GtkAccelerator::Alt},      {"mod1", GtkAccelerator::Alt},     {"super", GtkAccelerator::Super},
    {"mod4", GtkAccelerator::Super},   {"meta", GtkAccelerator::Meta},    {"hyper", GtkAccelerator::Hyper},
    {"release", GtkAccelerator::Release},
};

// GTK's name for whatever key sits above Tab on the keyboard in use: "`" on most layouts.
constexpr QLatin1String aboveTab("above_tab");

// The modifier a key named alone stands for ("Control_L" is Ctrl); 0 for any other key.
unsigned modifierKey(const GtkAccelerator::Accelerator &accelerator)
{
    if (!accelerator.keysym)
        return 0;
    const std::optional<QString> token = KeyTokens::fromKeysym(*accelerator.keysym);
    return token ? KeyTokens::modifierNamed(*token) : 0;
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
    const auto accelerator = GtkAccelerator::parse(text, error);
    if (!accelerator)
        return false;
    modifiers |= GtkAccelerator::notationModifiers(accelerator->modifiers);
    if (accelerator->keyName.isEmpty())
        return fail(QStringLiteral("no key"));
    if (const unsigned modifier = modifierKey(*accelerator)) {
        modifiers |= modifier;
        return true;
    }
    if (accelerator->keysym == XKB_KEY_ISO_Left_Tab)
        modifiers |= KeyTokens::Shift;
    if (!key.isEmpty())
        return fail(QStringLiteral("two keys in one chord"));
    const std::optional<QString> token = accelerator->keysym ? KeyTokens::fromKeysym(*accelerator->keysym) : std::nullopt;
    if (!token)
        return fail(QStringLiteral("unknown key \"%1\"").arg(accelerator->keyName));
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
        const auto step = GtkAccelerator::parse(steps[i]);
        if (!step || step->modifiers != 0 || !modifierKey(*step))
            return false;
    }
    return true;
}

} // namespace

std::optional<GtkAccelerator::Accelerator> GtkAccelerator::parse(QStringView text, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<Accelerator> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    Accelerator accelerator;
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('<')) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            return fail(QStringLiteral("unclosed modifier"));
        const QString name = text.mid(i + 1, close - i - 1).toString().toLower();
        bool known = false;
        for (const auto &m : modifierNames) {
            if (name == QLatin1String(m.name)) {
                accelerator.modifiers |= m.modifier;
                known = true;
            }
        }
        if (!known)
            return fail(QStringLiteral("unknown modifier <%1>").arg(name));
        i = close + 1;
    }
    accelerator.keyName = text.mid(i).toString();
    if (accelerator.keyName.compare(aboveTab, Qt::CaseInsensitive) == 0)
        accelerator.keysym = XKB_KEY_grave;
    else if (!accelerator.keyName.isEmpty())
        accelerator.keysym = KeySyms::fromName(accelerator.keyName);
    return accelerator;
}

unsigned GtkAccelerator::notationModifiers(unsigned gtk)
{
    unsigned modifiers = 0;
    if (gtk & Ctrl)
        modifiers |= KeyTokens::Ctrl;
    if (gtk & Alt)
        modifiers |= KeyTokens::Alt;
    if (gtk & Shift)
        modifiers |= KeyTokens::Shift;
    if (gtk & (Super | Meta | Hyper))
        modifiers |= KeyTokens::Super;
    return modifiers;
}

std::optional<QString> GtkAccelerator::convertChord(QStringView text, QString *error)
{
    unsigned modifiers = 0;
    QString key;
    for (QStringView piece : text.split(QLatin1Char('&'))) {
        if (!readPiece(piece, modifiers, key, error))
            return std::nullopt;
    }
    const QString chord = KeyTokens::chord(modifiers, key);
    if (chord.isEmpty()) {
        if (error)
            *error = QStringLiteral("no key");
        return std::nullopt;
    }
    return chord;
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
        if (alternative.contains(aboveTab, Qt::CaseInsensitive))
            comment = QStringLiteral("the key above Tab");
        result.keys.append(Key{*key, comment});
    }
    return result;
}
