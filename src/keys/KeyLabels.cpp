#include "keys/KeyLabels.h"

#include <QHash>

#include <algorithm>

namespace {

struct Word {
    const char16_t *name;  // a stored label, lower-cased
    const char16_t *text;
};

// Mouse actions, by their stored label lower-cased.
constexpr Word mouseWords[] = {
    {u"click", u"Click"}, {u"leftclick", u"Click"}, {u"rightclick", u"Right-click"},
    {u"middleclick", u"Middle-click"}, {u"doubleclick", u"Double-click"}, {u"tripleclick", u"Triple-click"},
    {u"drag", u"Drag"}, {u"rightdrag", u"Right-drag"}, {u"middledrag", u"Middle-drag"},
    {u"scroll", u"Scroll"}, {u"scrollup", u"Scroll up"}, {u"scrolldown", u"Scroll down"},
    {u"wheel", u"Scroll"}, {u"mousewheel", u"Scroll"},
};

constexpr Word keyWords[] = {
    {u"\u2303", u"Ctrl"}, {u"\u2325", u"Alt"}, {u"\u21E7", u"Shift"}, {u"\u2756", u"Super"},
    {u"\u2318", u"Cmd"}, {u"fn", u"Fn"},
    {u"\u23CE", u"Enter"}, {u"\u238B", u"Esc"}, {u"\u232B", u"Backspace"}, {u"\u2326", u"Del"},
    {u"\u21E5", u"Tab"}, {u"\u2423", u"Space"}, {u"\u21EA", u"Caps Lock"},
    {u"\u21DE", u"PgUp"}, {u"\u21DF", u"PgDn"}, {u"\u2196", u"Home"}, {u"\u2198", u"End"},
    // Names the notation passes through capitalised.
    {u"insert", u"Ins"}, {u"ins", u"Ins"}, {u"pgup", u"PgUp"}, {u"pgdn", u"PgDn"},
    {u"print", u"Print"}, {u"printscreen", u"Print"}, {u"sysrq", u"SysRq"},
    {u"scrolllock", u"Scroll Lock"}, {u"numlock", u"Num Lock"}, {u"pause", u"Pause"}, {u"menu", u"Menu"},
    {u"volumeup", u"Volume Up"}, {u"volumedown", u"Volume Down"}, {u"mute", u"Mute"},
    {u"play", u"Play"}, {u"playpause", u"Play/Pause"}, {u"stop", u"Stop"},
    {u"next", u"Next Track"}, {u"previous", u"Previous Track"},
    {u"brightnessup", u"Brightness Up"}, {u"brightnessdown", u"Brightness Down"},
    {u"numpadplus", u"Num +"}, {u"numpadminus", u"Num \u2212"}, {u"numpadmultiply", u"Num *"},
    {u"numpadasterisk", u"Num *"}, {u"numpaddivide", u"Num /"}, {u"numpaddecimal", u"Num ."},
    {u"numpadenter", u"Num Enter"}, {u"numpadequal", u"Num ="},
    {u"numpadup", u"Num Up"}, {u"numpaddown", u"Num Down"}, {u"numpadleft", u"Num Left"},
    {u"numpadright", u"Num Right"}, {u"numpadhome", u"Num Home"}, {u"numpadend", u"Num End"},
    {u"numpadpageup", u"Num PgUp"}, {u"numpadpagedown", u"Num PgDn"}, {u"numpadinsert", u"Num Ins"},
    {u"numpaddelete", u"Num Del"},
};

QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

const QHash<QString, QString> &wordTable()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const Word &w : keyWords)
            t.insert(text(w.name), text(w.text));
        for (const Word &w : mouseWords)
            t.insert(text(w.name), text(w.text));
        return t;
    }();
    return table;
}

// The rank of a modifier in a chord (Ctrl, Alt, Shift, Super); -1 for every other key.
int modifierRank(const QString &label)
{
    static const QStringList order{QStringLiteral("\u2303"), QStringLiteral("\u2325"), QStringLiteral("\u21E7"),
                                   QStringLiteral("\u2756"), QStringLiteral("\u2318")};
    const qsizetype rank = order.indexOf(label);
    return rank == 4 ? 3 : int(rank);  // the command key sits where Super does
}

// A label reduced to letters and digits in lower case: "Middle-click" and "Middleclick" alike.
QString folded(const QString &label)
{
    QString out;
    for (QChar c : label) {
        if (c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

} // namespace

namespace KeyLabels {

KeyLabelStyle platformDefault()
{
#if defined(Q_OS_MACOS) || defined(__APPLE__)
    return KeyLabelStyle::Symbols;
#else
    return KeyLabelStyle::Words;
#endif
}

QString styleName(KeyLabelStyle style)
{
    return style == KeyLabelStyle::Words ? QStringLiteral("words") : QStringLiteral("symbols");
}

std::optional<KeyLabelStyle> styleNamed(const QString &name)
{
    if (name == QLatin1String("words"))
        return KeyLabelStyle::Words;
    if (name == QLatin1String("symbols"))
        return KeyLabelStyle::Symbols;
    return std::nullopt;
}

QString word(const QString &label)
{
    const auto &table = wordTable();
    if (auto it = table.constFind(label.toLower()); it != table.constEnd())
        return *it;
    // Numpad digits: "Numpad5" reads "Num 5".
    if (label.size() == 7 && label.startsWith(QLatin1String("numpad"), Qt::CaseInsensitive) && label.at(6).isDigit())
        return QStringLiteral("Num ") + label.at(6);
    return label;
}

bool isMouseAction(const QString &label)
{
    const QString key = folded(label);
    return std::any_of(std::begin(mouseWords), std::end(mouseWords),
                       [&](const Word &w) { return key == text(w.name); });
}

QStringList chord(const QStringList &labels, KeyLabelStyle style)
{
    if (style == KeyLabelStyle::Symbols)
        return labels;
    QList<QPair<int, QString>> ranked;
    ranked.reserve(labels.size());
    for (const QString &label : labels) {
        const int rank = modifierRank(label);
        ranked.append({rank < 0 ? 99 : rank, word(label)});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList words;
    words.reserve(ranked.size());
    for (const auto &item : ranked)
        words.append(item.second);
    return words;
}

KeyGroups groups(const KeyGroups &groups, KeyLabelStyle style)
{
    if (style == KeyLabelStyle::Symbols)
        return groups;
    KeyGroups out;
    out.reserve(groups.size());
    for (const QStringList &labels : groups)
        out.append(chord(labels, style));
    return out;
}

QString sequenceText(const KeyGroups &keyGroups, KeyLabelStyle style)
{
    QStringList chords;
    for (const QStringList &labels : groups(keyGroups, style))
        chords.append(labels.join(style == KeyLabelStyle::Words ? QStringLiteral("+") : QString()));
    return chords.join(QLatin1Char(' '));
}

QString spokenText(const KeyGroups &keyGroups)
{
    static const QHash<QString, QString> arrows{
        {QStringLiteral("\u2191"), QStringLiteral("Up")}, {QStringLiteral("\u2193"), QStringLiteral("Down")},
        {QStringLiteral("\u2190"), QStringLiteral("Left")}, {QStringLiteral("\u2192"), QStringLiteral("Right")},
        {QStringLiteral("\u2212"), QStringLiteral("Minus")}, {QStringLiteral("+"), QStringLiteral("Plus")},
    };
    QStringList chords;
    for (const QStringList &labels : groups(keyGroups, KeyLabelStyle::Words)) {
        QStringList words;
        for (const QString &label : labels)
            words.append(arrows.value(label, label));
        chords.append(words.join(QLatin1Char(' ')));
    }
    return chords.join(QStringLiteral(", then "));
}

QString hotKeyText(const QString &display, KeyLabelStyle style)
{
    // Leading modifier symbols in any order, then the key's name.
    QStringList labels;
    qsizetype i = 0;
    for (; i < display.size() && modifierRank(display.mid(i, 1)) >= 0; ++i)
        labels.append(display.mid(i, 1));
    if (i < display.size())
        labels.append(display.mid(i));
    QList<QPair<int, QString>> ranked;
    for (const QString &label : labels) {
        const int rank = modifierRank(label);
        ranked.append({rank < 0 ? 99 : rank, label});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    labels.clear();
    for (const auto &item : ranked)
        labels.append(style == KeyLabelStyle::Words ? word(item.second) : item.second);
    return labels.join(style == KeyLabelStyle::Words ? QStringLiteral("+") : QString());
}

} // namespace KeyLabels
