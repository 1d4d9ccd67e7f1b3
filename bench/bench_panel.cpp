// The panel on screen: time from show() to the first painted frame, and from a keystroke in the
// search field to the repainted list, over synthetic catalogues of 100 and 100,000 shortcuts.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "CatalogueGenerator.h"

#include "catalogue/ui/IconLoader.h"
#include "catalogue/ShortcutStore.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/CorvaneRootView.h"
#include "panel/ui/KeyPanel.h"
#include "panel/ui/PanelController.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/StaticWorkspace.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject {
public:
    QWidget *window = nullptr;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == window)
            ++paints;
        return false;
    }
};

// One loaded catalogue with a panel over it.
struct PanelRig {
    QTemporaryDir dir;
    MemoryDefaultsStore defaults;
    StaticWorkspace workspace;
    std::unique_ptr<ShortcutStore> store;
    std::unique_ptr<FavoritesStore> favorites;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<PanelViewModel> vm;
    IconLoader icons{nullptr, std::nullopt};
    std::unique_ptr<PanelController> controller;
    PaintCounter counter;

    explicit PanelRig(std::size_t shortcuts)
    {
        const std::string folder = dir.filePath(QStringLiteral("ShortcutData")).toStdString();
        CatalogueGenerator(8).write(folder, shortcuts, shortcuts >= 10000 ? 500 : 5);
        store = std::make_unique<ShortcutStore>(QString::fromStdString(folder), QStringLiteral("linux"));
        store->load();
        favorites = std::make_unique<FavoritesStore>(defaults);
        preferences = std::make_unique<Preferences>(defaults);
        vm = std::make_unique<PanelViewModel>(*store, *favorites, workspace, *preferences);
        controller = std::make_unique<PanelController>(*vm, *preferences, icons, [] { return std::nullopt; },
                                                       nullptr, QStringList());
        qApp->installEventFilter(&counter);
    }

    ~PanelRig() { qApp->removeEventFilter(&counter); }

    // Runs the event loop until the panel has painted again; returns the elapsed nanoseconds.
    qint64 untilPainted(const QElapsedTimer &timer, int paintsBefore)
    {
        counter.window = controller->panel();
        while (counter.paints == paintsBefore)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return timer.nsecsElapsed();
    }
};

// The rigs hold widgets: they go before the application does (see main).
std::map<std::size_t, std::unique_ptr<PanelRig>> &rigs()
{
    static std::map<std::size_t, std::unique_ptr<PanelRig>> all;
    return all;
}

PanelRig &rig(std::size_t shortcuts)
{
    auto &slot = rigs()[shortcuts];
    if (!slot)
        slot = std::make_unique<PanelRig>(shortcuts);
    return *slot;
}

void showToFirstFrame(benchmark::State &state)
{
    PanelRig &r = rig(std::size_t(state.range(0)));
    for (auto _ : state) {
        r.controller->hide();
        QCoreApplication::processEvents();
        const int before = r.counter.paints;
        QElapsedTimer timer;
        timer.start();
        r.controller->show();
        state.SetIterationTime(double(r.untilPainted(timer, before)) / 1e9);
    }
}

void keystrokeToRepaint(benchmark::State &state)
{
    PanelRig &r = rig(std::size_t(state.range(0)));
    r.controller->show();
    QCoreApplication::processEvents();
    QLineEdit *field = r.controller->panel()->content()->searchField();
    // Typing a word and deleting it again: growing, shrinking and empty searches.
    const QList<int> keys{Qt::Key_S, Qt::Key_A, Qt::Key_V, Qt::Key_E, Qt::Key_Backspace, Qt::Key_Backspace,
                          Qt::Key_Backspace, Qt::Key_Backspace};
    qsizetype next = 0;
    for (auto _ : state) {
        const int key = keys[next++ % keys.size()];
        const QString text = key == Qt::Key_Backspace ? QString() : QString(QChar(key).toLower());
        const int before = r.counter.paints;
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(field, &release);
        state.SetIterationTime(double(r.untilPainted(timer, before)) / 1e9);
    }
    r.controller->hide();
}

} // namespace

BENCHMARK(showToFirstFrame)->Arg(100)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(keystrokeToRepaint)->Arg(100)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(80);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rigs().clear();
    return 0;
}
