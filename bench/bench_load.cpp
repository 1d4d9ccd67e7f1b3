// Catalogue load (ShortcutStore::load) against the floor of reading and parsing the same files.
#include "BenchCatalogues.h"

#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/ShortcutStore.h"

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <filesystem>
#include <memory>

namespace {

void loadStore(benchmark::State &state, const std::string &folder)
{
    const QString path = QString::fromStdString(folder);
    std::size_t entries = 0;
    for (auto _ : state) {
        auto store = std::make_unique<ShortcutStore>(path, QStringLiteral("linux"));
        store->load();
        entries = 0;
        for (const auto &list : store->entriesByApp())
            entries += std::size_t(list.size());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = double(entries);
}

// Reading and decoding the files into records, without building entries or indexes.
void decodeOnly(benchmark::State &state, const std::string &folder)
{
    const QString path = QString::fromStdString(folder);
    for (auto _ : state) {
        auto decoded = std::make_unique<QList<AppShortcuts>>();
        AppShortcutsDecoder decoder;
        for (const QString &file : ShortcutStore::dataFiles(path)) {
            auto result = decoder.decodeFile(file);
            if (result.app)
                decoded->append(std::move(*result.app));
        }
        state.PauseTiming();
        decoded.reset();
        state.ResumeTiming();
    }
}

// Lists the folder, reads every ".json" file into a padded buffer and parses it with one parser;
// nothing else.
void parseOnly(benchmark::State &state, const std::string &folder)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        simdjson::dom::parser parser;
        bytes = 0;
        for (const auto &item : std::filesystem::directory_iterator(folder)) {
            if (item.path().extension() != ".json")
                continue;
            simdjson::padded_string text;
            if (simdjson::padded_string::load(item.path().string()).get(text))
                state.SkipWithError("cannot read a data file");
            simdjson::dom::element root;
            if (parser.parse(text).get(root))
                state.SkipWithError("cannot parse a data file");
            benchmark::DoNotOptimize(root);
            bytes += text.size();
        }
    }
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const BenchCatalogues catalogues;
    for (const BenchCatalogues::Size &size : BenchCatalogues::sizes()) {
        // A million shortcuts is measured for the panel only; loading it is timed once by bench_memory.
        if (size.shortcuts > 100000)
            continue;
        const std::string folder = catalogues.folder(size.shortcuts);
        const std::string n = std::to_string(size.shortcuts);
        benchmark::RegisterBenchmark(("load/" + n).c_str(), loadStore, folder)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("decode_only/" + n).c_str(), decodeOnly, folder)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("parse_only/" + n).c_str(), parseOnly, folder)->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
