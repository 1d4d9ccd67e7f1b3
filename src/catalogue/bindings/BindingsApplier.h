#pragma once

#include "catalogue/AppShortcuts.h"
#include "platform/AppBindings.h"

#include <QList>
#include <QString>

// Applies the user's own key bindings to the shipped catalogue: a changed key replaces the data
// file's key of the same action, an action the data file lacks is added, a removed or unbound one is
// left out. Every shortcut whose key came from the user's configuration carries its Customisation.
// Applications without bindings, and bindings for applications the catalogue lacks, pass unchanged.
class BindingsApplier {
public:
    // `platform` picks the keymaps as the store does; the applications that get bindings keep only
    // those keymaps.
    static QList<AppShortcuts> apply(const QList<AppShortcuts> &shipped, const QList<AppBindings> &bindings,
                                     const QString &platform);

    // Section of the shortcuts added for actions that bring no section of their own.
    static QString additionsSection() { return QStringLiteral("Your shortcuts"); }
};
