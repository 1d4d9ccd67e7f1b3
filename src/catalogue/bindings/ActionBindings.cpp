#include "catalogue/bindings/ActionBindings.h"

#include <utility>

void ActionBindings::add(UserBinding binding)
{
    const auto found = byAction_.constFind(binding.action);
    if (found == byAction_.constEnd()) {
        byAction_.insert(binding.action, bindings_.size());
        QSet<QString> &seen = keysSeen_.emplaceBack();
        QStringList keys;
        for (QString &key : binding.keys) {
            if (!seen.contains(key)) {
                seen.insert(key);
                keys << std::move(key);
            }
        }
        binding.keys = std::move(keys);
        bindings_.append(std::move(binding));
        return;
    }
    // By hash: an action bound to many keys costs no more per key than one bound to few.
    QStringList &keys = bindings_[*found].keys;
    QSet<QString> &seen = keysSeen_[*found];
    for (const QString &key : std::as_const(binding.keys)) {
        if (!seen.contains(key)) {
            seen.insert(key);
            keys << key;
        }
    }
}

void ActionBindings::add(const QString &action, const QStringList &keys, const QString &origin)
{
    UserBinding binding;
    binding.action = action;
    binding.keys = keys;
    binding.title = action;
    binding.origin = origin;
    add(std::move(binding));
}

QList<UserBinding> ActionBindings::take()
{
    byAction_.clear();
    keysSeen_.clear();
    return std::exchange(bindings_, {});
}
