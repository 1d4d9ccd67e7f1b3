#include "catalogue/ShortcutEntry.h"

QString ShortcutEntry::makeId(const QString &slug, const QString &sectionTitle, const QString &title,
                              const std::optional<QString> &rawKey)
{
    const QChar bar(u'|');
    return slug + bar + sectionTitle + bar + title + bar + rawKey.value_or(QString());
}

ShortcutEntry::ShortcutEntry(std::shared_ptr<const AppInfo> app, const QString &sectionTitle,
                             const QString &title, const std::optional<QString> &rawKey,
                             const std::optional<QString> &comment)
{
    auto data = std::make_shared<Data>();
    data->id = makeId(app->slug, sectionTitle, title, rawKey);
    if (rawKey)
        data->keyGroups = KeyNotation::parseKeyGroups(*rawKey);
    const QChar space(u' ');
    data->searchText = (title + space + app->name + space + sectionTitle + space + rawKey.value_or(QString())
                        + space + comment.value_or(QString()))
                           .toLower();
    data->app = std::move(app);
    data->sectionTitle = sectionTitle;
    data->title = title;
    data->rawKey = rawKey;
    data->comment = comment;
    d = std::move(data);
}
