#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A shortcut's keys: successive chords, each a list of key-cap labels such as "⌘" or "K".
using KeyGroups = QList<QStringList>;

// Turns the key text of a data file ("ctrl+k ctrl+s") into key groups. Pure functions, no state.
namespace KeyNotation {

// Chords are separated by spaces (U+0020 only), keys of a chord by "+"; empty pieces are dropped.
// Never fails.
KeyGroups parseKeyGroups(const QString &text);

// The label of one key token: a named key's symbol, a single character upper-cased, a function key
// upper-cased, or else the token capitalised.
QString keySymbol(const QString &token);

// True when `text` is one user-perceived character (one grapheme, however many code points).
bool isSingleCharacter(const QString &text);

// True when `token` (lower-cased) is one of the key-name table's names.
bool isNamedKey(const QString &token);

} // namespace KeyNotation
