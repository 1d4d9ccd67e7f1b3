#include "panel/ui/CorvaneRootView.h"

#include "catalogue/ui/AppIconView.h"
#include "catalogue/ShortcutStore.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/ActiveAppChip.h"
#include "panel/ui/EmptyStateView.h"
#include "panel/ui/PanelFooter.h"
#include "ui/PanelStyle.h"
#include "panel/ui/SectionListView.h"
#include "panel/ui/SymbolView.h"
#include "settings/Preferences.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

QWidget *divider(QWidget *parent)
{
    auto *line = new QWidget(parent);
    line->setFixedHeight(1);
    line->setAttribute(Qt::WA_StyledBackground);
    // The standard separator at 40 % opacity.
    line->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 26);"));
    return line;
}

} // namespace

CorvaneRootView::CorvaneRootView(PanelViewModel &vm, Preferences &preferences, IconLoader &icons,
                                 std::function<void()> onClose, QWidget *parent)
    : QWidget(parent), vm(vm), preferences(preferences), onClose(std::move(onClose))
{
    setFixedSize(cardWidth, cardHeight);
    setAttribute(Qt::WA_TranslucentBackground);

    headerBar = new QWidget(this);
    auto *headerLayout = new QHBoxLayout(headerBar);
    headerLayout->setContentsMargins(18, 14, 18, 14);
    headerLayout->setSpacing(10);
    headerLayout->addWidget(new SymbolView(QStringLiteral("magnifyingglass"), 16, PanelStyle::secondary(), headerBar));
    search = new QLineEdit(headerBar);
    search->setFrame(false);
    search->setFont(PanelStyle::font(18));
    search->setPlaceholderText(tr("Find a shortcut\u2026"));
    search->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = search->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, PanelStyle::primary());
    palette.setColor(QPalette::PlaceholderText, PanelStyle::tertiary());
    search->setPalette(palette);
    search->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; }"));
    headerLayout->addWidget(search, 1);
    chipView = new ActiveAppChip(icons, headerBar);
    headerLayout->addWidget(chipView);

    list = new SectionListView(vm, preferences, icons, this);
    emptyView = new EmptyStateView(this);
    auto *main = new QWidget(this);
    mainArea = new QStackedLayout(main);
    mainArea->addWidget(list);
    mainArea->addWidget(emptyView);

    footerBar = new PanelFooter(this);

    auto *card = new QVBoxLayout(this);
    card->setContentsMargins(0, 0, 0, 0);
    card->setSpacing(0);
    card->addWidget(headerBar);
    card->addWidget(divider(this));
    card->addWidget(main, 1);
    card->addWidget(divider(this));
    card->addWidget(footerBar);

    connect(search, &QLineEdit::textEdited, this, [this](const QString &text) { this->vm.setSearchText(text); });
    connect(&vm, &PanelViewModel::searchTextChanged, this, [this] {
        if (search->text() != this->vm.searchText())
            search->setText(this->vm.searchText());
    });
    connect(&vm, &PanelViewModel::sectionsChanged, this, &CorvaneRootView::modelChanged);
    connect(&vm, &PanelViewModel::collapsedChanged, this, &CorvaneRootView::modelChanged);
    connect(&vm, &PanelViewModel::selectionIndexChanged, this, &CorvaneRootView::modelChanged);
    connect(&preferences, &Preferences::accentNameChanged, this, &CorvaneRootView::accentChanged);
    accentChanged();
    modelChanged();
}

void CorvaneRootView::accentChanged()
{
    // Selected text in the search field takes the accent colour.
    QPalette p = search->palette();
    p.setColor(QPalette::Highlight, PanelStyle::withOpacity(QColor::fromRgb(preferences.accentColor()), 0.6));
    search->setPalette(p);
}

void CorvaneRootView::modelChanged()
{
    // The chip: the catalogue's name for the application in front, else the name it runs under.
    const auto &app = vm.activeApp();
    const auto &running = vm.activeRunningApp();
    QString name;
    if (app)
        name = app->name;
    else if (running)
        name = running->localizedName;
    std::optional<QString> iconFile;
    if (app && app->icon)
        iconFile = ShortcutStore::lastPathComponent(*app->icon);
    static_cast<ActiveAppChip *>(chipView)->setApp(name, app ? app->bundleId : std::nullopt, iconFile,
                                                   runningAppIcon(running));

    const bool empty = vm.sections().isEmpty();
    static_cast<EmptyStateView *>(emptyView)->setSearching(!vm.searchText().isEmpty());
    mainArea->setCurrentWidget(empty ? emptyView : static_cast<QWidget *>(list));
    static_cast<PanelFooter *>(footerBar)->setCount(vm.navigableCount());
}

QString CorvaneRootView::countText() const
{
    return static_cast<PanelFooter *>(footerBar)->countText();
}

void CorvaneRootView::focusSearch()
{
    search->setFocus(Qt::ActiveWindowFocusReason);
}

void CorvaneRootView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(rect());
    QPainterPath shape;
    shape.addRoundedRect(card, cornerRadius, cornerRadius);
    // Black at 35 % under a dark translucent fill, then a hairline outline inside the edge.
    painter.fillPath(shape, QColor(0, 0, 0, 89));
    painter.fillPath(shape, QColor(36, 36, 40, 200));
    PanelStyle::strokeRoundedInside(painter, card, cornerRadius, 1, PanelStyle::white(0.12));
}
