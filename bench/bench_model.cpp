// The panel model: rebuilds for the search field against a plain substring scan of the same
// words, the favourite toggle with refreshKeepingSelection, and moveSelection.
#include "BenchCatalogues.h"
#include "ModelFixture.h"
#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <sstream>

namespace {

struct Query {
    const char *name;
    const char *text;
};

// Words of the generator's vocabulary: common words, rare combinations, and words it never writes.
const Query queries[] = {
    {"empty", ""},
    {"1letter", "e"},
    {"1word_many", "file"},
    {"1word_few", "footnote"},
    {"1word_none", "zebra"},
    {"2words_many", "ctrl file"},
    {"2words_few", "snippet previous"},
    {"2words_none", "paste zebra"},
    {"3words_many", "ctrl shift e"},
    {"3words_few", "fold glossary recent"},
    {"3words_none", "copy tab zebra"},
};

std::vector<std::string> words(const char *text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// Keeps the fixture of the size being measured and drops the previous one, so that a run never
// holds two large catalogues at once.
class Fixtures {
public:
    explicit Fixtures(const BenchCatalogues &catalogues) : catalogues(catalogues) {}

    ModelFixture &at(std::size_t shortcuts)
    {
        if (!fixture || shortcuts != loaded) {
            fixture.reset();
            fixture = std::make_unique<ModelFixture>(catalogues.folder(shortcuts));
            loaded = shortcuts;
        }
        return *fixture;
    }

private:
    const BenchCatalogues &catalogues;
    std::unique_ptr<ModelFixture> fixture;
    std::size_t loaded = 0;
};

// One search typed or pasted into an empty field: only the assignment of the full text is timed.
void rebuild(benchmark::State &state, Fixtures &fixtures, std::size_t size, const char *text)
{
    ModelFixture &f = fixtures.at(size);
    PanelViewModel &vm = f.viewModel();
    const QString query = QString::fromUtf8(text);
    for (auto _ : state) {
        vm.setSearchText(QString());
        const double start = ThreadClock::now();
        vm.setSearchText(query);
        state.SetIterationTime(ThreadClock::now() - start);
    }
    state.counters["rows"] = double(vm.navigable().size());
    state.counters["sections"] = double(vm.sections().size());
}

void plainScan(benchmark::State &state, Fixtures &fixtures, std::size_t size, const char *text)
{
    ModelFixture &f = fixtures.at(size);
    const std::vector<std::string> queryWords = words(text);
    std::size_t matches = 0;
    for (auto _ : state) {
        matches = f.plainScan(queryWords);
        benchmark::DoNotOptimize(matches);
    }
    state.counters["rows"] = double(queryWords.empty() ? f.entryCount() : matches);
}

// The search typed one key at a time; the time is per keystroke.
void typing(benchmark::State &state, Fixtures &fixtures, std::size_t size, const char *text)
{
    PanelViewModel &vm = fixtures.at(size).viewModel();
    const QString query = QString::fromUtf8(text);
    for (auto _ : state) {
        vm.setSearchText(QString());
        const double start = ThreadClock::now();
        for (qsizetype n = 1; n <= query.size(); ++n)
            vm.setSearchText(query.left(n));
        state.SetIterationTime((ThreadClock::now() - start) / double(query.size()));
    }
}

// Return on a row in the middle of the unfiltered list: toggle its favourite, then refresh.
void favoriteToggle(benchmark::State &state, Fixtures &fixtures, std::size_t size)
{
    ModelFixture &f = fixtures.at(size);
    PanelViewModel &vm = f.viewModel();
    vm.setSearchText(QString());
    vm.moveSelection(qint64(vm.navigable().size() / 2));
    const qint64 selected = vm.selectionIndex();
    for (auto _ : state) {
        const auto entry = vm.selectedEntry();
        f.favorites().toggle(entry->id());
        vm.refreshKeepingSelection();
    }
    // An even number of toggles leaves the favourites as they were.
    if (state.iterations() % 2)
        f.favorites().toggle(vm.selectedEntry()->id());
    state.counters["rows"] = double(vm.navigable().size());
    if (vm.selectionIndex() != selected && vm.selectionIndex() != selected + 1)
        state.SkipWithError("the selection did not stay on its row");
}

// The full list of rows, made on first use after a rebuild: what a view pays that asks for
// navigable() rather than navigableCount().
void rowList(benchmark::State &state, Fixtures &fixtures, std::size_t size)
{
    PanelViewModel &vm = fixtures.at(size).viewModel();
    for (auto _ : state) {
        vm.setSearchText(QString());
        const double start = ThreadClock::now();
        benchmark::DoNotOptimize(vm.navigable().size());
        state.SetIterationTime(ThreadClock::now() - start);
    }
    state.counters["rows"] = double(vm.navigableCount());
}

void moveSelection(benchmark::State &state, Fixtures &fixtures, std::size_t size)
{
    PanelViewModel &vm = fixtures.at(size).viewModel();
    vm.setSearchText(QString());
    qint64 delta = 1;
    for (auto _ : state) {
        vm.moveSelection(delta);
        delta = -delta;
    }
    benchmark::DoNotOptimize(vm.selectionIndex());
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const BenchCatalogues catalogues;
    Fixtures fixtures(catalogues);
    for (const BenchCatalogues::Size &size : BenchCatalogues::sizes()) {
        const std::size_t n = size.shortcuts;
        const std::string suffix = "/" + std::to_string(n);
        for (const Query &query : queries) {
            benchmark::RegisterBenchmark(("rebuild/" + std::string(query.name) + suffix).c_str(), rebuild,
                                         std::ref(fixtures), n, query.text)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            if (*query.text) {
                benchmark::RegisterBenchmark(("plain_scan/" + std::string(query.name) + suffix).c_str(), plainScan,
                                             std::ref(fixtures), n, query.text)
                    ->Unit(benchmark::kMillisecond);
            }
        }
        benchmark::RegisterBenchmark(("typing/3words_few" + suffix).c_str(), typing, std::ref(fixtures), n,
                                     "fold glossary recent")
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        // The rest is measured up to 100,000 shortcuts.
        if (n > 100000)
            continue;
        benchmark::RegisterBenchmark(("favorite_toggle/" + std::to_string(n)).c_str(), favoriteToggle,
                                     std::ref(fixtures), n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("move_selection/" + std::to_string(n)).c_str(), moveSelection,
                                     std::ref(fixtures), n);
        benchmark::RegisterBenchmark(("row_list/" + std::to_string(n)).c_str(), rowList, std::ref(fixtures), n)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
