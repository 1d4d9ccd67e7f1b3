#pragma once

#include "catalogue/Keymap.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One decoded data file: an application and all of its keymaps. Nothing is normalised.
struct AppShortcuts {
    std::optional<QString> bundleId;
    // Further identifiers the application runs under (Flatpak id, WM class, other desktop ids).
    std::optional<QStringList> aliases;
    std::optional<QString> hostname;
    QString name;
    QString slug;
    std::optional<QString> source;
    std::optional<QString> icon;
    // A terminal emulator: the program running inside its window comes before it in the panel.
    std::optional<bool> terminal;
    QList<Keymap> keymaps;
    // Read from the application's own shortcuts window at start-up rather than from a data file
    // (never set by the decoder).
    bool discovered = false;
};
