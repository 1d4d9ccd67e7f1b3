#pragma once

#include "keys/KeyNotation.h"

#include <QString>
#include <QStringList>
#include <optional>

// How key caps read: the symbols of the key notation (⌃ ⇧ ⏎ …, as macOS shows them) or the words
// that GNOME and KDE show (Ctrl, Shift, Enter …). A view concern only: ids, search texts, stored
// favourites and the labels kept in each entry never change with it.
enum class KeyLabelStyle { Symbols, Words };

// The language of the words: the user's (through the application's translation, "Strg" and
// "Umschalt" in German), or English for log lines and files.
enum class KeyWords { Translated, English };

// Turns the labels that the key notation stores into what a view shows in a given style. Pure
// functions, no state.
namespace KeyLabels {

// Words on Linux, symbols on macOS.
KeyLabelStyle platformDefault();
// "words" and "symbols", as stored in the preferences.
QString styleName(KeyLabelStyle style);
std::optional<KeyLabelStyle> styleNamed(const QString &name);

// The word for one stored label: "⌃" gives "Ctrl", "⇞" "PgUp", "Middleclick" "Middle-click",
// "Numpad5" "Num 5", "Volumeup" "Volume Up". Letters, digits, punctuation, arrows and function
// keys stay as they are, and so does a label this table does not know.
QString word(const QString &label, KeyWords words = KeyWords::Translated);

// One chord in a style. Words: each label's word, modifiers first in the order Ctrl, Alt, Shift,
// Super whatever order the data wrote them, the other keys after them in their own order.
// Symbols: the labels as stored.
QStringList chord(const QStringList &labels, KeyLabelStyle style, KeyWords words = KeyWords::Translated);
KeyGroups groups(const KeyGroups &groups, KeyLabelStyle style, KeyWords words = KeyWords::Translated);

// A mouse action (click, right-click, middle-click, double-click, drag, scroll …) rather than a key.
// Accepts a stored label or its word, in English or in the user's language.
bool isMouseAction(const QString &label);
// The mouse action's stored label, lower-cased ("rightclick", "middledrag", "scrollup"), from a stored
// label or its word in either language; none for a key.
std::optional<QString> mouseAction(const QString &label);

// A shortcut's keys as plain text in a style: "Ctrl+Shift+T", chords separated by a space
// ("Ctrl+K Ctrl+S"); symbols run together ("⌃⇧T").
QString sequenceText(const KeyGroups &groups, KeyLabelStyle style, KeyWords words = KeyWords::Translated);

// A shortcut's keys as words for reading aloud (a screen reader's description, say): "Ctrl Shift T",
// chords joined by ", then " ("Ctrl K, then Ctrl S"); arrows read "Up", "Down", "Left", "Right".
QString spokenText(const KeyGroups &groups);

// The hot key's display text (modifier symbols in any order, then the key's name, as the recorder
// and the defaults store it) in a style: "❖⇧Space" reads "Shift+Super+Space" in words and "⇧❖Space"
// in symbols; modifiers in the same order in both.
QString hotKeyText(const QString &display, KeyLabelStyle style, KeyWords words = KeyWords::Translated);

} // namespace KeyLabels
