// Finding the program in front inside a terminal, as the panel does on every show, against the
// floor of listing /proc and reading every process's stat file once.
#include "platform/TerminalProcesses.h"

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

namespace {

// The terminal: CORVANE_BENCH_TERMINAL_PID (a terminal's or tmux server's process, whose shell runs
// this benchmark), else the process this benchmark runs under.
void programsInFront(benchmark::State &state)
{
    const TerminalProcesses processes;
    bool ok = false;
    qint64 terminal = qEnvironmentVariable("CORVANE_BENCH_TERMINAL_PID").toLongLong(&ok);
    if (!ok)
        terminal = qint64(::getppid());
    qsizetype found = 0;
    for (auto _ : state)
        found = processes.programsInFront(terminal).size();
    state.counters["programs"] = double(found);
}

void readEveryStat(benchmark::State &state)
{
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (!entry.at(0).isDigit())
                continue;
            QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
            if (stat.open(QIODevice::ReadOnly))
                bytes += stat.read(4096).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["processes"] = double(QDir(QStringLiteral("/proc")).entryList(QDir::Dirs).size());
}

} // namespace

BENCHMARK(programsInFront)->Unit(benchmark::kMillisecond);
BENCHMARK(readEveryStat)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
