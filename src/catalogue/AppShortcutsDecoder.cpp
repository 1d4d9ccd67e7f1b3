#include "catalogue/AppShortcutsDecoder.h"

#include "catalogue/TextArena.h"
#include "services/BoundedFileReader.h"

// GCC 12 reports dangling pointers and uninitialised members inside simdjson's inlined result
// types; they are false positives of its middle end, not problems of this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <simdjson.h>

#include <string_view>

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::element_type;
using simdjson::dom::object;

struct AppShortcutsDecoder::Parser {
    simdjson::dom::parser parser;
    // The strings of every file this decoder reads share a few large blocks.
    TextArena arena;
};

namespace {

QString typeName(element_type type)
{
    switch (type) {
    case element_type::ARRAY: return QStringLiteral("array");
    case element_type::OBJECT: return QStringLiteral("object");
    case element_type::INT64:
    case element_type::UINT64:
    case element_type::DOUBLE: return QStringLiteral("number");
    case element_type::STRING: return QStringLiteral("string");
    case element_type::BOOL: return QStringLiteral("boolean");
    case element_type::NULL_VALUE: return QStringLiteral("null");
    }
    return QStringLiteral("value");
}

// Where a value sits in the document ("$.keymaps[0].title"), spelled out only for an error message.
struct JsonPath {
    const JsonPath *parent = nullptr;
    std::string_view key;  // empty for an array element
    size_t index = 0;

    QString text() const
    {
        if (!parent)
            return QStringLiteral("$");
        if (key.empty())
            return parent->text() + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
        return parent->text() + QLatin1Char('.') + QLatin1String(key.data(), qsizetype(key.size()));
    }

    JsonPath child(std::string_view name) const { return JsonPath{this, name, 0}; }
    JsonPath element(size_t i) const { return JsonPath{this, {}, i}; }
};

// Walks the parsed document and records the first mismatch with its JSON path. Strings are copied
// into the decoder's text arena.
class TreeReader {
public:
    explicit TreeReader(TextArena &arena) : arena_(arena) {}

    QString error;

    bool fail(const JsonPath &path, const QString &what)
    {
        if (error.isEmpty())
            error = path.text() + QStringLiteral(": ") + what;
        return false;
    }

    // Looks a key up. Returns false when the key is missing or null (absent).
    static bool lookup(object obj, std::string_view key, element &out)
    {
        auto found = obj.at_key(key);
        if (found.error())
            return false;
        out = found.value_unsafe();
        return !out.is_null();
    }

    bool asUtf8(element value, const JsonPath &path, std::string_view &out)
    {
        if (value.get_string().get(out))
            return fail(path, QStringLiteral("expected a string, found ") + typeName(value.type()));
        return true;
    }

    bool asString(element value, const JsonPath &path, QString &out)
    {
        std::string_view text;
        if (!asUtf8(value, path, text))
            return false;
        out = arena_.addUtf8(text);
        return true;
    }

    bool required(object obj, std::string_view key, const JsonPath &path, element &out)
    {
        if (lookup(obj, key, out))
            return true;
        return fail(path.child(key), QStringLiteral("required key is missing or null"));
    }

    bool requiredString(object obj, std::string_view key, const JsonPath &path, QString &out)
    {
        element value;
        return required(obj, key, path, value) && asString(value, path.child(key), out);
    }

    bool optionalString(object obj, std::string_view key, const JsonPath &path, std::optional<QString> &out)
    {
        element value;
        if (!lookup(obj, key, value))
            return true;
        QString text;
        if (!asString(value, path.child(key), text))
            return false;
        out = std::move(text);
        return true;
    }

    bool optionalBool(object obj, std::string_view key, const JsonPath &path, std::optional<bool> &out)
    {
        element value;
        if (!lookup(obj, key, value))
            return true;
        bool flag = false;
        if (value.get_bool().get(flag))
            return fail(path.child(key), QStringLiteral("expected a boolean, found ") + typeName(value.type()));
        out = flag;
        return true;
    }

    bool asArray(element value, const JsonPath &path, array &out)
    {
        if (value.get_array().get(out))
            return fail(path, QStringLiteral("expected an array, found ") + typeName(value.type()));
        return true;
    }

    bool asObject(element value, const JsonPath &path, object &out)
    {
        if (value.get_object().get(out))
            return fail(path, QStringLiteral("expected an object, found ") + typeName(value.type()));
        return true;
    }

    bool optionalStringList(object obj, std::string_view key, const JsonPath &path,
                            std::optional<QStringList> &out)
    {
        element value;
        if (!lookup(obj, key, value))
            return true;
        const JsonPath listPath = path.child(key);
        array items;
        if (!asArray(value, listPath, items))
            return false;
        QStringList list;
        list.reserve(qsizetype(items.size()));
        size_t i = 0;
        for (element item : items) {
            QString text;
            if (!asString(item, listPath.element(i++), text))
                return false;
            list.append(std::move(text));
        }
        out = std::move(list);
        return true;
    }

    // Decodes each element of the required array `key` with `decodeOne`.
    template <typename T, typename Fn>
    bool requiredList(object obj, std::string_view key, const JsonPath &path, QList<T> &out, Fn decodeOne)
    {
        element value;
        array items;
        const JsonPath listPath = path.child(key);
        if (!required(obj, key, path, value) || !asArray(value, listPath, items))
            return false;
        out.reserve(qsizetype(items.size()));
        size_t i = 0;
        for (element item : items) {
            const JsonPath itemPath = listPath.element(i++);
            object itemObject;
            T decoded;
            if (!asObject(item, itemPath, itemObject) || !(this->*decodeOne)(itemObject, itemPath, decoded))
                return false;
            out.append(std::move(decoded));
        }
        return true;
    }

    // The most numerous object, so its fields are read in one pass rather than looked up one by one;
    // as with a lookup, the first of repeated keys counts.
    bool shortcut(object obj, const JsonPath &path, RawShortcut &out)
    {
        element title, key, comment, action;
        bool hasTitle = false, hasKey = false, hasComment = false, hasAction = false;
        for (const auto field : obj) {
            if (!hasTitle && field.key == "title") {
                title = field.value;
                hasTitle = true;
            } else if (!hasKey && field.key == "key") {
                key = field.value;
                hasKey = true;
            } else if (!hasComment && field.key == "comment") {
                comment = field.value;
                hasComment = true;
            } else if (!hasAction && field.key == "action") {
                action = field.value;
                hasAction = true;
            }
        }
        if (!hasTitle || title.is_null())
            return fail(path.child("title"), QStringLiteral("required key is missing or null"));
        // The title, key and comment go into the arena together, as the record keeps them.
        std::array<std::optional<std::string_view>, 3> texts;
        std::optional<QString> actionName;
        if (!utf8(title, true, path.child("title"), texts[0]) || !utf8(key, hasKey, path.child("key"), texts[1])
            || !utf8(comment, hasComment, path.child("comment"), texts[2])
            || !optionalValue(action, hasAction, path.child("action"), actionName))
            return false;
        TextRun::Sizes sizes;
        out = RawShortcut::fromRun(arena_.addUtf8Run(texts, sizes), sizes);
        if (actionName)
            out.setAction(std::move(actionName));
        return true;
    }

    // The text of an optional string value, left absent when the value is.
    bool utf8(element value, bool present, const JsonPath &path, std::optional<std::string_view> &out)
    {
        if (!present || value.is_null())
            return true;
        std::string_view text;
        if (!asUtf8(value, path, text))
            return false;
        out = text;
        return true;
    }

    bool optionalValue(element value, bool present, const JsonPath &path, std::optional<QString> &out)
    {
        std::optional<std::string_view> text;
        if (!utf8(value, present, path, text))
            return false;
        if (text)
            out = arena_.addUtf8(*text);
        return true;
    }

    bool section(object obj, const JsonPath &path, ShortcutSection &out)
    {
        return requiredString(obj, "title", path, out.title)
            && requiredList(obj, "shortcuts", path, out.shortcuts, &TreeReader::shortcut);
    }

    bool keymap(object obj, const JsonPath &path, Keymap &out)
    {
        return requiredString(obj, "title", path, out.title)
            && optionalStringList(obj, "platforms", path, out.platforms)
            && requiredList(obj, "sections", path, out.sections, &TreeReader::section);
    }

    bool app(object obj, const JsonPath &path, AppShortcuts &out)
    {
        return optionalString(obj, "bundleId", path, out.bundleId)
            && optionalStringList(obj, "aliases", path, out.aliases)
            && optionalString(obj, "hostname", path, out.hostname)
            && requiredString(obj, "name", path, out.name)
            && requiredString(obj, "slug", path, out.slug)
            && optionalString(obj, "source", path, out.source)
            && optionalString(obj, "icon", path, out.icon)
            && optionalBool(obj, "terminal", path, out.terminal)
            && requiredList(obj, "keymaps", path, out.keymaps, &TreeReader::keymap);
    }

private:
    TextArena &arena_;
};

} // namespace

AppShortcutsDecoder::AppShortcutsDecoder() : parser_(std::make_unique<Parser>()) {}
AppShortcutsDecoder::~AppShortcutsDecoder() = default;

AppShortcutsDecoder::Result AppShortcutsDecoder::decode(const QByteArray &bytes)
{
    return decodePadded(bytes.constData(), size_t(bytes.size()), false);
}

AppShortcutsDecoder::Result AppShortcutsDecoder::decodeFile(const QString &path)
{
    // Read straight into a buffer with the parser's padding, sparing it a copy. No FIFO or device is
    // ever read.
    const BoundedFileReader::Result file =
        BoundedFileReader::readPadded(path, maxFileSize, qsizetype(simdjson::SIMDJSON_PADDING));
    if (file.outcome != BoundedFileReader::Outcome::Read) {
        Result result;
        result.error = QStringLiteral("cannot read: ")
            + (file.outcome == BoundedFileReader::Outcome::Absent ? QStringLiteral("no such file") : file.reason);
        return result;
    }
    return decodePadded(file.bytes.constData(), size_t(file.bytes.size()) - simdjson::SIMDJSON_PADDING, true);
}

AppShortcutsDecoder::Result AppShortcutsDecoder::decodePadded(const char *data, size_t length, bool padded)
{
    Result result;
    element root;
    const auto parseError = parser_->parser.parse(data, length, !padded).get(root);
    if (parseError) {
        result.error = QStringLiteral("not valid JSON: ") + QString::fromUtf8(simdjson::error_message(parseError));
        return result;
    }
    TreeReader reader(parser_->arena);
    const JsonPath top;
    object topObject;
    AppShortcuts app;
    if (reader.asObject(root, top, topObject) && reader.app(topObject, top, app))
        result.app = std::move(app);
    else
        result.error = reader.error;
    return result;
}
