#include "keys/KeyNotation.h"

#include <QHash>
#include <QTextBoundaryFinder>

#include <limits>

namespace {

struct NamedKey {
    const char *name;
    const char16_t *label;
};

// Token names (lower case) and their labels.
constexpr NamedKey namedKeys[] = {
    {"cmd", u"\u2318"}, {"command", u"\u2318"},
    {"shift", u"\u21E7"},
    {"opt", u"\u2325"}, {"option", u"\u2325"}, {"alt", u"\u2325"},
    {"ctrl", u"\u2303"}, {"control", u"\u2303"},
    {"win", u"\u2756"}, {"super", u"\u2756"}, {"meta", u"\u2756"},
    {"fn", u"fn"},
    {"up", u"\u2191"}, {"down", u"\u2193"}, {"left", u"\u2190"}, {"right", u"\u2192"},
    {"enter", u"\u23CE"}, {"return", u"\u23CE"},
    {"esc", u"\u238B"}, {"escape", u"\u238B"},
    {"backspace", u"\u232B"},
    {"delete", u"\u2326"}, {"del", u"\u2326"}, {"forwarddelete", u"\u2326"},
    {"tab", u"\u21E5"},
    {"space", u"\u2423"},
    {"capslock", u"\u21EA"},
    {"pageup", u"\u21DE"}, {"pagedown", u"\u21DF"},
    {"home", u"\u2196"}, {"end", u"\u2198"},
    {"plus", u"+"},
    {"minus", u"\u2212"}, {"dash", u"\u2212"},
    {"equal", u"="}, {"equals", u"="},
    {"comma", u","},
    {"period", u"."}, {"dot", u"."},
    {"slash", u"/"},
    {"backslash", u"\\"},
    {"semicolon", u";"},
    {"quote", u"'"}, {"apostrophe", u"'"},
    {"backtick", u"`"}, {"grave", u"`"},
    {"tilde", u"~"},
    {"leftbracket", u"["}, {"rightbracket", u"]"},
};
static_assert(sizeof(namedKeys) / sizeof(namedKeys[0]) == 49, "the key-name table has 49 names");

// Built once on first use. Labels are static strings, so every entry that uses them shares their data.
const QHash<QString, QString> &keyTable()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const NamedKey &key : namedKeys)
            t.insert(QLatin1String(key.name), QString::fromRawData(reinterpret_cast<const QChar *>(key.label),
                                                                   qsizetype(std::char_traits<char16_t>::length(key.label))));
        return t;
    }();
    return table;
}

bool isSingleCharacter(const QString &token)
{
    if (token.isEmpty())
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, token);
    const qsizetype next = finder.toNextBoundary();
    return next == token.size();
}

// A decimal integer: an optional sign and one or more ASCII digits, within the range of a signed
// 64-bit integer.
bool isDecimalInteger(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    quint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        const quint64 digit = c - u'0';
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

QString capitalised(const QString &token)
{
    // The first character (a whole code point) upper case, everything after it lower case.
    const qsizetype firstLength = token.at(0).isHighSurrogate() && token.size() > 1 ? 2 : 1;
    return token.left(firstLength).toUpper() + token.mid(firstLength).toLower();
}

} // namespace

namespace KeyNotation {

bool isNamedKey(const QString &token)
{
    return keyTable().contains(token.toLower());
}

QString keySymbol(const QString &token)
{
    if (token.isEmpty())
        return token;
    const QString lower = token.toLower();
    const auto &table = keyTable();
    if (auto it = table.constFind(lower); it != table.constEnd())
        return *it;
    if (isSingleCharacter(token))
        return token.toUpper();
    if (lower.startsWith(QLatin1Char('f')) && isDecimalInteger(QStringView(token).mid(1)))
        return token.toUpper();
    return capitalised(token);
}

KeyGroups parseKeyGroups(const QString &text)
{
    KeyGroups groups;
    const auto pieces = QStringView(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    groups.reserve(pieces.size());
    for (QStringView piece : pieces) {
        QStringList labels;
        for (QStringView token : piece.split(QLatin1Char('+'), Qt::SkipEmptyParts))
            labels.append(keySymbol(token.toString()));
        groups.append(std::move(labels));
    }
    return groups;
}

} // namespace KeyNotation
