#include "catalogue/ShortcutsWindowReader.h"

#include "keys/GtkAccelerator.h"

#include <QSet>
#include <QXmlStreamReader>

#include <vector>

namespace {

enum class Kind { Window, Section, Group, Shortcut, Other };

Kind kindOf(QStringView className)
{
    if (className == QLatin1String("GtkShortcutsWindow") || className == QLatin1String("AdwShortcutsDialog"))
        return Kind::Window;
    if (className == QLatin1String("GtkShortcutsSection") || className == QLatin1String("AdwShortcutsSection"))
        return Kind::Section;
    if (className == QLatin1String("GtkShortcutsGroup"))
        return Kind::Group;
    if (className == QLatin1String("GtkShortcutsShortcut") || className == QLatin1String("AdwShortcutsItem"))
        return Kind::Shortcut;
    return Kind::Other;
}

struct Group {
    QString title;
    QList<RawShortcut> shortcuts;
    QString localTitle = {};  // the program's translation of the title, when it has one
};

struct Section {
    QString title;
    QList<Group> groups;
    QString localTitle = {};
};

// One <object> (or <template>) being read.
struct Frame {
    Kind kind = Kind::Other;
    QHash<QString, QString> properties;
    QList<RawShortcut> shortcuts;  // rows directly inside (a group, or a libadwaita section)
    QList<Group> groups;           // groups directly inside (a section)
    QList<Section> sections;       // sections directly inside (a window)
    QHash<QString, QString> translated = {};  // the program's translation of a property, where it differs
};

// A property in the user's language: the program's translation, else as written.
QString localProperty(const Frame &frame, const QString &name)
{
    const auto it = frame.translated.constFind(name);
    return it != frame.translated.constEnd() ? *it : frame.properties.value(name);
}

// GtkBuilder's false: "false", "no", "0", or their first letter, any case.
bool isFalse(const QString &value)
{
    const QString v = value.trimmed().toLower();
    return v == QLatin1String("false") || v == QLatin1String("no") || v == QLatin1String("0")
        || v == QLatin1String("f") || v == QLatin1String("n");
}

// A row, group or section the window never shows: `visible` set false.
bool isHidden(const Frame &frame)
{
    const auto visible = frame.properties.constFind(QStringLiteral("visible"));
    return visible != frame.properties.constEnd() && isFalse(*visible);
}

// A row the window shows only in right-to-left languages, where it stands beside its left-to-right
// twin with the arrows swapped.
bool isRightToLeftOnly(const Frame &frame)
{
    const QString direction = frame.properties.value(QStringLiteral("direction")).trimmed().toLower();
    return direction == QLatin1String("rtl") || direction == QLatin1String("gtk_text_dir_rtl");
}

class Builder {
public:
    QStringList warnings;
    QList<Section> sections;  // every section of the document, in order

    void finish(Frame frame, std::vector<Frame> &stack)
    {
        auto enclosing = [&stack](std::initializer_list<Kind> kinds) -> Frame * {
            for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
                for (Kind kind : kinds) {
                    if (it->kind == kind)
                        return &*it;
                }
            }
            return nullptr;
        };
        // A window is hidden until the program shows it; what is hidden inside one stays hidden.
        if (frame.kind != Kind::Other && frame.kind != Kind::Window && isHidden(frame)) {
            const QString title = frame.properties.value(QStringLiteral("title")).simplified();
            warnings << QStringLiteral("skipped hidden %1 \"%2\"")
                            .arg(frame.kind == Kind::Shortcut ? QStringLiteral("shortcut")
                                 : frame.kind == Kind::Group  ? QStringLiteral("group")
                                                              : QStringLiteral("section"),
                                 title);
            return;
        }
        switch (frame.kind) {
        case Kind::Shortcut: {
            if (isRightToLeftOnly(frame))
                break;
            QList<RawShortcut> rows = shortcutRows(frame);
            if (Frame *parent = enclosing({Kind::Group, Kind::Section, Kind::Window}))
                parent->shortcuts << rows;
            else
                loose_ << rows;
            break;
        }
        case Kind::Group: {
            Group group{frame.properties.value(QStringLiteral("title")), frame.shortcuts,
                        frame.translated.value(QStringLiteral("title"))};
            if (Frame *parent = enclosing({Kind::Section, Kind::Window}))
                parent->groups << group;
            else
                sections << Section{QString(), {group}};
            break;
        }
        case Kind::Section: {
            Section section{frame.properties.value(QStringLiteral("title")), {},
                            frame.translated.value(QStringLiteral("title"))};
            if (!frame.shortcuts.isEmpty())
                section.groups << Group{QString(), frame.shortcuts};
            section.groups << frame.groups;
            if (Frame *parent = enclosing({Kind::Window}))
                parent->sections << section;
            else
                sections << section;
            break;
        }
        case Kind::Window: {
            if (!frame.shortcuts.isEmpty() || !frame.groups.isEmpty()) {
                Section loose{QString(), frame.groups};
                if (!frame.shortcuts.isEmpty())
                    loose.groups.prepend(Group{QString(), frame.shortcuts});
                sections << loose;
            }
            sections << frame.sections;
            break;
        }
        case Kind::Other:
            // A container between the levels (rare) hands what it holds to the level above.
            if (Frame *parent = enclosing({Kind::Group, Kind::Section, Kind::Window})) {
                parent->shortcuts << frame.shortcuts;
                parent->groups << frame.groups;
                parent->sections << frame.sections;
            }
            break;
        }
    }

    void finishDocument()
    {
        if (!loose_.isEmpty())
            sections << Section{QString(), {Group{QString(), loose_}}};
    }

private:
    QList<RawShortcut> shortcutRows(const Frame &frame)
    {
        QList<RawShortcut> rows;
        const QString title = frame.properties.value(QStringLiteral("title")).simplified();
        const QString type = frame.properties.value(QStringLiteral("shortcut-type")).trimmed().toLower();
        const QString accelerator = frame.properties.value(QStringLiteral("accelerator"));
        const QString subtitle = localProperty(frame, QStringLiteral("subtitle")).simplified();
        // Shown in the user's language; the English title stays for ids and search.
        const QString localTitle = localProperty(frame, QStringLiteral("title")).simplified();
        const std::optional<QString> englishTitle = localTitle != title && !localTitle.isEmpty()
            ? std::optional<QString>(title)
            : std::nullopt;
        const QString shownTitle = englishTitle ? localTitle : title;
        if (title.isEmpty()) {
            warnings << QStringLiteral("skipped a shortcut without a title (\"%1\")").arg(accelerator);
            return rows;
        }
        if (!type.isEmpty() && type != QLatin1String("accelerator") && !type.startsWith(QLatin1String("gtk_shortcut_accelerator"))) {
            warnings << QStringLiteral("skipped gesture \"%1\" (%2)").arg(title, type);
            return rows;
        }
        if (accelerator.trimmed().isEmpty()) {
            const QString action = frame.properties.value(QStringLiteral("action-name")).trimmed();
            if (action.isEmpty()) {
                warnings << QStringLiteral("skipped \"%1\": no accelerator").arg(title);
                return rows;
            }
            // The program sets the keys of this action itself; listed as such until they are found.
            RawShortcut row(shownTitle, std::nullopt, ShortcutsWindowReader::keySetByProgram(), action);
            row.setEnglishTitle(englishTitle);
            rows << row;
            return rows;
        }
        const GtkAccelerator::Result keys = GtkAccelerator::convert(accelerator);
        for (const QString &problem : keys.malformed)
            warnings << QStringLiteral("skipped a malformed accelerator of \"%1\": %2").arg(title, problem);
        for (const GtkAccelerator::Key &key : keys.keys) {
            QStringList comment;
            if (!subtitle.isEmpty())
                comment << subtitle;
            if (key.comment)
                comment << *key.comment;
            RawShortcut row(shownTitle, key.key,
                            comment.isEmpty() ? std::nullopt : std::optional<QString>(comment.join(QStringLiteral("; "))));
            row.setEnglishTitle(englishTitle);
            rows << row;
        }
        return rows;
    }

    QList<RawShortcut> loose_;
};

// The flat list of titled sections the data format has: one per group; the window's section title
// joins the group's when the window has several sections.
QList<ShortcutSection> flatten(const QList<Section> &sections)
{
    qsizetype nonEmpty = 0;
    for (const Section &section : sections) {
        for (const Group &group : section.groups) {
            if (!group.shortcuts.isEmpty()) {
                ++nonEmpty;
                break;
            }
        }
    }
    // A group's title, the section's joined to it when the window has several.
    auto joined = [nonEmpty](const QString &sectionTitle, const QString &groupTitle) -> QString {
        if (groupTitle.isEmpty())
            return sectionTitle.isEmpty() ? QStringLiteral("Shortcuts") : sectionTitle;
        if (nonEmpty > 1 && !sectionTitle.isEmpty() && sectionTitle != groupTitle)
            return sectionTitle + QStringLiteral(": ") + groupTitle;
        return groupTitle;
    };
    auto orEnglish = [](const QString &local, const QString &english) -> QString {
        return local.isEmpty() ? english : local;
    };
    QList<ShortcutSection> flat;
    QHash<QString, qsizetype> byTitle;  // by the English title
    QSet<QString> seen;  // English title and key of every row, per section title
    for (const Section &section : sections) {
        const QString sectionTitle = section.title.simplified();
        const QString localSectionTitle = orEnglish(section.localTitle, section.title).simplified();
        for (const Group &group : section.groups) {
            if (group.shortcuts.isEmpty())
                continue;
            const QString title = joined(sectionTitle, group.title.simplified());
            const QString localTitle = joined(localSectionTitle, orEnglish(group.localTitle, group.title).simplified());
            qsizetype index = byTitle.value(title, -1);
            if (index < 0) {
                index = flat.size();
                byTitle.insert(title, index);
                flat.append(title == localTitle ? ShortcutSection{title, {}} : ShortcutSection{localTitle, {}, title});
            }
            for (const RawShortcut &row : group.shortcuts) {
                const QString identity = title + QLatin1Char('|') + row.englishTitle().value_or(row.title()) + QLatin1Char('|')
                    + row.key().value_or(QString());
                if (seen.contains(identity))
                    continue;
                seen.insert(identity);
                flat[index].shortcuts.append(row);
            }
        }
    }
    return flat;
}

} // namespace

qsizetype ShortcutsWindowReader::Result::shortcutCount() const
{
    qsizetype count = 0;
    for (const ShortcutSection &section : sections)
        count += section.shortcuts.size();
    return count;
}

bool ShortcutsWindowReader::mentionsShortcutsWindow(const QByteArray &xml)
{
    return xml.contains("GtkShortcutsWindow") || xml.contains("GtkShortcutsSection")
        || xml.contains("AdwShortcutsDialog") || xml.contains("AdwShortcutsSection");
}

ShortcutsWindowReader::Result ShortcutsWindowReader::read(const QByteArray &xml, const Translate &translate)
{
    Result result;
    if (xml.size() > maxBytes) {
        result.error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return result;
    }
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    Builder builder;
    std::vector<Frame> stack;
    int depth = 0;
    QString domain;  // the builder file's translation domain
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            result.error = QStringLiteral("has a document type declaration");
            return result;
        case QXmlStreamReader::EntityReference:
            result.error = QStringLiteral("refers to an undeclared entity");
            return result;
        case QXmlStreamReader::StartElement: {
            if (++depth > maxDepth) {
                result.error = QStringLiteral("nested deeper than %1 elements").arg(maxDepth);
                return result;
            }
            const QStringView name = reader.name();
            const QXmlStreamAttributes attributes = reader.attributes();
            if (name == QLatin1String("interface")) {
                domain = attributes.value(QLatin1String("domain")).toString();
            } else if (name == QLatin1String("object")) {
                stack.push_back(Frame{kindOf(attributes.value(QLatin1String("class"))), {}, {}, {}, {}});
            } else if (name == QLatin1String("template")) {
                stack.push_back(Frame{kindOf(attributes.value(QLatin1String("parent"))), {}, {}, {}, {}});
            } else if (name == QLatin1String("property") && !stack.empty()) {
                const QString property = attributes.value(QLatin1String("name")).toString().replace(QLatin1Char('_'), QLatin1Char('-'));
                const QString text = reader.readElementText(QXmlStreamReader::SkipChildElements);
                --depth;  // readElementText consumed the end element
                if (reader.hasError())
                    break;
                stack.back().properties.insert(property, text);
                const QString translatable = attributes.value(QLatin1String("translatable")).toString();
                if (translate && !translatable.isEmpty() && !isFalse(translatable)
                    && (property == QLatin1String("title") || property == QLatin1String("subtitle"))) {
                    const QString local = translate(domain, attributes.value(QLatin1String("context")).toString(), text);
                    if (local != text)
                        stack.back().translated.insert(property, local);
                }
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            --depth;
            const QStringView name = reader.name();
            if ((name == QLatin1String("object") || name == QLatin1String("template")) && !stack.empty()) {
                Frame frame = std::move(stack.back());
                stack.pop_back();
                builder.finish(std::move(frame), stack);
            }
            break;
        }
        default:
            break;
        }
    }
    if (reader.hasError()) {
        result.error = QStringLiteral("not well-formed XML at line %1, column %2: %3")
                           .arg(reader.lineNumber())
                           .arg(reader.columnNumber())
                           .arg(reader.errorString());
        return result;
    }
    builder.finishDocument();
    result.sections = flatten(builder.sections);
    result.warnings = builder.warnings;
    return result;
}

AppShortcuts ShortcutsWindowReader::makeApp(const QString &slug, const QString &name,
                                            const std::optional<QString> &bundleId, const QString &source,
                                            const QList<ShortcutSection> &sections)
{
    AppShortcuts app;
    app.bundleId = bundleId;
    app.name = name;
    app.slug = slug;
    app.source = source;
    app.keymaps.append(Keymap{QStringLiteral("Linux"), QStringList{QStringLiteral("linux")}, sections});
    return app;
}
