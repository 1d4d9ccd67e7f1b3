#pragma once

#include "catalogue/AppShortcuts.h"

#include <QList>
#include <QString>
#include <QStringList>

// Checks that go beyond what the loader requires and catch authoring mistakes: empty sections,
// shortcuts that would share an id, key tokens that are not real key names, and applications that
// claim the same slug or identifier.
namespace CatalogueLint {

// The platforms a data file may name in "platforms".
const QStringList &knownPlatforms();

// Multi-letter key names that are real keys without a label of their own ("insert", "numpad5",
// "click"): they are shown capitalised. Any other unknown token is a typo such as "ctl".
bool isKnownPlainKey(const QString &lowerToken);

// Problems of one application, each a sentence with the JSON path it concerns.
QStringList lintApp(const AppShortcuts &app);

// Problems between applications: a slug or identifier claimed twice. `names` labels each app.
QStringList lintCatalogue(const QList<AppShortcuts> &apps, const QStringList &names);

} // namespace CatalogueLint
