#!/usr/bin/env bash
# Hot-key latency per desktop: the time from an injected press of the default key to the panel
# having the keyboard, PRESSES times (default 20) on each, in one run, on the test build (BUILD,
# default build): X11 with openbox (xdotool), sway with its stock configuration (wtype), GNOME Shell
# with gsd-media-keys (Mutter's remote desktop) and KWin with the KDE portal (fake input). Each
# desktop is the real one its end-to-end test drives. Prints medians, and each desktop against X11
# measured in the same run; a desktop whose test cannot start is left out.
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(readlink -f "${BUILD:-build}")
presses=${PRESSES:-20}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

measure() {  # NAME COMMAND...
  local name=$1; shift
  echo "== $name" >&2
  CORVANE_LATENCY_PRESSES=$presses "$@" >"$out/$name.log" 2>&1
  grep -o '^latency [0-9]*' "$out/$name.log" | cut -d' ' -f2 >"$out/$name.ms"
  [ -s "$out/$name.ms" ] || { echo "   no measurement (see below)" >&2; tail -n 5 "$out/$name.log" >&2; }
}
measure x11 tests/e2e/e2e.sh "$build" "$out/x11"
measure sway tests/e2e/wayland/sway-e2e.sh "$build" "$out/sway"
measure gnome tests/e2e/gnome/gnome-hotkey.sh "$build" "$build/bin/app_window" "$PWD" "$out/gnome"
measure kwin tests/e2e/wayland/kwin-hotkey.sh "$build" "$out/kwin"

python3 - "$out" <<'PY'
import statistics, sys, pathlib
out = pathlib.Path(sys.argv[1])
rows = []
for name, label in (("x11", "X11, openbox"), ("sway", "sway 1.7, stock config"),
                    ("gnome", "GNOME Shell 43, gsd-media-keys"), ("kwin", "KWin 5.27, xdg-desktop-portal-kde")):
    values = [int(v) for v in (out / f"{name}.ms").read_text().split()] if (out / f"{name}.ms").exists() else []
    rows.append((label, values))
base = statistics.median(rows[0][1]) if rows[0][1] else None
print("| desktop | presses | median ms | min | max | x X11 |")
print("|---|---:|---:|---:|---:|---:|")
for label, values in rows:
    if not values:
        print(f"| {label} | 0 | - | - | - | - |")
        continue
    median = statistics.median(values)
    ratio = f"{median / base:.2f}" if base else "-"
    print(f"| {label} | {len(values)} | {median:.0f} | {min(values)} | {max(values)} | {ratio} |")
PY
