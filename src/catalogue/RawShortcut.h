#pragma once

#include "catalogue/ShortcutExtras.h"
#include "catalogue/TextRun.h"

#include <QSharedDataPointer>
#include <QString>
#include <memory>
#include <optional>

// One shortcut exactly as a data file states it. The title, the key and the comment share one
// TextRun; the rarer fields (action, the user's customisation, an English title) live in
// ShortcutExtras, which a shortcut without any of them does not allocate.
struct RawShortcut {
    RawShortcut() = default;
    RawShortcut(const QString &title, const std::optional<QString> &key, const std::optional<QString> &comment = std::nullopt,
                std::optional<QString> action = std::nullopt)
        : texts_({title, key, comment})
    {
        setAction(std::move(action));
    }
    // Shares `run`, which holds the title, the key and the comment (those of them present) back to
    // back, each followed by U+0000; `sizes` gives their sizes, -1 for one absent.
    static RawShortcut fromRun(const QString &run, const TextRun::Sizes &sizes)
    {
        RawShortcut shortcut;
        shortcut.texts_ = TextRun(run, sizes);
        return shortcut;
    }

    // Each text shares the record's block: copying it allocates nothing.
    QString title() const { return texts_.text(titleSlot).value_or(QString()); }
    QStringView titleView() const { return texts_.view(titleSlot); }
    void setTitle(QStringView text) { texts_ = texts_.with(titleSlot, text); }

    std::optional<QString> key() const { return texts_.text(keySlot); }
    bool hasKey() const { return texts_.has(keySlot); }
    // Empty when there is no key.
    QStringView keyView() const { return texts_.view(keySlot); }
    void setKey(std::optional<QStringView> text) { texts_ = texts_.with(keySlot, text); }

    std::optional<QString> comment() const { return texts_.text(commentSlot); }
    bool hasComment() const { return texts_.has(commentSlot); }
    QStringView commentView() const { return texts_.view(commentSlot); }
    void setComment(std::optional<QStringView> text) { texts_ = texts_.with(commentSlot, text); }

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
    enum Slot { titleSlot, keySlot, commentSlot };

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

    TextRun texts_;
    QSharedDataPointer<ShortcutExtras> extras_;
};
