#!/usr/bin/env bash
# Runs the model benchmarks of two builds one after the other, in one go, and prints each one's table
# (bench_report): BEFORE_BIN and AFTER_BIN are the bin folders of the two builds (each with
# bench_load, bench_model, bench_memory; bench_report is taken from AFTER_BIN). Both read the same
# synthetic catalogues (CORVANE_BENCH_DATA, generated on first use). On a shared machine compare
# the ratios each run measures against its own baseline (parse only, plain scan), not only times.
# Environment: REPETITIONS (default 5), MIN_TIME (default 0.1), MODEL_FILTER (a --benchmark_filter
# for bench_model; default all).
set -euo pipefail
before=${1:?usage: bench/compare.sh BEFORE_BIN AFTER_BIN OUT_DIR}
after=${2:?usage: bench/compare.sh BEFORE_BIN AFTER_BIN OUT_DIR}
out=${3:?usage: bench/compare.sh BEFORE_BIN AFTER_BIN OUT_DIR}
mkdir -p "$out/before" "$out/after"
args=(--benchmark_repetitions="${REPETITIONS:-5}" --benchmark_report_aggregates_only=true
      --benchmark_min_time="${MIN_TIME:-0.1}" --benchmark_out_format=json)
filter=${MODEL_FILTER:-.}

for side in before after; do
  bin=$before; [ "$side" = after ] && bin=$after
  echo "== $side: load" >&2
  "$bin/bench_load" "${args[@]}" --benchmark_enable_random_interleaving=true \
    --benchmark_out="$out/$side/load.json" >&2
done
for side in before after; do
  bin=$before; [ "$side" = after ] && bin=$after
  echo "== $side: model" >&2
  "$bin/bench_model" "${args[@]}" --benchmark_filter="$filter" --benchmark_out="$out/$side/model.json" >&2
done
: > "$out/before/memory.jsonl"
: > "$out/after/memory.jsonl"
for n in 1000 10000 100000 1000000; do
  "$before/bench_memory" "$n" >> "$out/before/memory.jsonl"
  "$after/bench_memory" "$n" >> "$out/after/memory.jsonl"
done
for side in before after; do
  echo "## $side"
  echo
  "$after/bench_report" "$out/$side/load.json" "$out/$side/model.json" "$out/$side/memory.jsonl"
  echo
done | tee "$out/tables.md"
