#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The keys a GTK program gives an action in its code (gtk_application_set_accels_for_action), found
// in the string literals of the program file: the compiler lays the accelerator and the action name
// side by side. Only layouts that pair them without doubt are read:
// - a run of accelerators followed by as many action names ("<primary>t", "<primary>w", "win.new-tab",
//   "win.close-tab"): the arrays of a C program, paired in order;
// - accelerators and action names alternating, no two accelerators together, the run beginning with
//   an accelerator and ending with an action name (each action takes the accelerator before it, as a
//   Vala program lays them out), or the other way round (each takes the one after it).
// Anything else (two accelerators for one action in an alternating run, a run that begins and ends
// with the same kind, an action found twice with different keys) gives nothing: no key is guessed.
// Accelerators count only with a modifier ("<primary>t") or as a function key ("F10"), so that a
// word next to an action name is never taken for its key.
class ActionAccelerators {
public:
    // The accelerators (GTK's notation) of `action` in `program`'s bytes; empty when none is certain.
    static QStringList find(const QByteArray &program, const QString &action);

    // GTK gives the help overlay's action this key itself when a program ships
    // "gtk/help-overlay.ui".
    static QString helpOverlayAction() { return QStringLiteral("win.show-help-overlay"); }
    static QString helpOverlayAccelerator() { return QStringLiteral("<Primary>question"); }
};
