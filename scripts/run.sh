#!/usr/bin/env bash
# Builds Corvane and runs it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

# The panel is not wired up yet: show what the catalogue holds.
if [ $# -eq 0 ]; then
  set -- stats build/share/corvane/ShortcutData
fi
exec build/bin/corvane-data "$@"
