#pragma once

#include <QString>

// Start-up timing for benchmarks: a launcher that sets CORVANE_LAUNCHED_AT to the CLOCK_MONOTONIC time
// (nanoseconds) at which it started the program gets one log line per milestone, "Corvane: ready N ms
// after launch, C ms CPU" when the tray and the panel are ready, "Corvane: key bindings read N ms
// after launch, C ms CPU" when the user's own bindings have reached the catalogue; C is the CPU time of
// every thread of the process so far, which a busy machine changes less than the wall time N. Without
// the variable nothing happens.
namespace LaunchTiming {
void report(const QString &milestone);
inline void reportReady() { report(QStringLiteral("ready")); }
}
