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
    line->setStyleSheet(QStringLiteral("background: %1;").arg(PanelStyle::cssColor(PanelStyle::dividerColor())));
    return line;
}

} // namespace

CorvaneRootView::CorvaneRootView(PanelViewModel &vm, Preferences &preferences, IconLoader &icons,
                                 std::function<void()> onClose, QWidget *parent)
    : QWidget(parent), vm_(vm), preferences_(preferences), onClose_(std::move(onClose))
{
    setFixedSize(cardWidth, cardHeight);
    setAttribute(Qt::WA_TranslucentBackground);

    headerBar_ = new QWidget(this);
    auto *headerLayout = new QHBoxLayout(headerBar_);
    headerLayout->setContentsMargins(18, 14, 18, 14);
    headerLayout->setSpacing(10);
    headerLayout->addWidget(new SymbolView(QStringLiteral("magnifyingglass"), 16, PanelStyle::secondary(), headerBar_));
    search_ = new QLineEdit(headerBar_);
    search_->setFrame(false);
    search_->setFont(PanelStyle::font(18));
    search_->setPlaceholderText(tr("Find a shortcut\u2026"));
    search_->setAccessibleName(tr("Search shortcuts"));
    search_->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = search_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, PanelStyle::primary());
    palette.setColor(QPalette::PlaceholderText, PanelStyle::tertiary());
    search_->setPalette(palette);
    search_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; }"));
    headerLayout->addWidget(search_, 1);
    chipView_ = new ActiveAppChip(icons, headerBar_);
    headerLayout->addWidget(chipView_);

    list_ = new SectionListView(vm, preferences, icons, this);
    emptyView_ = new EmptyStateView(this);
    auto *main = new QWidget(this);
    mainArea_ = new QStackedLayout(main);
    mainArea_->addWidget(list_);
    mainArea_->addWidget(emptyView_);

    footerBar_ = new PanelFooter(this);

    auto *card = new QVBoxLayout(this);
    card->setContentsMargins(0, 0, 0, 0);
    card->setSpacing(0);
    card->addWidget(headerBar_);
    card->addWidget(divider(this));
    card->addWidget(main, 1);
    card->addWidget(divider(this));
    card->addWidget(footerBar_);

    connect(search_, &QLineEdit::textEdited, this, [this](const QString &text) { this->vm_.setSearchText(text); });
    connect(&vm, &PanelViewModel::searchTextChanged, this, [this] {
        if (search_->text() != this->vm_.searchText())
            search_->setText(this->vm_.searchText());
    });
    connect(&vm, &PanelViewModel::sectionsChanged, this, &CorvaneRootView::modelChanged);
    connect(&vm, &PanelViewModel::collapsedChanged, this, &CorvaneRootView::modelChanged);
    connect(&vm, &PanelViewModel::selectionIndexChanged, this, &CorvaneRootView::modelChanged);
    connect(&preferences, &Preferences::accentNameChanged, this, &CorvaneRootView::accentChanged);
    auto *footer = static_cast<PanelFooter *>(footerBar_);
    footer->setLabelStyle(preferences.keyLabelStyle());
    connect(&preferences, &Preferences::keyLabelStyleChanged, footer,
            [footer, &preferences] { footer->setLabelStyle(preferences.keyLabelStyle()); });
    accentChanged();
    modelChanged();
}

void CorvaneRootView::accentChanged()
{
    // Selected text in the search field takes the accent colour.
    QPalette p = search_->palette();
    p.setColor(QPalette::Highlight, PanelStyle::searchSelection(QColor::fromRgb(preferences_.accentColor())));
    p.setColor(QPalette::HighlightedText, PanelStyle::primary());
    search_->setPalette(p);
}

void CorvaneRootView::modelChanged()
{
    // The chip: the catalogue's name for the application in front, else the name it runs under.
    const auto &app = vm_.activeApp();
    const auto &running = vm_.activeRunningApp();
    QString name;
    if (app)
        name = app->name;
    else if (running)
        name = running->localizedName;
    // Inside a terminal: the program the user sees, then what it runs in ("Vim in tmux in xterm"),
    // with the program's icon.
    const QList<AppShortcuts> &inside = vm_.programsInFront();
    for (auto program = inside.crbegin(); program != inside.crend(); ++program)
        name = tr("%1 in %2", "a program in a terminal or multiplexer").arg(program->name, name);
    const AppShortcuts *iconApp = inside.isEmpty() ? (app ? &*app : nullptr) : &inside.first();
    std::optional<QString> iconFile;
    if (iconApp && iconApp->icon)
        iconFile = ShortcutStore::lastPathComponent(*iconApp->icon);
    static_cast<ActiveAppChip *>(chipView_)->setApp(name, iconApp ? iconApp->bundleId : std::nullopt, iconFile,
                                                   inside.isEmpty() ? running : std::nullopt);

    const bool empty = vm_.sections().isEmpty();
    static_cast<EmptyStateView *>(emptyView_)->setSearching(!vm_.searchText().isEmpty());
    mainArea_->setCurrentWidget(empty ? emptyView_ : static_cast<QWidget *>(list_));
    // The keyboard stays in the search field, so that is where a screen reader hears that nothing
    // matches (a change of the focused field's description is read out).
    const QString emptyText = empty ? static_cast<EmptyStateView *>(emptyView_)->text() : QString();
    emptyView_->setAccessibleName(emptyText);
    if (search_->accessibleDescription() != emptyText)
        search_->setAccessibleDescription(emptyText);
    static_cast<PanelFooter *>(footerBar_)->setCount(vm_.navigableCount());
}

QString CorvaneRootView::countText() const
{
    return static_cast<PanelFooter *>(footerBar_)->countText();
}

void CorvaneRootView::focusSearch()
{
    search_->setFocus(Qt::ActiveWindowFocusReason);
}

void CorvaneRootView::setBlurredBehind(bool blurred)
{
    if (blurred == blurredBehind_)
        return;
    blurredBehind_ = blurred;
    update();
}

void CorvaneRootView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(rect());
    QPainterPath shape;
    shape.addRoundedRect(card, cornerRadius, cornerRadius);
    // Black under a dark fill (translucent only over a blur), then a hairline outline inside the edge.
    painter.fillPath(shape, PanelStyle::cardShade());
    painter.fillPath(shape, PanelStyle::cardFill(blurredBehind_));
    PanelStyle::strokeRoundedInside(painter, card, cornerRadius, 1, PanelStyle::white(0.12));
}
