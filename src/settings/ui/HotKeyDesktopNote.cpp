#include "settings/ui/HotKeyDesktopNote.h"

#include "services/ToggleCommand.h"
#include "settings/CompositorBindingLine.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HotKeyDesktopNote::HotKeyDesktopNote(HotKeyManager &hotKeys, Preferences &preferences, QWidget *parent)
    : QWidget(parent), hotKeys_(hotKeys), preferences_(preferences), text_(new QLabel(this)), line_(new QLabel(this)),
      copy_(new QPushButton(tr("Copy"), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    text_->setWordWrap(true);
    QFont small = text_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    text_->setFont(small);
    layout->addWidget(text_);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(small.pointSizeF());
    line_->setFont(mono);
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line_->setWordWrap(true);
    row->addWidget(line_, 1);
    row->addWidget(copy_);
    layout->addLayout(row);
    connect(copy_, &QPushButton::clicked, this, [this] {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(copyText());
    });
    connect(&hotKeys, &HotKeyManager::statusChanged, this, &HotKeyDesktopNote::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &HotKeyDesktopNote::refresh);
    refresh();
}

QString HotKeyDesktopNote::text() const
{
    return text_->text();
}

QString HotKeyDesktopNote::copyText() const
{
    return line_->isVisibleTo(this) ? line_->text() : QString();
}

void HotKeyDesktopNote::refresh()
{
    QString text;
    QString line;
    if (hotKeys_.status() == HotKeyManager::Status::Unavailable) {
        const qint64 code = preferences_.hotKeyCode();
        const QString command = ToggleCommand::shortest();
        line = code >= 0 && code <= 0xFFFFFFFFLL
            ? CompositorBindingLine::forDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), quint32(code),
                                                preferences_.hotKeyModifiers(), command)
            : QString();
        if (line.isEmpty()) {
            text = tr("This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:");
            line = command;
        } else {
            text = tr("This desktop lets no program take a global key. Add this line to its configuration:");
        }
        // The configuration already binds that key to something else: say so by the line.
        if (!hotKeys_.conflict().isEmpty())
            text += QLatin1Char(' ')
                + tr("(%1 is already %2 there: record another key first.)").arg(preferences_.hotKeyText(), hotKeys_.conflict());
    } else if (hotKeys_.hasBackend()) {
        switch (hotKeys_.owner()) {
        case HotKeyBackend::Owner::DesktopPortal: {
            const QString trigger = hotKeys_.triggerDescription();
            text = trigger.isEmpty() ? tr("Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.")
                                     : tr("Your desktop runs this shortcut for Corvane: %1").arg(trigger);
            break;
        }
        case HotKeyBackend::Owner::DesktopSettings:
            text = tr("GNOME runs this shortcut for Corvane (Settings \u2192 Keyboard \u2192 Custom Shortcuts).");
            break;
        case HotKeyBackend::Owner::Program:
            break;
        }
    }
    text_->setText(text);
    line_->setText(line);
    line_->setVisible(!line.isEmpty());
    copy_->setVisible(!line.isEmpty());
    setVisible(!text.isEmpty());
}
