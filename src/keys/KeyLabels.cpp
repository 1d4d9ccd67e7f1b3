#include "keys/KeyLabels.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {

struct Word {
    const char16_t *name;  // a stored label, lower-cased
    const char *text;      // in English, UTF-8; shown through the "KeyLabels" translation
};

// Mouse actions, by their stored label lower-cased.
constexpr Word mouseWords[] = {
    {u"click", QT_TRANSLATE_NOOP("KeyLabels", "Click")},
    {u"leftclick", QT_TRANSLATE_NOOP("KeyLabels", "Click")},
    {u"rightclick", QT_TRANSLATE_NOOP("KeyLabels", "Right-click")},
    {u"middleclick", QT_TRANSLATE_NOOP("KeyLabels", "Middle-click")},
    {u"doubleclick", QT_TRANSLATE_NOOP("KeyLabels", "Double-click")},
    {u"tripleclick", QT_TRANSLATE_NOOP("KeyLabels", "Triple-click")},
    {u"drag", QT_TRANSLATE_NOOP("KeyLabels", "Drag")},
    {u"rightdrag", QT_TRANSLATE_NOOP("KeyLabels", "Right-drag")},
    {u"middledrag", QT_TRANSLATE_NOOP("KeyLabels", "Middle-drag")},
    {u"scroll", QT_TRANSLATE_NOOP("KeyLabels", "Scroll")},
    {u"scrollup", QT_TRANSLATE_NOOP("KeyLabels", "Scroll up")},
    {u"scrolldown", QT_TRANSLATE_NOOP("KeyLabels", "Scroll down")},
    {u"wheel", QT_TRANSLATE_NOOP("KeyLabels", "Scroll")},
    {u"mousewheel", QT_TRANSLATE_NOOP("KeyLabels", "Scroll")},
};

constexpr Word keyWords[] = {
    {u"\u2303", QT_TRANSLATE_NOOP("KeyLabels", "Ctrl")}, {u"\u2325", QT_TRANSLATE_NOOP("KeyLabels", "Alt")},
    {u"\u21E7", QT_TRANSLATE_NOOP("KeyLabels", "Shift")}, {u"\u2756", QT_TRANSLATE_NOOP("KeyLabels", "Super")},
    {u"\u2318", QT_TRANSLATE_NOOP("KeyLabels", "Cmd")}, {u"fn", QT_TRANSLATE_NOOP("KeyLabels", "Fn")},
    {u"\u23CE", QT_TRANSLATE_NOOP("KeyLabels", "Enter")}, {u"\u238B", QT_TRANSLATE_NOOP("KeyLabels", "Esc")},
    {u"\u232B", QT_TRANSLATE_NOOP("KeyLabels", "Backspace")},
    {u"\u2326", QT_TRANSLATE_NOOP("KeyLabels", "Del")},
    {u"\u21E5", QT_TRANSLATE_NOOP("KeyLabels", "Tab")}, {u"\u2423", QT_TRANSLATE_NOOP("KeyLabels", "Space")},
    {u"\u21EA", QT_TRANSLATE_NOOP("KeyLabels", "Caps Lock")},
    {u"\u21DE", QT_TRANSLATE_NOOP("KeyLabels", "PgUp")}, {u"\u21DF", QT_TRANSLATE_NOOP("KeyLabels", "PgDn")},
    {u"\u2196", QT_TRANSLATE_NOOP("KeyLabels", "Home")}, {u"\u2198", QT_TRANSLATE_NOOP("KeyLabels", "End")},
    // Names the notation passes through capitalised.
    {u"space", QT_TRANSLATE_NOOP("KeyLabels", "Space")}, {u"tab", QT_TRANSLATE_NOOP("KeyLabels", "Tab")},
    {u"insert", QT_TRANSLATE_NOOP("KeyLabels", "Ins")}, {u"ins", QT_TRANSLATE_NOOP("KeyLabels", "Ins")},
    {u"pgup", QT_TRANSLATE_NOOP("KeyLabels", "PgUp")}, {u"pgdn", QT_TRANSLATE_NOOP("KeyLabels", "PgDn")},
    {u"print", QT_TRANSLATE_NOOP("KeyLabels", "Print")},
    {u"printscreen", QT_TRANSLATE_NOOP("KeyLabels", "Print")},
    {u"sysrq", QT_TRANSLATE_NOOP("KeyLabels", "SysRq")},
    {u"scrolllock", QT_TRANSLATE_NOOP("KeyLabels", "Scroll Lock")},
    {u"numlock", QT_TRANSLATE_NOOP("KeyLabels", "Num Lock")},
    {u"pause", QT_TRANSLATE_NOOP("KeyLabels", "Pause")}, {u"menu", QT_TRANSLATE_NOOP("KeyLabels", "Menu")},
    {u"volumeup", QT_TRANSLATE_NOOP("KeyLabels", "Volume Up")},
    {u"volumedown", QT_TRANSLATE_NOOP("KeyLabels", "Volume Down")},
    {u"mute", QT_TRANSLATE_NOOP("KeyLabels", "Mute")},
    {u"play", QT_TRANSLATE_NOOP("KeyLabels", "Play")},
    {u"playpause", QT_TRANSLATE_NOOP("KeyLabels", "Play/Pause")},
    {u"stop", QT_TRANSLATE_NOOP("KeyLabels", "Stop")},
    {u"next", QT_TRANSLATE_NOOP("KeyLabels", "Next Track")},
    {u"previous", QT_TRANSLATE_NOOP("KeyLabels", "Previous Track")},
    {u"brightnessup", QT_TRANSLATE_NOOP("KeyLabels", "Brightness Up")},
    {u"brightnessdown", QT_TRANSLATE_NOOP("KeyLabels", "Brightness Down")},
    {u"numpadplus", QT_TRANSLATE_NOOP("KeyLabels", "Num +")},
    {u"numpadminus", QT_TRANSLATE_NOOP("KeyLabels", "Num −")},
    {u"numpadmultiply", QT_TRANSLATE_NOOP("KeyLabels", "Num *")},
    {u"numpadasterisk", QT_TRANSLATE_NOOP("KeyLabels", "Num *")},
    {u"numpaddivide", QT_TRANSLATE_NOOP("KeyLabels", "Num /")},
    {u"numpaddecimal", QT_TRANSLATE_NOOP("KeyLabels", "Num .")},
    {u"numpadenter", QT_TRANSLATE_NOOP("KeyLabels", "Num Enter")},
    {u"numpadequal", QT_TRANSLATE_NOOP("KeyLabels", "Num =")},
    {u"numpadup", QT_TRANSLATE_NOOP("KeyLabels", "Num Up")},
    {u"numpaddown", QT_TRANSLATE_NOOP("KeyLabels", "Num Down")},
    {u"numpadleft", QT_TRANSLATE_NOOP("KeyLabels", "Num Left")},
    {u"numpadright", QT_TRANSLATE_NOOP("KeyLabels", "Num Right")},
    {u"numpadhome", QT_TRANSLATE_NOOP("KeyLabels", "Num Home")},
    {u"numpadend", QT_TRANSLATE_NOOP("KeyLabels", "Num End")},
    {u"numpadpageup", QT_TRANSLATE_NOOP("KeyLabels", "Num PgUp")},
    {u"numpadpagedown", QT_TRANSLATE_NOOP("KeyLabels", "Num PgDn")},
    {u"numpadinsert", QT_TRANSLATE_NOOP("KeyLabels", "Num Ins")},
    {u"numpaddelete", QT_TRANSLATE_NOOP("KeyLabels", "Num Del")},
};

QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// The word in the language asked for: the user's is that of the application's translators.
QString inLanguage(const char *english, KeyWords words)
{
    return words == KeyWords::English ? QString::fromUtf8(english) : QCoreApplication::translate("KeyLabels", english);
}

const QHash<QString, const char *> &wordTable()
{
    static const QHash<QString, const char *> table = [] {
        QHash<QString, const char *> t;
        for (const Word &w : keyWords)
            t.insert(text(w.name), w.text);
        for (const Word &w : mouseWords)
            t.insert(text(w.name), w.text);
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

QString word(const QString &label, KeyWords words)
{
    const auto &table = wordTable();
    if (auto it = table.constFind(label.toLower()); it != table.constEnd())
        return inLanguage(*it, words);
    // Numpad digits: "Numpad5" reads "Num 5".
    if (label.size() == 7 && label.startsWith(QLatin1String("numpad"), Qt::CaseInsensitive) && label.at(6).isDigit())
        return QStringLiteral("Num ") + label.at(6);
    return label;
}

std::optional<QString> mouseAction(const QString &label)
{
    const QString key = folded(label);
    for (const Word &w : mouseWords) {
        if (key == text(w.name) || key == folded(inLanguage(w.text, KeyWords::Translated)))
            return text(w.name);
    }
    return std::nullopt;
}

bool isMouseAction(const QString &label)
{
    return mouseAction(label).has_value();
}

QStringList chord(const QStringList &labels, KeyLabelStyle style, KeyWords words)
{
    if (style == KeyLabelStyle::Symbols)
        return labels;
    QList<QPair<int, QString>> ranked;
    ranked.reserve(labels.size());
    for (const QString &label : labels) {
        const int rank = modifierRank(label);
        ranked.append({rank < 0 ? 99 : rank, word(label, words)});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList out;
    out.reserve(ranked.size());
    for (const auto &item : ranked)
        out.append(item.second);
    return out;
}

KeyGroups groups(const KeyGroups &groups, KeyLabelStyle style, KeyWords words)
{
    if (style == KeyLabelStyle::Symbols)
        return groups;
    KeyGroups out;
    out.reserve(groups.size());
    for (const QStringList &labels : groups)
        out.append(chord(labels, style, words));
    return out;
}

QString sequenceText(const KeyGroups &keyGroups, KeyLabelStyle style, KeyWords words)
{
    QStringList chords;
    for (const QStringList &labels : groups(keyGroups, style, words))
        chords.append(labels.join(style == KeyLabelStyle::Words ? QStringLiteral("+") : QString()));
    return chords.join(QLatin1Char(' '));
}

QString spokenText(const KeyGroups &keyGroups)
{
    static const QHash<QString, const char *> arrows{
        {QStringLiteral("\u2191"), QT_TRANSLATE_NOOP("KeyLabels", "Up")},
        {QStringLiteral("\u2193"), QT_TRANSLATE_NOOP("KeyLabels", "Down")},
        {QStringLiteral("\u2190"), QT_TRANSLATE_NOOP("KeyLabels", "Left")},
        {QStringLiteral("\u2192"), QT_TRANSLATE_NOOP("KeyLabels", "Right")},
        {QStringLiteral("\u2212"), QT_TRANSLATE_NOOP("KeyLabels", "Minus")},
        {QStringLiteral("+"), QT_TRANSLATE_NOOP("KeyLabels", "Plus")},
    };
    QStringList chords;
    for (const QStringList &labels : groups(keyGroups, KeyLabelStyle::Words)) {
        QStringList words;
        for (const QString &label : labels) {
            const auto arrow = arrows.constFind(label);
            words.append(arrow == arrows.constEnd() ? label : inLanguage(*arrow, KeyWords::Translated));
        }
        chords.append(words.join(QLatin1Char(' ')));
    }
    return chords.join(QCoreApplication::translate("KeyLabels", ", then ", "between the chords of a key sequence read aloud"));
}

QString hotKeyText(const QString &display, KeyLabelStyle style, KeyWords words)
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
        labels.append(style == KeyLabelStyle::Words ? word(item.second, words) : item.second);
    return labels.join(style == KeyLabelStyle::Words ? QStringLiteral("+") : QString());
}

} // namespace KeyLabels
