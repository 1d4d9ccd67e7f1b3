#!/usr/bin/env bash
# Builds Corvane, installs it for the current user under ~/.local (no root; scripts/uninstall.sh
# removes it again) and starts the installed program. Extra arguments go to the program
# (--show-on-launch, --toggle, ...).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target corvane corvane-data corvane_dist_files
scripts/install-user.sh build
exec "$HOME/.local/bin/corvane" "$@"
