#pragma once

#include <QString>
#include <QStringList>

// One key binding as another program's configuration states it: the keys of one action, in the
// notation of that configuration (see AppBindings).
struct UserBinding {
    enum class Mode {
        Replace,  // these keys are all the action has (none: the action is unbound)
        Add,      // these keys come on top of the action's defaults
        Remove,   // these keys no longer run the action (none: no key does)
    };

    // The program's own name of the action (a GSettings "schema/key", a command, an action name).
    QString action;
    QStringList keys;
    Mode mode = Mode::Replace;
    // Title and section for an action the catalogue does not list.
    QString title;
    QString section;
    // Where the value came from, for people: a file path or a GSettings schema and key.
    QString origin;

    friend bool operator==(const UserBinding &a, const UserBinding &b)
    {
        return a.action == b.action && a.keys == b.keys && a.mode == b.mode && a.title == b.title
            && a.section == b.section && a.origin == b.origin;
    }
    friend bool operator!=(const UserBinding &a, const UserBinding &b) { return !(a == b); }
};
