#include "settings/ui/SettingsView.h"

#include "platform/PlatformProfile.h"
#include "settings/Preferences.h"
#include "settings/ui/AccentSwatch.h"
#include "settings/ui/HotKeyRecorderView.h"
#include "settings/ui/ToggleSwitch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    QPalette palette = label->palette();
    QColor secondary = palette.color(QPalette::WindowText);
    secondary.setAlphaF(0.6f);
    palette.setColor(QPalette::WindowText, secondary);
    label->setPalette(palette);
    return label;
}

QLabel *sectionHeader(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A rounded group holding the rows of one section.
QWidget *group(QWidget *parent, QVBoxLayout *&rows)
{
    auto *box = new QWidget(parent);
    box->setObjectName(QStringLiteral("settingsGroup"));
    box->setAttribute(Qt::WA_StyledBackground);
    rows = new QVBoxLayout(box);
    rows->setContentsMargins(12, 10, 12, 10);
    rows->setSpacing(6);
    return box;
}

QHBoxLayout *labelledRow(const QString &label, QWidget *control, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(new QLabel(label, parent));
    row->addStretch(1);
    if (control)
        row->addWidget(control);
    return row;
}

} // namespace

QString SettingsView::creditLine()
{
    return tr("Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, \u00A9 2026 The Corvane developers.");
}

SettingsView::SettingsView(Preferences &preferences, QWidget *parent) : QWidget(parent), preferences_(preferences)
{
    setFixedSize(formWidth, formHeight);
    const QColor base = palette().color(QPalette::Base);
    const QColor line = palette().color(QPalette::Mid);
    setStyleSheet(QStringLiteral("#settingsGroup { background: %1; border: 1px solid %2; border-radius: 8px; }")
                      .arg(base.name(), line.name()));

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(20, 16, 20, 16);
    form->setSpacing(6);

    QVBoxLayout *rows = nullptr;
    form->addWidget(sectionHeader(tr("Activation"), this));
    form->addWidget(group(this, rows));
    recorder_ = new HotKeyRecorderView(preferences, this);
    rows->addLayout(labelledRow(tr("Trigger shortcut"), recorder_, this));
    recorder_->setAccessibleName(tr("Trigger shortcut"));
    rows->addWidget(caption(tr("Press this shortcut from any app to open Corvane."), this));
    form->addSpacing(8);

    form->addWidget(sectionHeader(tr("Appearance"), this));
    form->addWidget(group(this, rows));
    auto *swatchRow = new QWidget(this);
    swatchRow->setAccessibleName(tr("Accent color"));
    auto *swatchLayout = new QHBoxLayout(swatchRow);
    swatchLayout->setContentsMargins(0, 0, 0, 0);
    swatchLayout->setSpacing(10 - 2 * AccentSwatch::ring);
    for (const AccentColor &accent : Preferences::accentPalette()) {
        auto *swatch = new AccentSwatch(accent.name, QColor::fromRgb(accent.rgb), swatchRow);
        swatchLayout->addWidget(swatch);
        swatchList_.append(swatch);
        connect(swatch, &AccentSwatch::clicked, this, [this, name = accent.name] { this->preferences_.setAccentName(name); });
    }
    rows->addLayout(labelledRow(tr("Accent color"), swatchRow, this));
    form->addSpacing(8);

    form->addWidget(sectionHeader(tr("Apps"), this));
    form->addWidget(group(this, rows));
    onlyInstalled_ = new ToggleSwitch(this);
    onlyInstalled_->setAccessibleName(tr(PlatformProfile::onlyInstalledLabel));
    rows->addLayout(labelledRow(tr(PlatformProfile::onlyInstalledLabel), onlyInstalled_, this));
    rows->addWidget(caption(tr("When on, apps you don't have installed are hidden from the list."), this));
    connect(onlyInstalled_, &ToggleSwitch::toggled, this,
            [this](bool on) { this->preferences_.setOnlyInstalledApps(on); });
    form->addSpacing(8);

    form->addWidget(caption(creditLine(), this));
    form->addStretch(1);

    connect(&preferences, &Preferences::accentNameChanged, this, &SettingsView::syncFromPreferences);
    connect(&preferences, &Preferences::onlyInstalledAppsChanged, this, &SettingsView::syncFromPreferences);
    syncFromPreferences();
}

void SettingsView::syncFromPreferences()
{
    for (AccentSwatch *swatch : swatchList_)
        swatch->setSelected(swatch->name() == preferences_.accentName());
    if (onlyInstalled_->isChecked() != preferences_.onlyInstalledApps()) {
        const QSignalBlocker quiet(onlyInstalled_);
        onlyInstalled_->setChecked(preferences_.onlyInstalledApps());
    }
}
