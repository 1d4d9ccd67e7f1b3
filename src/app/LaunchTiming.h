#pragma once

// Start-up timing for benchmarks: a launcher that sets CORVANE_LAUNCHED_AT to the CLOCK_MONOTONIC time
// (nanoseconds) at which it started the program gets one log line when the tray and the panel are
// ready, "Corvane: ready N ms after launch". Without the variable nothing happens.
namespace LaunchTiming {
void reportReady();
}
