#include "catalogue/bindings/ActionBindings.h"

#include <utility>

void ActionBindings::add(UserBinding binding)
{
    const auto found = byAction_.constFind(binding.action);
    if (found == byAction_.constEnd()) {
        byAction_.insert(binding.action, bindings_.size());
        bindings_.append(std::move(binding));
        return;
    }
    QStringList &keys = bindings_[*found].keys;
    for (const QString &key : std::as_const(binding.keys)) {
        if (!keys.contains(key))
            keys << key;
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
    return std::exchange(bindings_, {});
}
