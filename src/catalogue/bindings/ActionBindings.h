#pragma once

#include "platform/UserBinding.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// The bindings of a configuration gathered one per action: a later binding of an action adds its
// keys (each once) to the first, which keeps its title, section and origin.
class ActionBindings {
public:
    void add(UserBinding binding);
    // A binding titled by its action, as a configuration that has no titles states it.
    void add(const QString &action, const QStringList &keys, const QString &origin);
    QList<UserBinding> take();

private:
    QList<UserBinding> bindings_;
    QHash<QString, qsizetype> byAction_;
    QList<QSet<QString>> keysSeen_;  // the keys of bindings_[i]
};
