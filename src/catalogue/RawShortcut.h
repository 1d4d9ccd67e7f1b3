#pragma once

#include "catalogue/ShortcutExtras.h"

#include <QSharedDataPointer>
#include <QString>
#include <memory>
#include <optional>

// One shortcut exactly as a data file states it. The title and the key, which nearly every shortcut
// has, are fields; the rest (comment, action, the user's customisation) live in ShortcutExtras, which
// a shortcut without any of them does not allocate.
struct RawShortcut {
    RawShortcut() = default;
    RawShortcut(QString title, std::optional<QString> key, std::optional<QString> comment = std::nullopt,
                std::optional<QString> action = std::nullopt)
        : title(std::move(title)), key(std::move(key))
    {
        setComment(std::move(comment));
        setAction(std::move(action));
    }

    QString title;
    std::optional<QString> key;

    const std::optional<QString> &comment() const { return extras_.constData() ? extras_.constData()->comment : absent(); }
    void setComment(std::optional<QString> text)
    {
        if (edit(text.has_value()))
            extras_->comment = std::move(text);
        dropIfEmpty();
    }

    // The application's own name for the action, linking the shortcut to the user's configuration.
    const std::optional<QString> &action() const { return extras_.constData() ? extras_.constData()->action : absent(); }
    void setAction(std::optional<QString> name)
    {
        if (edit(name.has_value()))
            extras_->action = std::move(name);
        dropIfEmpty();
    }

    // How the user's configuration changed or added this shortcut; null when it did not. Never decoded.
    const Customisation *customisation() const { return extras_.constData() ? extras_.constData()->customisation.get() : nullptr; }
    void setCustomisation(std::shared_ptr<const Customisation> custom)
    {
        if (edit(custom != nullptr))
            extras_->customisation = std::move(custom);
        dropIfEmpty();
    }

    // Set only when `title` is the application's own translation: the title in English, which the
    // shortcut's id keeps and search matches too.
    const std::optional<QString> &englishTitle() const { return extras_.constData() ? extras_.constData()->englishTitle : absent(); }
    void setEnglishTitle(std::optional<QString> text)
    {
        if (edit(text.has_value()))
            extras_->englishTitle = std::move(text);
        dropIfEmpty();
    }

    // Whether any of the rare fields is set (then the shortcut holds a ShortcutExtras).
    bool hasExtras() const { return extras_.constData() != nullptr; }

private:
    static const std::optional<QString> &absent()
    {
        static const std::optional<QString> none;
        return none;
    }

    // Makes the extras writable before a change: allocated when `setting` something and there are
    // none yet. Returns false when there is nothing to change (clearing a field of a shortcut
    // without extras).
    bool edit(bool setting)
    {
        if (!extras_) {
            if (!setting)
                return false;
            extras_ = new ShortcutExtras;
        }
        extras_.detach();
        return true;
    }

    void dropIfEmpty()
    {
        if (extras_.constData() && extras_.constData()->isEmpty())
            extras_.reset();
    }

    QSharedDataPointer<ShortcutExtras> extras_;
};
