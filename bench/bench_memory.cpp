// bench_memory SHORTCUTS: loads the synthetic catalogue of that size in this process and prints one
// JSON line: load time, peak and resident memory, heap in use, and the heap per shortcut beyond the
// characters of its strings.
#include "BenchCatalogues.h"
#include "ThreadClock.h"

#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/ShortcutStore.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t residentKb()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * std::size_t(sysconf(_SC_PAGESIZE)) / 1024;
}

std::size_t peakKb()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return std::size_t(usage.ru_maxrss);
}

qsizetype chars(const std::optional<QString> &text) { return text ? text->size() : 0; }

// UTF-16 bytes of the text the catalogue holds: every string of the decoded files, once, and the
// search text each entry adds (an entry builds its id when asked for; it stores none).
std::size_t stringBytes(const ShortcutStore &store)
{
    qsizetype total = 0;
    for (const AppShortcuts &app : store.apps()) {
        total += chars(app.bundleId) + chars(app.hostname) + app.name.size() + app.slug.size()
            + chars(app.source) + chars(app.icon);
        for (const QString &alias : app.aliases.value_or(QStringList()))
            total += alias.size();
        for (const Keymap &keymap : app.keymaps) {
            total += keymap.title.size();
            for (const QString &platform : keymap.platforms.value_or(QStringList()))
                total += platform.size();
            for (const ShortcutSection &section : keymap.sections) {
                total += section.title.size();
                for (const RawShortcut &shortcut : section.shortcuts)
                    total += shortcut.titleView().size() + shortcut.keyView().size() + shortcut.commentView().size() + chars(shortcut.action());
            }
        }
    }
    for (const auto &entries : store.entriesByApp()) {
        for (const ShortcutEntry &entry : entries)
            total += entry.searchText().size();
    }
    return std::size_t(total) * sizeof(char16_t);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " SHORTCUTS\n";
        return 2;
    }
    const std::size_t shortcuts = std::stoul(argv[1]);
    const std::string folder = BenchCatalogues().folder(shortcuts);

    malloc_trim(0);
    const std::size_t heapBefore = heapInUse();
    const std::size_t rssBefore = residentKb();

    ShortcutStore store(QString::fromStdString(folder), QStringLiteral("linux"));
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadClock::now();
    store.load();
    const double loadCpuMs = (ThreadClock::now() - cpuStart) * 1000;
    const double loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    malloc_trim(0);
    const std::size_t heap = heapInUse() - heapBefore;
    std::size_t entries = 0;
    for (const auto &list : store.entriesByApp())
        entries += std::size_t(list.size());
    const std::size_t strings = stringBytes(store);
    const std::size_t peak = peakKb();
    const std::size_t resident = residentKb();

    // The decoded records alone, as the store keeps them: decoded once more, to tell them apart from
    // the entries and indexes built over them.
    const std::size_t heapBeforeRecords = heapInUse();
    QList<AppShortcuts> records;
    {
        AppShortcutsDecoder decoder;
        for (const QString &file : ShortcutStore::dataFiles(QString::fromStdString(folder))) {
            if (auto result = decoder.decodeFile(file); result.app)
                records.append(std::move(*result.app));
        }
    }
    malloc_trim(0);
    const std::size_t recordBytes = heapInUse() - heapBeforeRecords;

    std::printf("{\"shortcuts\": %zu, \"entries\": %zu, \"load_ms\": %.1f, \"load_cpu_ms\": %.1f, \"peak_rss_kb\": %zu, "
                "\"rss_kb\": %zu, \"rss_before_kb\": %zu, \"heap_bytes\": %zu, \"string_bytes\": %zu, "
                "\"heap_per_shortcut\": %.1f, \"overhead_per_shortcut\": %.1f, \"records_per_shortcut\": %.1f}\n",
                shortcuts, entries, loadMs, loadCpuMs, peak, resident, rssBefore, heap, strings,
                double(heap) / double(entries), (double(heap) - double(strings)) / double(entries),
                double(recordBytes) / double(entries));
    return 0;
}
