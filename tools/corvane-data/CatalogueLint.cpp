#include "CatalogueLint.h"

#include "catalogue/ShortcutStore.h"
#include "keys/KeyLabels.h"
#include "keys/KeyNotation.h"
#include "keys/KeyTokens.h"

#include <QHash>
#include <QSet>

namespace CatalogueLint {

const QStringList &knownPlatforms()
{
    static const QStringList platforms{QStringLiteral("linux"), QStringLiteral("macos"),
                                       QStringLiteral("windows")};
    return platforms;
}

bool isKnownPlainKey(const QString &lowerToken)
{
    return KeyTokens::toKeysym(lowerToken) || KeyLabels::isMouseAction(lowerToken);
}

namespace {

bool isFunctionKey(const QString &lower)
{
    if (lower.size() < 2 || lower.size() > 3 || lower.at(0) != QLatin1Char('f'))
        return false;
    bool ok = false;
    const int number = QStringView(lower).mid(1).toInt(&ok);
    return ok && lower.at(1) != QLatin1Char('0') && number >= 1 && number <= 35;
}

QString keyProblem(const QString &key)
{
    if (key.trimmed().isEmpty())
        return QStringLiteral("empty key text");
    if (key != key.trimmed() || key.contains(QStringLiteral("  ")))
        return QStringLiteral("stray spaces in \"%1\"").arg(key);
    for (QStringView chord : QStringView(key).split(QLatin1Char(' '))) {
        if (chord.isEmpty() || chord.startsWith(QLatin1Char('+')) || chord.endsWith(QLatin1Char('+'))
            || chord.contains(QLatin1String("++")))
            return QStringLiteral("empty key in \"%1\" (write \"plus\" for the plus key)").arg(key);
        for (QStringView tokenView : chord.split(QLatin1Char('+'))) {
            const QString token = tokenView.toString();
            const QString lower = token.toLower();
            if (KeyNotation::isNamedKey(lower) || KeyNotation::isSingleCharacter(token) || isFunctionKey(lower)
                || isKnownPlainKey(lower))
                continue;
            return QStringLiteral("unknown key \"%1\" in \"%2\"").arg(token, key);
        }
    }
    return {};
}

} // namespace

QStringList lintApp(const AppShortcuts &app)
{
    QStringList problems;
    if (app.slug.isEmpty())
        problems << QStringLiteral("$.slug: empty");
    if (app.name.isEmpty())
        problems << QStringLiteral("$.name: empty");
    for (int k = 0; k < app.keymaps.size(); ++k) {
        const Keymap &keymap = app.keymaps[k];
        const QString keymapPath = QStringLiteral("$.keymaps[%1]").arg(k);
        if (keymap.platforms) {
            for (const QString &platform : *keymap.platforms) {
                if (!knownPlatforms().contains(platform))
                    problems << QStringLiteral("%1.platforms: unknown platform \"%2\"").arg(keymapPath, platform);
            }
        }
        for (int s = 0; s < keymap.sections.size(); ++s) {
            const ShortcutSection &section = keymap.sections[s];
            const QString sectionPath = QStringLiteral("%1.sections[%2]").arg(keymapPath).arg(s);
            if (section.shortcuts.isEmpty())
                problems << sectionPath + QStringLiteral(": section \"%1\" has no shortcuts").arg(section.title);
            for (int i = 0; i < section.shortcuts.size(); ++i) {
                const RawShortcut &shortcut = section.shortcuts[i];
                const QString path = QStringLiteral("%1.shortcuts[%2]").arg(sectionPath).arg(i);
                if (shortcut.titleView().trimmed().isEmpty())
                    problems << path + QStringLiteral(".title: empty");
                if (!shortcut.hasKey() && !shortcut.hasComment())
                    problems << path + QStringLiteral(": neither key nor comment");
                if (const auto &action = shortcut.action(); action && (action->trimmed().isEmpty() || *action != action->trimmed()))
                    problems << path + QStringLiteral(".action: empty or with stray spaces");
                if (const std::optional<QString> key = shortcut.key()) {
                    const QString problem = keyProblem(*key);
                    if (!problem.isEmpty())
                        problems << path + QStringLiteral(".key: ") + problem;
                }
            }
        }
    }
    // Ids must be unique among the entries one platform shows.
    for (const QString &platform : {QStringLiteral("linux"), QStringLiteral("macos")}) {
        QSet<QString> seen;
        QSet<QString> reported;
        for (const ShortcutEntry &entry : ShortcutStore::makeEntries(app, platform)) {
            if (!seen.contains(entry.id())) {
                seen.insert(entry.id());
            } else if (!reported.contains(entry.id())) {
                reported.insert(entry.id());
                problems << QStringLiteral("duplicate shortcut id \"%1\" on %2").arg(entry.id(), platform);
            }
        }
    }
    return problems;
}

QStringList lintCatalogue(const QList<AppShortcuts> &apps, const QStringList &names)
{
    QStringList problems;
    QHash<QString, QString> slugOwner;
    QHash<QString, QString> idOwner;
    for (int i = 0; i < apps.size(); ++i) {
        const AppShortcuts &app = apps[i];
        const QString &name = names.value(i, app.slug);
        if (auto it = slugOwner.constFind(app.slug); it != slugOwner.constEnd())
            problems << QStringLiteral("%1: slug \"%2\" is also used by %3").arg(name, app.slug, *it);
        else
            slugOwner.insert(app.slug, name);

        QStringList ids;
        if (app.bundleId)
            ids << *app.bundleId;
        if (app.aliases)
            ids << *app.aliases;
        QSet<QString> own;
        for (const QString &id : ids) {
            const QString lower = id.toLower();
            if (own.contains(lower)) {
                problems << QStringLiteral("%1: identifier \"%2\" is listed twice").arg(name, id);
                continue;
            }
            own.insert(lower);
            if (auto it = idOwner.constFind(lower); it != idOwner.constEnd())
                problems << QStringLiteral("%1: identifier \"%2\" is also claimed by %3").arg(name, id, *it);
            else
                idOwner.insert(lower, name);
        }
    }
    return problems;
}

} // namespace CatalogueLint
