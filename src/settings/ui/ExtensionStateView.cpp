#include "settings/ui/ExtensionStateView.h"

#include "platform/ShellExtension.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ExtensionStateView::ExtensionStateView(ShellExtension &extension, QWidget *parent)
    : QWidget(parent), extension_(extension), label_(new QLabel(this)), button_(new QPushButton(tr("Turn On"), this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    label_->setWordWrap(true);
    row->addWidget(label_, 1);
    row->addWidget(button_, 0, Qt::AlignVCenter);
    connect(button_, &QPushButton::clicked, &extension_, &ShellExtension::enable);
    connect(&extension_, &ShellExtension::stateChanged, this, &ExtensionStateView::sync);
    sync();
}

void ExtensionStateView::sync()
{
    using State = ShellExtension::State;
    const State state = extension_.state();
    switch (state) {
    case State::Unknown: label_->setText(tr("GNOME Shell has not said whether Corvane's extension runs.")); break;
    case State::NotInstalled:
        label_->setText(tr("Corvane's GNOME Shell extension is not installed: the panel cannot tell which app you "
                           "are using, and GNOME places it."));
        break;
    case State::NeedsLogout:
        label_->setText(tr("Corvane's GNOME Shell extension is installed. Log out and back in to start it."));
        break;
    case State::Disabled:
        label_->setText(tr("Corvane's GNOME Shell extension is off: the panel cannot tell which app you are using, "
                           "and GNOME places it."));
        break;
    case State::Active: label_->setText(tr("Corvane's GNOME Shell extension is on.")); break;
    case State::Failed:
        label_->setText(tr("GNOME Shell could not run Corvane's extension. The Extensions app shows why."));
        break;
    }
    button_->setVisible(state == State::Disabled);
}
