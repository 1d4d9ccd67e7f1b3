#!/usr/bin/env bash
# Builds the benchmarks in Release (in build-bench, next to this folder), generates the synthetic
# catalogues once (kept in build-bench/catalogues), runs every benchmark and prints the table.
# Environment: JOBS (build jobs, default 2), REPETITIONS (default 5), MIN_TIME (seconds per
# repetition, default 0.1).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench

build=build-bench
jobs=${JOBS:-2}
repetitions=${REPETITIONS:-5}
min_time=${MIN_TIME:-0.1}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=OFF > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target bench_load bench_model bench_memory bench_report bench_panel corvane-bench-catalogue >&2

export CORVANE_BENCH_DATA="$PWD/$build/catalogues"
results="$build/results"
mkdir -p "$results"
bench_args=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
            --benchmark_min_time="$min_time" --benchmark_out_format=json)

echo "== load" >&2
# Interleaved repetitions: a load and its baseline see the same moments of a shared machine.
"$build/bin/bench_load" "${bench_args[@]}" --benchmark_enable_random_interleaving=true \
  --benchmark_out="$results/load.json" >&2
echo "== model" >&2
"$build/bin/bench_model" "${bench_args[@]}" --benchmark_out="$results/model.json" >&2
echo "== memory" >&2
: > "$results/memory.jsonl"
for n in 1000 10000 100000 1000000; do
  "$build/bin/bench_memory" "$n" >> "$results/memory.jsonl"
done

echo "== panel" >&2
"$build/bin/bench_panel" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_out_format=json --benchmark_out="$results/panel.json" >&2

{
  cpu=$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1)
  echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GB RAM;" \
       "$(uname -sr); $(c++ --version | head -1); Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6);" \
       "Release build; medians of $repetitions repetitions."
  echo
  "$build/bin/bench_report" "$results/load.json" "$results/model.json" "$results/memory.jsonl"
  echo
  echo "### The panel (median ms, wall time, offscreen platform)"
  echo
  echo "| shortcuts | show to first painted frame | keystroke to repainted panel |"
  echo "|---:|---:|---:|"
  for n in 100 100000; do
    show=$(grep -A20 "\"showToFirstFrame/$n/iterations:30/manual_time_median\"" "$results/panel.json" | sed -n 's/.*"real_time": \([0-9.e+-]*\).*/\1/p' | head -1)
    key=$(grep -A20 "\"keystrokeToRepaint/$n/iterations:80/manual_time_median\"" "$results/panel.json" | sed -n 's/.*"real_time": \([0-9.e+-]*\).*/\1/p' | head -1)
    printf '| %s | %.2f | %.2f |\n' "$n" "$show" "$key"
  done
} | tee "$results/table.md"
