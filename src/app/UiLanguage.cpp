#include "app/UiLanguage.h"

#include "services/ResourcePaths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace UiLanguage {

QString translationsFolder()
{
    return ResourcePaths::folder(QStringLiteral("translations")).value_or(QString());
}

namespace {

// Loads the best file "<name>_<language>.qm" of `folder` for `locale`, owned by `app` once installed.
bool installTranslation(QCoreApplication &app, const QLocale &locale, const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (folder.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), folder))
        return false;
    translator->setParent(&app);
    QCoreApplication::installTranslator(translator.release());
    return true;
}

} // namespace

bool install(QCoreApplication &app, const QLocale &locale)
{
    // Qt's own first: the translator installed last is asked first, so Corvane's text wins.
    installTranslation(app, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installTranslation(app, locale, QStringLiteral("corvane"), translationsFolder());
}

} // namespace UiLanguage
