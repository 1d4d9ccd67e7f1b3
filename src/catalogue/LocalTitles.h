#pragma once

#include "catalogue/AppShortcuts.h"
#include "catalogue/ShortcutSection.h"

#include <QJsonArray>
#include <QList>
#include <functional>
#include <optional>

// The translated titles of read sections, kept apart from the sections in English: the data format
// (through which the reading process answers, and the discovery cache stores) holds the English
// titles, which the shortcuts' ids keep; this layer holds, for each section and row in order, the
// title the user sees where it differs (null where it does not).
namespace LocalTitles {

// The layer of `sections`; empty when no title is translated.
QJsonArray layer(const QList<ShortcutSection> &sections);

// `sections` with every title in English (what the data format keeps).
QList<ShortcutSection> english(QList<ShortcutSection> sections);

// English `sections` with the layer's titles shown and their English kept. None when the layer does
// not fit the sections (another count of sections or rows, a value that is not a string or null).
std::optional<QList<ShortcutSection>> applied(QList<ShortcutSection> sections, const QJsonArray &layer);

// Shows the titles of `app` (shortcuts and sections) that `lookup` translates, keeping their English;
// `lookup` gives the text itself where it has no translation. Returns how many titles it translated.
int translate(AppShortcuts &app, const std::function<QString(const QString &text)> &lookup);

} // namespace LocalTitles
