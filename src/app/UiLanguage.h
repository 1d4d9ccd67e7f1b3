#pragma once

class QCoreApplication;
class QLocale;
class QString;

// Corvane's own text in the user's language: its translation (share/corvane/translations) and Qt's
// own (the standard dialogs' buttons, say) for the locale's languages, installed on the application.
// The layout direction follows the language: right to left for Arabic, Hebrew and the like.
namespace UiLanguage {

// Installs the translators for `locale` on `app` (which owns them). A language without a translation
// keeps the English text. True when a translation of Corvane's own was found.
bool install(QCoreApplication &app, const QLocale &locale);

// The folder of Corvane's .qm files, next to the program's other resources.
QString translationsFolder();

} // namespace UiLanguage
