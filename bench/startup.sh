#!/usr/bin/env bash
# Start-up benchmark: builds Corvane and the tray-only floor program in Release (build-bench), then
# times each to a ready tray on a private X server with a tray and a private session bus, as every
# desktop session has one (without it Qt and GIO each start dbus-launch to look for one, which
# weighs on both programs and is no user's start). bench/startup.py prints the table.
# Environment: RUNS (launches per variant, default 9), PROGRAMS (generated application entries,
# default 150), JOBS (build jobs, default 2), BUILD (a build folder configured with -DCORVANE_BENCH=ON
# where corvane and bench_tray_floor are built, used as it is instead of a Release build in build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench

if [ -n "${BUILD:-}" ]; then
  export build=$BUILD
  [ -x "$build/bin/corvane" ] && [ -x "$build/bin/bench_tray_floor" ] \
    || { echo "startup.sh: build corvane and bench_tray_floor in $build first" >&2; exit 1; }
else
  export build=build-bench
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=OFF > "$build.configure.log" 2>&1 \
    || { cat "$build.configure.log"; exit 1; }
  cmake --build "$build" -j "${JOBS:-2}" --target corvane bench_tray_floor >&2
fi

run() {
  trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 24 >/dev/null 2>&1 &
  local tray=$!
  sleep 1
  dbus-run-session -- python3 bench/startup.py "$(readlink -f "$build")/bin/corvane" "$(readlink -f "$build")/bin/bench_tray_floor"
  local code=$?
  kill "$tray" 2>/dev/null
  wait "$tray" 2>/dev/null
  return $code
}
export -f run
exec tests/x11/with-x11.sh bash -c run
