#include "panel/ui/PanelController.h"

#include "keys/KeyCodes.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelKeyTable.h"
#include "panel/PanelPlacement.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/CorvaneRootView.h"
#include "panel/ui/KeyPanel.h"
#include "platform/WindowSystem.h"
#include "panel/ui/SectionListView.h"

#include <limits>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>

PanelController::PanelController(PanelViewModel &vm, Preferences &preferences, IconLoader &icons,
                                 std::function<std::optional<RunningApp>()> lastApp, WindowSystem *windowSystem,
                                 const QStringList &arguments, QObject *parent)
    : QObject(parent),
      vm_(vm),
      preferences_(preferences),
      icons_(icons),
      lastApp_(std::move(lastApp)),
      windowSystem_(windowSystem),
      stayVisible_(arguments.contains(QStringLiteral("--show-on-launch")))
{
}

PanelController::~PanelController()
{
    removeKeyMonitor();
}

bool PanelController::isVisible() const
{
    return panel_ && panel_->isVisible();
}

void PanelController::show(const std::optional<QString> &bundleId, const std::optional<QString> &initialSearch,
                           const QSet<QString> &collapse, const ActivationRequest &request)
{
    vm_.setActiveApp(lastApp_ ? lastApp_() : std::nullopt, bundleId);
    if (initialSearch)
        vm_.setSearchText(*initialSearch);
    if (!collapse.isEmpty())
        vm_.setCollapsed(collapse);
    if (!panel_)
        createPanel();
    positionPanel();
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
    if (windowSystem_) {
        windowSystem_->keepOutOfTaskbars(panel_->windowHandle());
        windowSystem_->activate(panel_->windowHandle(), request);
    }
    panel_->content()->focusSearch();
    installKeyMonitor();
}

void PanelController::hide()
{
    removeKeyMonitor();
    if (panel_)
        panel_->hide();
}

void PanelController::toggle(const ActivationRequest &request)
{
    if (isVisible())
        hide();
    else
        show(request);
}

void PanelController::createPanel()
{
    panel_ = std::make_unique<KeyPanel>();
    QPointer<PanelController> self(this);
    panel_->setContent(new CorvaneRootView(vm_, preferences_, icons_, [self] {
        if (self)
            self->hide();
    }));
    connect(panel_.get(), &KeyPanel::resignedKey, this, &PanelController::resignedKey);
    panel_->winId();  // the native window exists from here on, for the window-system calls
    if (windowSystem_) {
        panel_->setCompositing(windowSystem_->isCompositing());
        panel_->content()->setBlurredBehind(windowSystem_->requestBlurBehind(
            panel_->windowHandle(), panel_->mask().isEmpty() ? QRegion(panel_->rect()) : panel_->mask()));
    }
}

void PanelController::positionPanel()
{
    QList<PanelPlacement::Screen> screens;
    std::optional<qsizetype> primary;
    const auto all = QGuiApplication::screens();
    for (QScreen *screen : all) {
        if (screen == QGuiApplication::primaryScreen())
            primary = screens.size();
        screens.append({screen->geometry(), screen->availableGeometry()});
    }
    if (const auto origin = PanelPlacement::panelOrigin(screens, primary, QCursor::pos()))
        panel_->move(*origin);
}

void PanelController::installKeyMonitor()
{
    if (keyMonitorInstalled_)
        return;
    qApp->installEventFilter(this);
    keyMonitorInstalled_ = true;
}

void PanelController::removeKeyMonitor()
{
    if (keyMonitorInstalled_ && qApp)
        qApp->removeEventFilter(this);
    keyMonitorInstalled_ = false;
}

void PanelController::resignedKey()
{
    if (!stayVisible_)
        hide();
}

bool PanelController::handleKeyDown(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const std::optional<quint32> code = KeyCodes::fromQtKey(qtKey, modifiers.testFlag(Qt::KeypadModifier));
    if (!code)
        return false;
    const PanelKeyTable::Action action = PanelKeyTable::action(*code, KeyCodes::fromQtModifiers(modifiers));
    const qint64 page = qMax(1, panel_ ? panel_->content()->sectionList()->pageRows() : 1);
    switch (action) {
    case PanelKeyTable::Action::ToggleFavorite:
        if (const auto entry = vm_.selectedEntry()) {
            vm_.favorites().toggle(entry->id());
            vm_.refreshKeepingSelection();
        }
        break;
    case PanelKeyTable::Action::Close:
        hide();
        break;
    case PanelKeyTable::Action::MoveDown:
        vm_.moveSelection(1);
        break;
    case PanelKeyTable::Action::MoveUp:
        vm_.moveSelection(-1);
        break;
    case PanelKeyTable::Action::PageDown:
        vm_.moveSelection(page);
        break;
    case PanelKeyTable::Action::PageUp:
        vm_.moveSelection(-page);
        break;
    case PanelKeyTable::Action::First:
        vm_.moveSelection(std::numeric_limits<qint64>::min());
        break;
    case PanelKeyTable::Action::Last:
        vm_.moveSelection(std::numeric_limits<qint64>::max());
        break;
    case PanelKeyTable::Action::CollapseSection: {
        // The selection moves on to the next row still listed (or the last one).
        const qsizetype at = vm_.selectionIndex();
        if (at >= vm_.navigableCount())
            break;
        const QString section = vm_.navigable().at(at).sectionID;
        qsizetype first = at;
        while (first > 0 && vm_.navigable().at(first - 1).sectionID == section)
            --first;
        vm_.toggleCollapsed(section);
        vm_.moveSelection(first - vm_.selectionIndex());
        break;
    }
    case PanelKeyTable::Action::ExpandAll:
        if (!vm_.collapsed().isEmpty())
            vm_.setCollapsed({});
        break;
    case PanelKeyTable::Action::PassOn:
        break;
    }
    return PanelKeyTable::swallows(action);
}

bool PanelController::eventFilter(QObject *watched, QEvent *event)
{
    // Key presses reach the filter once per widget they propagate through; act on the first only.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (handleKeyDown(key->key(), key->modifiers()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
