#include "services/SettingsJson.h"

#include "services/JsonString.h"

#include <QJsonValue>
#include <QLocale>

#include <simdjson.h>

#include <cmath>
#include <string_view>

using simdjson::dom::element;
using simdjson::dom::element_type;

namespace {

// Reading. simdjson rather than QJsonDocument: QJsonDocument turns 768.0 into the integer 768, and a
// double stored by this program has to come back as a double.

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QVariant toVariant(element value)
{
    switch (value.type()) {
    case element_type::OBJECT: {
        QVariantMap map;
        const simdjson::dom::object object = value.get_object().value_unsafe();
        for (const auto field : object)
            map.insert(fromView(field.key), toVariant(field.value));
        return map;
    }
    case element_type::ARRAY: {
        QVariantList list;
        const simdjson::dom::array array = value.get_array().value_unsafe();
        for (const element item : array)
            list.append(toVariant(item));
        return list;
    }
    case element_type::INT64: return qlonglong(value.get_int64().value_unsafe());
    case element_type::UINT64: return qulonglong(value.get_uint64().value_unsafe());
    case element_type::DOUBLE: return value.get_double().value_unsafe();
    case element_type::STRING: return fromView(value.get_string().value_unsafe());
    case element_type::BOOL: return value.get_bool().value_unsafe();
    case element_type::NULL_VALUE: break;
    }
    return QVariant();
}

// The settings held in a file's bytes, or nothing when they are not a JSON object. A file with no
// content at all (or only white space) holds no settings; it is not damaged. simdjson refuses integers
// that do not fit in 64 bits, so a file holding one counts as damaged too.
std::optional<QVariantMap> decodeObject(const QByteArray &bytes)
{
    simdjson::dom::parser parser;
    element root;
    const auto error = parser.parse(bytes.constData(), size_t(bytes.size())).get(root);
    if (error == simdjson::EMPTY)
        return QVariantMap();
    if (error || root.type() != element_type::OBJECT)
        return std::nullopt;
    QVariantMap map;
    // Name the object: a range-for over get_object().value_unsafe() would outlive the result it refers to.
    const simdjson::dom::object object = root.get_object().value_unsafe();
    for (const auto field : object)
        map.insert(fromView(field.key), toVariant(field.value));
    return map;
}

// Writing: indented, keys sorted, one value per line, so that the file stays readable by people.

void appendJson(QByteArray &out, const QVariant &value, int depth);

void appendLineBreak(QByteArray &out, int depth)
{
    out += '\n';
    out += QByteArray(depth * 4, ' ');
}

void appendString(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    JsonString::append(out, std::string_view(utf8.constData(), size_t(utf8.size())));
}

void appendDouble(QByteArray &out, double number)
{
    if (!std::isfinite(number)) {
        out += "null"; // JSON has neither infinities nor NaN
        return;
    }
    QByteArray text = QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
    // 768.0 is written "768"; give it back its fraction so that it reads back as a double.
    if (!text.contains('.') && !text.contains('e'))
        text += ".0";
    out += text;
}

void appendArray(QByteArray &out, const QVariantList &list, int depth)
{
    if (list.isEmpty()) {
        out += "[]";
        return;
    }
    out += '[';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ',';
        appendLineBreak(out, depth + 1);
        appendJson(out, list.at(i), depth + 1);
    }
    appendLineBreak(out, depth);
    out += ']';
}

void appendObject(QByteArray &out, const QVariantMap &map, int depth)
{
    if (map.isEmpty()) {
        out += "{}";
        return;
    }
    out += '{';
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it != map.cbegin())
            out += ',';
        appendLineBreak(out, depth + 1);
        appendString(out, it.key());
        out += ": ";
        appendJson(out, it.value(), depth + 1);
    }
    appendLineBreak(out, depth);
    out += '}';
}

void appendJson(QByteArray &out, const QVariant &value, int depth)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr: out += "null"; return;
    case QMetaType::Bool: out += value.toBool() ? "true" : "false"; return;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: out += QByteArray::number(value.toLongLong()); return;
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: out += QByteArray::number(value.toULongLong()); return;
    case QMetaType::Float:
    case QMetaType::Double: appendDouble(out, value.toDouble()); return;
    case QMetaType::QString: appendString(out, value.toString()); return;
    case QMetaType::QStringList:
    case QMetaType::QVariantList: appendArray(out, value.toList(), depth); return;
    case QMetaType::QVariantMap: appendObject(out, value.toMap(), depth); return;
    case QMetaType::QVariantHash: {
        QVariantMap sorted;
        const QVariantHash hash = value.toHash();
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            sorted.insert(it.key(), it.value());
        appendObject(out, sorted, depth);
        return;
    }
    default:
        // Anything else is stored the way Qt's own JSON classes store it (a QByteArray or a QUrl as a
        // string, an unconvertible value as null), which always ends in one of the cases above.
        appendJson(out, QJsonValue::fromVariant(value).toVariant(), depth);
    }
}

} // namespace

namespace SettingsJson {

std::optional<QVariantMap> decode(const QByteArray &bytes)
{
    return decodeObject(bytes);
}

QByteArray encode(const QVariantMap &values)
{
    QByteArray out;
    appendObject(out, values, 0);
    out += '\n';
    return out;
}

} // namespace SettingsJson
