#include "keys/KeyNotation.h"

#include <QHash>
#include <QTextBoundaryFinder>

#include <limits>
#include <optional>
#include <string_view>

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

// The label of a named key whose lower-cased name is `lower` (ASCII), straight from the table.
std::optional<QString> namedLabel(std::string_view lower)
{
    for (const NamedKey &key : namedKeys) {
        if (lower == key.name)
            return QString::fromRawData(reinterpret_cast<const QChar *>(key.label),
                                        qsizetype(std::char_traits<char16_t>::length(key.label)));
    }
    return std::nullopt;
}

// Every ASCII character upper-cased and followed by U+0000, for one-character labels that need no
// allocation of their own.
struct AsciiUpper {
    char16_t text[128][2];
    constexpr AsciiUpper() : text()
    {
        for (int c = 0; c < 128; ++c) {
            text[c][0] = char16_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            text[c][1] = u'\0';
        }
    }
};
constexpr AsciiUpper asciiUpper;

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
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

// The label of an ASCII token that is one character or a key name, given without Unicode case
// mapping or grapheme breaking (ASCII needs neither) and without an allocation; none otherwise.
std::optional<QString> asciiSymbol(QStringView token)
{
    if (token.isEmpty() || !isAscii(token))
        return std::nullopt;
    if (token.size() == 1)
        return QString::fromRawData(reinterpret_cast<const QChar *>(asciiUpper.text[token.at(0).unicode()]), 1);
    char lower[16];
    if (token.size() >= qsizetype(sizeof lower))
        return std::nullopt;
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char c = char(token.at(i).unicode());
        lower[i] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    return namedLabel(std::string_view(lower, size_t(token.size())));
}

QString capitalised(const QString &token)
{
    // The first character (a whole code point) upper case, everything after it lower case.
    const qsizetype firstLength = token.at(0).isHighSurrogate() && token.size() > 1 ? 2 : 1;
    return token.left(firstLength).toUpper() + token.mid(firstLength).toLower();
}

} // namespace

namespace KeyNotation {

bool isSingleCharacter(const QString &token)
{
    if (token.isEmpty())
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, token);
    return finder.toNextBoundary() == token.size();
}

bool isNamedKey(const QString &token)
{
    return keyTable().contains(token.toLower());
}

QString keySymbol(const QString &token)
{
    if (token.isEmpty())
        return token;
    if (auto label = asciiSymbol(token))
        return *label;
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
    const QStringView all(text);
    // Pieces between spaces, and tokens between plus signs, empty ones dropped.
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = all.size();
        if (end > start) {
            const QStringView piece = all.sliced(start, end - start);
            QStringList labels;
            labels.reserve(piece.count(QLatin1Char('+')) + 1);
            for (qsizetype from = 0; from < piece.size();) {
                qsizetype plus = piece.indexOf(QLatin1Char('+'), from);
                if (plus < 0)
                    plus = piece.size();
                if (plus > from) {
                    const QStringView token = piece.sliced(from, plus - from);
                    auto label = asciiSymbol(token);
                    labels.append(label ? *label : keySymbol(token.toString()));
                }
                from = plus + 1;
            }
            groups.append(std::move(labels));
        }
        start = end + 1;
    }
    return groups;
}

} // namespace KeyNotation
