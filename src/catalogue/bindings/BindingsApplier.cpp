#include "catalogue/bindings/BindingsApplier.h"

#include "catalogue/ShortcutStore.h"
#include "catalogue/bindings/BindingKeys.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// One application's keymaps while bindings are applied to them.
class AppEditor {
public:
    AppEditor(QList<Keymap> keymaps) : keymaps_(std::move(keymaps))
    {
        for (qsizetype k = 0; k < keymaps_.size(); ++k) {
            const auto &sections = keymaps_[k].sections;
            for (qsizetype s = 0; s < sections.size(); ++s) {
                for (const RawShortcut &shortcut : sections[s].shortcuts) {
                    if (shortcut.action())
                        index(*shortcut.action(), k, s);
                }
            }
        }
    }

    QList<Keymap> result() const { return keymaps_; }

    // Every binding of one configuration, a change of key taken as one whatever order it is written in.
    void apply(const AppBindings &set)
    {
        for (const UserBinding &binding : changesApplied(set))
            apply(set, binding);
    }

    void apply(const AppBindings &set, const UserBinding &binding)
    {
        const std::optional<QStringList> keys = keyTexts(set, binding);
        if (!keys)
            return;
        named_.insert(binding.action);
        switch (binding.mode) {
        case UserBinding::Mode::Replace: replace(binding, *keys); break;
        case UserBinding::Mode::Add: add(binding, *keys); break;
        case UserBinding::Mode::Remove: remove(binding, *keys); break;
        }
    }

    // Leaves out the catalogue's shortcuts whose action no binding named.
    void dropUnnamed()
    {
        for (Keymap &keymap : keymaps_) {
            for (ShortcutSection &section : keymap.sections) {
                section.shortcuts.removeIf([this](const RawShortcut &s) {
                    return s.action() && !s.customisation() && !named_.contains(*s.action());
                });
            }
        }
    }

private:
    // The binding's keys in the data format, each once; nothing when none of them can be read (such
    // a binding changes nothing).
    static std::optional<QStringList> keyTexts(const AppBindings &set, const UserBinding &binding)
    {
        QStringList keys;
        QSet<QString> seen;  // by hash: a file may bind one action to very many keys
        qsizetype unreadable = 0;
        for (const QString &raw : binding.keys) {
            if (isEmptyKey(raw))
                continue;
            const auto key = BindingKeys::toKeyText(set.notation, raw);
            if (!key) {
                ++unreadable;
            } else if (!seen.contains(*key)) {
                seen.insert(*key);
                keys << *key;
            }
        }
        // A binding whose keys cannot be read at all changes nothing.
        if (keys.isEmpty() && unreadable > 0)
            return std::nullopt;
        return keys;
    }

    // A configuration that adds keys on top of the defaults writes a change of key as two bindings:
    // the new key added and the old one removed (VS Code writes every change so), in either order.
    // Each such pair changes the key of the old key's row, which keeps its id, title and section;
    // a removal of every key of an action together with an addition replaces its keys. What is
    // left over is returned, in its order, to be applied as written.
    QList<UserBinding> changesApplied(const AppBindings &set)
    {
        QHash<QString, QList<qsizetype>> additions;
        QHash<QString, QList<qsizetype>> removals;
        for (qsizetype i = 0; i < set.bindings.size(); ++i) {
            const UserBinding &binding = set.bindings[i];
            if (binding.mode == UserBinding::Mode::Add)
                additions[binding.action] << i;
            else if (binding.mode == UserBinding::Mode::Remove)
                removals[binding.action] << i;
        }
        QList<UserBinding> rest = set.bindings;
        QSet<qsizetype> done;
        for (auto it = removals.cbegin(); it != removals.cend(); ++it) {
            const QList<qsizetype> added = additions.value(it.key());
            if (added.isEmpty())
                continue;
            // The new keys, in the order written, with the binding that brings each.
            QList<QPair<QString, qsizetype>> newKeys;
            for (qsizetype a : added) {
                for (const QString &key : keyTexts(set, set.bindings[a]).value_or(QStringList()))
                    newKeys.append({key, a});
            }
            bool removesAll = false;
            QStringList oldKeys;
            for (qsizetype r : it.value()) {
                const auto keys = keyTexts(set, set.bindings[r]);
                if (keys && keys->isEmpty())
                    removesAll = true;
                for (const QString &key : keys.value_or(QStringList()))
                    oldKeys << BindingKeys::canonical(key);
            }
            if (removesAll) {
                UserBinding replacement = set.bindings[added.constFirst()];
                replacement.mode = UserBinding::Mode::Replace;
                replacement.keys.clear();
                for (const auto &key : std::as_const(newKeys))
                    replacement.keys << key.first;
                named_.insert(replacement.action);
                replace(replacement, replacement.keys);
                for (qsizetype index : added + it.value())
                    done.insert(index);
                continue;
            }
            QStringList present;
            const QList<Position> ofAction = find(it.key());
            for (const Position &p : ofAction) {
                if (at(p).hasKey())
                    present << BindingKeys::canonical(*at(p).key());
            }
            // A key removed and added again (VS Code: the same key under a new "when") stays as it is.
            QStringList changedFrom;
            QStringList changedTo;
            for (auto k = newKeys.begin(); k != newKeys.end();) {
                const QString key = BindingKeys::canonical(k->first);
                if (!oldKeys.contains(key)) {
                    ++k;
                    continue;
                }
                changedFrom << key;
                changedTo << k->first;
                k = newKeys.erase(k);
            }
            for (const Position &p : ofAction) {
                const QString key = at(p).hasKey() ? BindingKeys::canonical(*at(p).key()) : QString();
                if (!oldKeys.contains(key) || changedFrom.contains(key))
                    continue;
                // The next new key the action does not have yet.
                auto next = std::find_if(newKeys.begin(), newKeys.end(), [&](const QPair<QString, qsizetype> &k) {
                    return !present.contains(BindingKeys::canonical(k.first));
                });
                if (next == newKeys.end())
                    break;
                named_.insert(it.key());
                setKey(at(p), set.bindings[next->second], next->first);
                changedFrom << key;
                changedTo << next->first;
                newKeys.erase(next);
            }
            // The pairs are done; the bindings keep the keys no pair took.
            auto without = [&set](qsizetype index, const QStringList &taken) {
                UserBinding b = set.bindings[index];
                b.keys.removeIf([&](const QString &raw) {
                    const auto key = BindingKeys::toKeyText(set.notation, raw);
                    return key && taken.contains(BindingKeys::canonical(*key));
                });
                return b;
            };
            QStringList takenTo;
            for (const QString &key : std::as_const(changedTo))
                takenTo << BindingKeys::canonical(key);
            for (qsizetype a : added) {
                rest[a] = without(a, takenTo);
                if (rest[a].keys.isEmpty() && !set.bindings[a].keys.isEmpty())
                    done.insert(a);
            }
            for (qsizetype r : it.value()) {
                rest[r] = without(r, changedFrom);
                if (rest[r].keys.isEmpty() && !set.bindings[r].keys.isEmpty())
                    done.insert(r);
            }
        }
        QList<UserBinding> left;
        for (qsizetype i = 0; i < rest.size(); ++i) {
            if (!done.contains(i))
                left << rest[i];
        }
        return left;
    }

    struct Position {
        qsizetype keymap;
        qsizetype section;
        qsizetype shortcut;
    };

    static bool isEmptyKey(const QString &raw)
    {
        const QString t = raw.trimmed();
        return t.isEmpty() || t.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 || t == QLatin1String("disabled");
    }

    // The sections an action may have shortcuts in. Sections are only ever added, so an entry stays
    // valid; one whose shortcuts of the action were all removed costs a look and finds nothing.
    void index(const QString &action, qsizetype keymap, qsizetype section)
    {
        QList<std::pair<qsizetype, qsizetype>> &where = sectionsOf_[action];
        const std::pair<qsizetype, qsizetype> place{keymap, section};
        if (!where.contains(place)) {
            where.append(place);
            std::sort(where.begin(), where.end());
        }
    }

    // The shortcuts of `action`, in order: only the sections the index names are looked through.
    QList<Position> find(const QString &action) const
    {
        QList<Position> found;
        const auto places = sectionsOf_.constFind(action);
        if (places == sectionsOf_.constEnd())
            return found;
        for (const auto &[k, s] : *places) {
            const auto &shortcuts = keymaps_[k].sections[s].shortcuts;
            for (qsizetype i = 0; i < shortcuts.size(); ++i) {
                if (shortcuts[i].action() == action)
                    found.append(Position{k, s, i});
            }
        }
        return found;
    }

    RawShortcut &at(const Position &p) { return keymaps_[p.keymap].sections[p.section].shortcuts[p.shortcut]; }

    // Where a new shortcut of `binding` goes: after the last of its action, else at the end of the
    // section it names (or of the additions section), which is made when missing.
    Position insertionPoint(const UserBinding &binding, const QList<Position> &ofAction)
    {
        if (!ofAction.isEmpty()) {
            Position p = ofAction.constLast();
            ++p.shortcut;
            return p;
        }
        if (keymaps_.isEmpty())
            keymaps_.append(Keymap{QStringLiteral("Linux"), std::nullopt, {}});
        const QString title = binding.section.isEmpty() ? BindingsApplier::additionsSection() : binding.section;
        auto &sections = keymaps_.first().sections;
        for (qsizetype s = 0; s < sections.size(); ++s) {
            if (sections[s].title == title)
                return Position{0, s, sections[s].shortcuts.size()};
        }
        sections.append(ShortcutSection{title, {}});
        return Position{0, sections.size() - 1, 0};
    }

    void insertAdded(const UserBinding &binding, const QString &title, const QString &key, Position at)
    {
        auto custom = std::make_shared<Customisation>();
        custom->origin = binding.origin;
        custom->added = true;
        // Stable under a change of key, unique within the application.
        QString idKey = QLatin1Char('@') + binding.action;
        const int n = ++addedPerAction_[binding.action];
        if (n > 1)
            idKey += QLatin1Char('#') + QString::number(n);
        custom->idKey = idKey;
        RawShortcut shortcut(title, key, std::nullopt, binding.action);
        shortcut.setCustomisation(std::move(custom));
        keymaps_[at.keymap].sections[at.section].shortcuts.insert(at.shortcut, std::move(shortcut));
        index(binding.action, at.keymap, at.section);
    }

    QString titleFor(const UserBinding &binding, const QList<Position> &ofAction)
    {
        if (!ofAction.isEmpty())
            return at(ofAction.constFirst()).title();
        return binding.title.isEmpty() ? binding.action : binding.title;
    }

    void setKey(RawShortcut &shortcut, const UserBinding &binding, const QString &key)
    {
        if (shortcut.hasKey() && BindingKeys::canonical(*shortcut.key()) == BindingKeys::canonical(key))
            return;
        auto custom = std::make_shared<Customisation>();
        if (shortcut.customisation()) {
            *custom = *shortcut.customisation();
        } else {
            custom->catalogueKey = shortcut.key();
            custom->idKey = shortcut.keyView().toString();
        }
        custom->origin = binding.origin;
        shortcut.setKey(key);
        shortcut.setCustomisation(std::move(custom));
    }

    void erase(const QList<Position> &positions)
    {
        // From the back, so that the positions before stay valid.
        for (auto it = positions.crbegin(); it != positions.crend(); ++it)
            keymaps_[it->keymap].sections[it->section].shortcuts.removeAt(it->shortcut);
    }

    // The action's keys become `keys`: a row whose key stays keeps it, the other rows take the new
    // keys in order (keeping their ids), further keys are added after them and rows left over go.
    void replace(const UserBinding &binding, const QStringList &keys)
    {
        const QList<Position> ofAction = find(binding.action);
        const QString title = titleFor(binding, ofAction);
        QStringList remaining = keys;
        QList<Position> free;
        for (const Position &p : ofAction) {
            const QString key = at(p).hasKey() ? BindingKeys::canonical(*at(p).key()) : QString();
            const auto same = std::find_if(remaining.begin(), remaining.end(),
                                           [&key](const QString &k) { return BindingKeys::canonical(k) == key; });
            if (at(p).hasKey() && same != remaining.end())
                remaining.erase(same);
            else
                free << p;
        }
        const qsizetype kept = qMin(free.size(), remaining.size());
        for (qsizetype i = 0; i < kept; ++i)
            setKey(at(free[i]), binding, remaining[i]);
        if (remaining.size() > kept) {
            Position point = insertionPoint(binding, ofAction);
            for (qsizetype i = kept; i < remaining.size(); ++i) {
                insertAdded(binding, title, remaining[i], point);
                ++point.shortcut;
            }
        } else {
            erase(free.mid(kept));
        }
    }

    void add(const UserBinding &binding, const QStringList &keys)
    {
        const QList<Position> ofAction = find(binding.action);
        QStringList present;
        for (const Position &p : ofAction) {
            if (at(p).hasKey())
                present << BindingKeys::canonical(*at(p).key());
        }
        const QString title = titleFor(binding, ofAction);
        Position point = insertionPoint(binding, ofAction);
        for (const QString &key : keys) {
            if (present.contains(BindingKeys::canonical(key)))
                continue;
            insertAdded(binding, title, key, point);
            ++point.shortcut;
        }
    }

    void remove(const UserBinding &binding, const QStringList &keys)
    {
        QStringList canonical;
        for (const QString &key : keys)
            canonical << BindingKeys::canonical(key);
        QList<Position> doomed;
        for (const Position &p : find(binding.action)) {
            const RawShortcut &s = at(p);
            if (canonical.isEmpty() || (s.hasKey() && canonical.contains(BindingKeys::canonical(*s.key()))))
                doomed.append(p);
        }
        erase(doomed);
    }

    QList<Keymap> keymaps_;
    QHash<QString, QList<std::pair<qsizetype, qsizetype>>> sectionsOf_;  // action -> (keymap, section)
    QSet<QString> named_;
    QHash<QString, int> addedPerAction_;
};

} // namespace

QList<AppShortcuts> BindingsApplier::apply(const QList<AppShortcuts> &shipped, const QList<AppBindings> &bindings,
                                           const QString &platform)
{
    if (bindings.isEmpty())
        return shipped;
    // Which application each set of bindings belongs to: a slug, bundle id or alias, any case.
    QHash<QString, qsizetype> index;
    for (qsizetype i = shipped.size() - 1; i >= 0; --i) {
        const AppShortcuts &app = shipped[i];
        if (app.aliases) {
            for (const QString &alias : *app.aliases)
                index.insert(alias.toLower(), i);
        }
        if (app.bundleId)
            index.insert(app.bundleId->toLower(), i);
        index.insert(app.slug.toLower(), i);
    }
    QHash<qsizetype, QList<const AppBindings *>> byApp;
    for (const AppBindings &set : bindings) {
        const auto found = index.constFind(set.app.toLower());
        if (found != index.constEnd())
            byApp[*found].append(&set);
    }

    QList<AppShortcuts> result = shipped;
    for (auto it = byApp.cbegin(); it != byApp.cend(); ++it) {
        AppShortcuts &app = result[it.key()];
        AppEditor editor(ShortcutStore::keymapsFor(app, platform));
        bool complete = false;
        for (const AppBindings *set : it.value()) {
            editor.apply(*set);
            complete = complete || set->complete;
        }
        if (complete)
            editor.dropUnnamed();
        app.keymaps = editor.result();
    }
    return result;
}
