#include "platform/freedesktop/GettextCatalogues.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <libintl.h>

namespace {

bool untranslated(const QString &locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX");
}

// "de_DE.UTF-8@euro" to "de_DE@euro".
QString withoutCodeset(const QString &locale)
{
    const qsizetype dot = locale.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return locale;
    const qsizetype at = locale.indexOf(QLatin1Char('@'), dot);
    return locale.left(dot) + (at < 0 ? QString() : locale.mid(at));
}

} // namespace

QString GettextCatalogues::userLocale()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    locale = withoutCodeset(locale);
    // gettext ignores LANGUAGE when messages are not translated at all.
    if (untranslated(locale))
        return QStringLiteral("C");
    const QString languages = env.value(QStringLiteral("LANGUAGE"));
    return languages.isEmpty() ? locale : languages;
}

bool GettextCatalogues::useLocale(const QString &locale)
{
    if (untranslated(locale))
        return false;
    // LANGUAGE holds the language; LC_MESSAGES only has to be something other than C for gettext to
    // heed it, which C.UTF-8 is on every current system even where the user's locale is not generated.
    qputenv("LANGUAGE", locale.toUtf8());
    const char *messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) {
        if (!std::setlocale(LC_MESSAGES, "C.UTF-8"))
            std::setlocale(LC_MESSAGES, (locale.section(QLatin1Char(':'), 0, 0) + QStringLiteral(".UTF-8")).toUtf8().constData());
    }
    return true;
}

GettextCatalogues::GettextCatalogues(const QString &locale, const QString &programPath, QStringList fallbackDomains)
    : fallbackDomains_(std::move(fallbackDomains))
{
    if (untranslated(locale))
        return;
    for (const QString &entry : locale.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // gettext's order: "de_DE@euro", "de_DE", "de@euro", "de".
        const QString name = withoutCodeset(entry);
        const qsizetype at = name.indexOf(QLatin1Char('@'));
        const QString modifier = at < 0 ? QString() : name.mid(at);
        const QString base = at < 0 ? name : name.left(at);
        const QString language = base.section(QLatin1Char('_'), 0, 0);
        for (const QString &candidate : {base + modifier, base, language + modifier, language}) {
            if (!candidate.isEmpty() && !languages_.contains(candidate))
                languages_ << candidate;
        }
    }
    const QString prefix = QFileInfo(QFileInfo(programPath).absolutePath()).absolutePath();
    folders_ << prefix + QStringLiteral("/share/locale") << QStringLiteral("/usr/share/locale")
             << QStringLiteral("/usr/local/share/locale");
    folders_.removeDuplicates();
}

std::optional<GettextCatalogues> GettextCatalogues::forApplication(const QString &locale, const QStringList &identifiers,
                                                                  const QList<InstalledProgram> &installed)
{
    if (untranslated(locale))
        return std::nullopt;
    for (const QString &id : identifiers) {
        const auto program = std::find_if(installed.cbegin(), installed.cend(), [&](const InstalledProgram &p) {
            return !p.executable.isEmpty()
                && (p.entry.id.compare(id, Qt::CaseInsensitive) == 0
                    || (!p.entry.startupWmClass.isEmpty() && p.entry.startupWmClass.compare(id, Qt::CaseInsensitive) == 0));
        });
        if (program == installed.cend())
            continue;
        QStringList domains;
        if (!program->entry.gettextDomain.isEmpty())
            domains << program->entry.gettextDomain;
        domains << QFileInfo(program->executable).fileName();
        return GettextCatalogues(locale, program->executable, domains);
    }
    return std::nullopt;
}

bool GettextCatalogues::bound(const QString &domain)
{
    if (domain.isEmpty() || languages_.isEmpty())
        return false;
    const auto known = bound_.constFind(domain);
    if (known != bound_.constEnd())
        return *known;
    bool found = false;
    for (const QString &folder : std::as_const(folders_)) {
        for (const QString &language : std::as_const(languages_)) {
            if (!QFileInfo::exists(folder + QLatin1Char('/') + language + QStringLiteral("/LC_MESSAGES/") + domain
                                   + QStringLiteral(".mo")))
                continue;
            const QByteArray name = domain.toUtf8();
            bindtextdomain(name.constData(), QFile::encodeName(folder).constData());
            bind_textdomain_codeset(name.constData(), "UTF-8");
            found = true;
            break;
        }
        if (found)
            break;
    }
    bound_.insert(domain, found);
    return found;
}

QString GettextCatalogues::translate(const QString &domain, const QString &context, const QString &text)
{
    QString chosen;
    if (bound(domain)) {
        chosen = domain;
    } else {
        for (const QString &fallback : std::as_const(fallbackDomains_)) {
            if (bound(fallback)) {
                chosen = fallback;
                break;
            }
        }
    }
    if (chosen.isEmpty() || text.isEmpty())
        return text;
    // A message with a context is stored as "context\004text".
    const QByteArray id = context.isEmpty() ? text.toUtf8() : context.toUtf8() + '\004' + text.toUtf8();
    const char *translated = dgettext(chosen.toUtf8().constData(), id.constData());
    if (translated == id.constData() || !translated)
        return text;
    return QString::fromUtf8(translated);
}
