#include "platform/JsonDefaultsStore.h"

#include "platform/SystemLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonValue>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <simdjson.h>

#include <cmath>
#include <optional>
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
std::optional<QSettings::SettingsMap> decode(const QByteArray &bytes)
{
    simdjson::dom::parser parser;
    element root;
    const auto error = parser.parse(bytes.constData(), size_t(bytes.size())).get(root);
    if (error == simdjson::EMPTY)
        return QSettings::SettingsMap();
    if (error || root.type() != element_type::OBJECT)
        return std::nullopt;
    QSettings::SettingsMap map;
    // Name the object: a range-for over get_object().value_unsafe() would outlive the result it refers to.
    const simdjson::dom::object object = root.get_object().value_unsafe();
    for (const auto field : object)
        map.insert(fromView(field.key), toVariant(field.value));
    return map;
}

bool readJson(QIODevice &device, QSettings::SettingsMap &map)
{
    auto decoded = decode(device.readAll());
    if (!decoded)
        return false;
    map = std::move(*decoded);
    return true;
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
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (uchar(c) < 0x20)
                out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
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

bool writeJson(QIODevice &device, const QSettings::SettingsMap &map)
{
    QByteArray out;
    appendObject(out, map, 0);
    out += '\n';
    return device.write(out) == out.size();
}

QSettings::Format jsonFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson);
    return format;
}

// QSettings reads a damaged file as empty and replaces it, without a trace, on the first write. Before
// it gets the chance, copy what the user had next to it.
void keepDamagedFileAside(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return; // the first run
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        SystemLog::shared().write(QStringLiteral("Corvane: cannot read settings file %1 (%2); started from defaults")
                                      .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    if (decode(bytes))
        return;
    const QString keptPath = path + QStringLiteral(".corrupt");
    QSaveFile kept(keptPath);
    if (kept.open(QIODevice::WriteOnly) && kept.write(bytes) == bytes.size() && kept.commit()) {
        SystemLog::shared().write(
            QStringLiteral("Corvane: settings file %1 is damaged; kept it as %2 and started from defaults")
                .arg(QDir::toNativeSeparators(path), QFileInfo(keptPath).fileName()));
    } else {
        SystemLog::shared().write(
            QStringLiteral("Corvane: settings file %1 is damaged and could not be copied aside (%2); "
                           "started from defaults")
                .arg(QDir::toNativeSeparators(path), kept.errorString()));
    }
}

// QSettings holds a QLockFile (<file>.lock) while it writes. QLockFile creates that file and only then
// writes its owner into it, so a process killed in between leaves an empty lock file, and the next
// write waits 30 seconds for it to age into staleness. An empty lock file that no live process holds
// (the owner also keeps an flock on it, which its death releases) is such a leftover: remove it.
// The same goes for the .rmlock that QLockFile takes while it removes a stale lock.
void removeAbandonedLockFiles(const QString &path)
{
    const QString lockPath = path + QStringLiteral(".lock");
    for (const QString &candidate : {lockPath, lockPath + QStringLiteral(".rmlock")}) {
        const QFileInfo info(candidate);
        if (info.exists() && info.size() == 0)
            QLockFile(candidate).removeStaleLockFile();
    }
}

} // namespace

JsonDefaultsStore::JsonDefaultsStore(const QString &path) : filePath_(path)
{
    keepDamagedFileAside(filePath_);
    settings_ = std::make_unique<QSettings>(filePath_, jsonFormat());
    // Write a temporary file and rename it over the old one, never the file itself in place.
    settings_->setAtomicSyncRequired(true);
}

JsonDefaultsStore::~JsonDefaultsStore() = default;

QString JsonDefaultsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/corvane/corvane.json");
}

QVariant JsonDefaultsStore::value(const QString &key) const
{
    return settings_->value(key);
}

void JsonDefaultsStore::setValue(const QString &key, const QVariant &value)
{
    if (value.isValid())
        settings_->setValue(key, value);
    else
        settings_->remove(key);
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    removeAbandonedLockFiles(filePath_);
    settings_->sync();
    // status() keeps the first error it met, so this reports the first failed write only; after a
    // damaged file it stays at FormatError and reports nothing.
    if (settings_->status() == QSettings::AccessError && !writeFailureLogged_) {
        writeFailureLogged_ = true;
        SystemLog::shared().write(
            QStringLiteral("Corvane: could not save settings to %1").arg(QDir::toNativeSeparators(filePath_)));
    }
}
