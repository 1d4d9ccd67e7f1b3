#pragma once

#include "catalogue/ShortcutEntry.h"
#include "panel/EntryList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class ShortcutStore;

// Finds, application by application, the entries whose search text contains every query word.
// Each application's texts are scanned as one run for the rarest word, and only the texts that have
// it are tested for the others. A search remembers what it found: when the next query only adds to
// the words (every old word lies inside a new one), only those entries are looked at again.
class EntrySearch {
public:
    explicit EntrySearch(const ShortcutStore &store) : store_(store) {}

    // Starts a search for `words` (lower case, none empty); no words ends searching and forgets.
    void begin(const QStringList &words);
    // The entries of the application at `ordered` in the store's orderedApps() that contain every
    // word, in catalogue order: the stored list itself when all of them do, else picked from it.
    EntryList entries(qsizetype ordered);
    // What this search found becomes what the next one may narrow.
    void finish();

private:
    // The words in the order they are tested: the rarest in a sample of the catalogue first.
    QStringList testOrder(QStringList words) const;

    const ShortcutStore &store_;
    QStringList words_;
    bool narrowing_ = false;
    QStringList lastWords_;
    // What was found, in the order the applications were asked for; where each application's is,
    // by its position in orderedApps() (-1: not asked).
    std::vector<EntryList> found_;
    std::vector<qint32> foundAt_;
    std::vector<EntryList> last_;
    std::vector<qint32> lastAt_;
    std::vector<qsizetype> indices_;  // reused by every application
};
