#!/usr/bin/env bash
# Builds and runs every test twice: once plain, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; then, where clang's libFuzzer is at hand, fuzzes each reader of other
# programs' files for CORVANE_FUZZ_SECONDS (default 20; fuzz/README.md says how to fuzz for long).
# Without it the fuzz targets still run, as replays of their seed corpora, in both suites. Any
# failure, sanitizer report or fuzzing find fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)

run_suite() {
  local dir=$1; shift
  echo "== $dir: configure and build"
  cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs"
  echo "== $dir: tests"
  # X11 tests wait on a window manager; one retry keeps a slow moment of a shared machine from failing
  # the run. A retry is never silent: the tests that passed only on their retry are listed, and a test
  # that needs its retry in both suites fails the run, since that is a flake to fix, not to retry.
  local status=0
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --repeat until-pass:2 2>&1 | tee "$dir.ctest.log" ||
    status=$?
  local now
  now=$(retried_tests "$dir.ctest.log")
  if [ -n "$now" ]; then
    echo "== $dir: passed only on their retry: $(echo $now)"
    local again
    again=$(comm -12 <(sort -u <<<"$retried") <(sort -u <<<"$now"))
    if [ -n "$again" ]; then
      echo "== $dir: needed their retry in both suites (a flake to fix): $(echo $again)"
      status=1
    fi
    retried=$(printf '%s\n%s' "$retried" "$now")
  fi
  return "$status"
}

# Names of the tests that failed a run and passed a later one, from ctest's output.
retried_tests() {
  awk '/Test +#[0-9]+: / {
         name = $0; sub(/.*Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
         if ($0 ~ / Passed /) { if (name in failed) print name } else failed[name] = 1
       }' "$1" | sort -u
}
retried=""

mkdir -p build build-sanitize
# Tests on: a build folder that scripts/run.sh made leaves them out.
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=ON

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON

# libFuzzer is there when clang links a fuzz target.
if echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }' \
    | clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - > /dev/null 2>&1; then
  echo "== build-fuzz: configure and build the fuzz targets"
  mkdir -p build-fuzz
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON \
    -DCORVANE_TESTS=OFF -DCORVANE_FUZZ_SECONDS="${CORVANE_FUZZ_SECONDS:-20}" > build-fuzz.configure.log 2>&1 \
    || { cat build-fuzz.configure.log; exit 1; }
  cmake --build build-fuzz -j "$jobs" --target fuzzers
  echo "== build-fuzz: each target fuzzed for ${CORVANE_FUZZ_SECONDS:-20} s"
  ctest --test-dir build-fuzz -L fuzz --output-on-failure -j "$jobs"
else
  echo "== no clang with libFuzzer: the fuzz targets ran as replays of their seed corpora only"
fi

echo "All tests passed, plain and with sanitizers, and fuzzing found nothing."
