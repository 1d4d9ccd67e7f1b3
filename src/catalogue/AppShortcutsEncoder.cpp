#include "catalogue/AppShortcutsEncoder.h"

#include "services/JsonString.h"

#include <QStringList>

namespace {

QString indent(int level)
{
    return QString(level * 2, QLatin1Char(' '));
}

QString stringList(const QStringList &items)
{
    QStringList quoted;
    for (const QString &item : items)
        quoted << AppShortcutsEncoder::quoted(item);
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// "key": value lines of one object, joined with commas.
QString object(const QStringList &fields, int level)
{
    if (fields.isEmpty())
        return QStringLiteral("{}");
    return QStringLiteral("{\n") + fields.join(QStringLiteral(",\n")) + QLatin1Char('\n') + indent(level)
        + QLatin1Char('}');
}

QString field(int level, const char *name, const QString &json)
{
    return indent(level) + QLatin1Char('"') + QLatin1String(name) + QStringLiteral("\": ") + json;
}

QString array(const QStringList &items, int level)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    QStringList lines;
    for (const QString &item : items)
        lines << indent(level + 1) + item;
    return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QLatin1Char('\n') + indent(level)
        + QLatin1Char(']');
}

} // namespace

QString AppShortcutsEncoder::quoted(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray json;
    json.reserve(utf8.size() + 2);
    JsonString::append(json, std::string_view(utf8.constData(), size_t(utf8.size())));
    return QString::fromUtf8(json);
}

QByteArray AppShortcutsEncoder::encode(const AppShortcuts &app)
{
    QStringList keymaps;
    for (const Keymap &keymap : app.keymaps) {
        QStringList sections;
        for (const ShortcutSection &section : keymap.sections) {
            QStringList shortcuts;
            for (const RawShortcut &shortcut : section.shortcuts) {
                QStringList fields{field(7, "title", quoted(shortcut.title()))};
                if (const std::optional<QString> key = shortcut.key())
                    fields << field(7, "key", quoted(*key));
                if (const std::optional<QString> comment = shortcut.comment())
                    fields << field(7, "comment", quoted(*comment));
                if (shortcut.action())
                    fields << field(7, "action", quoted(*shortcut.action()));
                shortcuts << object(fields, 6);
            }
            sections << object({field(5, "title", quoted(section.title)), field(5, "shortcuts", array(shortcuts, 5))}, 4);
        }
        QStringList fields{field(3, "title", quoted(keymap.title))};
        if (keymap.platforms)
            fields << field(3, "platforms", stringList(*keymap.platforms));
        fields << field(3, "sections", array(sections, 3));
        keymaps << object(fields, 2);
    }
    QStringList fields;
    if (app.bundleId)
        fields << field(1, "bundleId", quoted(*app.bundleId));
    if (app.aliases)
        fields << field(1, "aliases", stringList(*app.aliases));
    if (app.hostname)
        fields << field(1, "hostname", quoted(*app.hostname));
    fields << field(1, "name", quoted(app.name)) << field(1, "slug", quoted(app.slug));
    if (app.source)
        fields << field(1, "source", quoted(*app.source));
    if (app.icon)
        fields << field(1, "icon", quoted(*app.icon));
    if (app.terminal)
        fields << field(1, "terminal", QLatin1String(*app.terminal ? "true" : "false"));
    fields << field(1, "keymaps", array(keymaps, 1));
    return (object(fields, 0) + QLatin1Char('\n')).toUtf8();
}
