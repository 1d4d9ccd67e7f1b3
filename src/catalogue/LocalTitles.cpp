#include "catalogue/LocalTitles.h"

#include <QJsonObject>

#include <utility>

namespace LocalTitles {

namespace {

QJsonValue localOf(const QString &title, const std::optional<QString> &englishTitle)
{
    return englishTitle ? QJsonValue(title) : QJsonValue(QJsonValue::Null);
}

// Shows `local` (a string) in place of `title`, keeping the English; null leaves it. False when the
// value is neither.
bool show(QString &title, std::optional<QString> &englishTitle, const QJsonValue &local)
{
    if (local.isNull())
        return true;
    if (!local.isString() || local.toString().isEmpty())
        return false;
    englishTitle = title;
    title = local.toString();
    return true;
}

} // namespace

QJsonArray layer(const QList<ShortcutSection> &sections)
{
    QJsonArray out;
    bool any = false;
    for (const ShortcutSection &section : sections) {
        QJsonArray rows;
        for (const RawShortcut &row : section.shortcuts) {
            rows.append(localOf(row.title(), row.englishTitle()));
            any = any || row.englishTitle().has_value();
        }
        any = any || section.englishTitle.has_value();
        out.append(QJsonObject{{QStringLiteral("title"), localOf(section.title, section.englishTitle)},
                               {QStringLiteral("rows"), rows}});
    }
    return any ? out : QJsonArray();
}

QList<ShortcutSection> english(QList<ShortcutSection> sections)
{
    for (ShortcutSection &section : sections) {
        if (section.englishTitle)
            section.title = *std::exchange(section.englishTitle, std::nullopt);
        for (RawShortcut &row : section.shortcuts) {
            if (const std::optional<QString> english = row.englishTitle()) {
                row.setTitle(*english);
                row.setEnglishTitle(std::nullopt);
            }
        }
    }
    return sections;
}

std::optional<QList<ShortcutSection>> applied(QList<ShortcutSection> sections, const QJsonArray &layer)
{
    if (layer.isEmpty())
        return sections;
    if (layer.size() != sections.size())
        return std::nullopt;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const QJsonObject local = layer.at(i).toObject();
        const QJsonArray rows = local.value(QLatin1String("rows")).toArray();
        ShortcutSection &section = sections[i];
        if (rows.size() != section.shortcuts.size()
            || !show(section.title, section.englishTitle, local.value(QLatin1String("title"))))
            return std::nullopt;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            RawShortcut &row = section.shortcuts[r];
            std::optional<QString> english = row.englishTitle();
            QString title = row.title();
            if (!show(title, english, rows.at(r)))
                return std::nullopt;
            if (english != row.englishTitle() || row.titleView() != title) {
                row.setTitle(title);
                row.setEnglishTitle(std::move(english));
            }
        }
    }
    return sections;
}

int translate(AppShortcuts &app, const std::function<QString(const QString &text)> &lookup)
{
    int count = 0;
    auto show = [&](QString &title, std::optional<QString> &englishTitle) {
        if (englishTitle)
            return;
        const QString local = lookup(title);
        if (local.isEmpty() || local == title)
            return;
        englishTitle = std::exchange(title, local);
        ++count;
    };
    for (Keymap &keymap : app.keymaps) {
        for (ShortcutSection &section : keymap.sections) {
            show(section.title, section.englishTitle);
            for (RawShortcut &row : section.shortcuts) {
                std::optional<QString> english = row.englishTitle();
                QString title = row.title();
                show(title, english);
                if (english != row.englishTitle() || row.titleView() != title) {
                    row.setTitle(title);
                    row.setEnglishTitle(std::move(english));
                }
            }
        }
    }
    return count;
}

} // namespace LocalTitles
