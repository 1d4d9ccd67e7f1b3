#pragma once

#include <QString>

// Start-up timing for benchmarks: a launcher that sets CORVANE_LAUNCHED_AT to the CLOCK_MONOTONIC time
// (nanoseconds) at which it started the program gets one log line per milestone, "Corvane: ready N ms
// after launch" when the tray and the panel are ready, "Corvane: key bindings read N ms after launch"
// when the user's own bindings have reached the catalogue. Without the variable nothing happens.
namespace LaunchTiming {
void report(const QString &milestone);
inline void reportReady() { report(QStringLiteral("ready")); }
}
