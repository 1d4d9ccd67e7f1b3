#!/usr/bin/env bash
# Builds Corvane, installs it for the current user under ~/.local (no root; scripts/uninstall.sh
# removes it again) and starts the installed program. Extra arguments go to the program
# (--show-on-launch, --toggle, ...). Installs only what building and running needs
# (scripts/install-deps.sh run); the tests' packages come with scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
# A build folder made here leaves the tests out: they need the test set's packages. One that is
# already configured (by scripts/test.sh, say) keeps its choice, and CMake reconfigures it by itself
# when a CMakeLists.txt changed.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=OFF > /dev/null
fi
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target corvane corvane-data corvane_dist_files
scripts/install-user.sh build
exec "$HOME/.local/bin/corvane" "$@"
