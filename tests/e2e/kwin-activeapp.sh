#!/usr/bin/env bash
# The active application on Plasma: a real KWin (kwin_wayland --virtual) on a private session bus
# runs our KWin script, loaded by activeapp_probe as Corvane loads it; two test windows open in turn
# and a helper script of the test activates windows by their desktop file name. Then KWin restarts,
# and the script must be loaded into the new KWin.
#
#   tests/e2e/kwin-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR]
#
# As root, the test runs as the user nobody. Exits 77 (skipped) where KWin cannot start.
set -uo pipefail

probe=$(readlink -f "${1:?usage: kwin-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR]}")
app_window=$(readlink -f "${2:?usage: kwin-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR]}")
artifacts=${3:-/tmp/corvane-kwin-activeapp}
script_args=("$probe" "$app_window" "$artifacts")

here=$(dirname "$0")
. "$here/checks.sh"
require_tools kwin-activeapp 77 kwin_wayland dbus-daemon dbus-send
. "$here/activeapp-common.sh"

export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
bus=$(start_bus) || { echo "kwin-activeapp: no dbus-daemon"; exit 77; }
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
pids+=("$(sed -n 2p <<<"$bus")")

# kwin_wayland carries a file capability the sandbox may not grant; a copy runs without it.
cp "$(command -v kwin_wayland)" "$tmp/kwin_wayland"
start_kwin() {
  "$tmp/kwin_wayland" --virtual --no-lockscreen --socket wayland-corvane --width 1280 --height 800 \
    >>"$tmp/kwin.log" 2>&1 &
  kwin_pid=$!
  pids+=($kwin_pid)
}
start_kwin
on_bus() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
  "string:$1" | grep -q 'boolean true'; }
if ! wait_for 30 on_bus org.kde.KWin || ! wait_for 10 test -S "$XDG_RUNTIME_DIR/wayland-corvane"; then
  echo "kwin-activeapp: KWin did not start (skipped)"; tail -n 20 "$tmp/kwin.log"; exit 77
fi
export WAYLAND_DISPLAY=wayland-corvane QT_QPA_PLATFORM=wayland

# Activates the window whose desktop file name is $1, through a one-line KWin script of the test.
activate() {
  local file="$tmp/activate-$RANDOM.js"
  cat >"$file" <<JS
const windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (const w of windows) {
  if (w.desktopFileName === "$1") {
    if (workspace.windowList) workspace.activeWindow = w; else workspace.activeClient = w;
  }
}
JS
  local name="corvane-test-activate-$RANDOM"
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    "string:$file" "string:$name" >/dev/null
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
    "string:$name" >/dev/null
}

"$probe" kwin >"$tmp/probe.out" 2>"$tmp/probe.err" &
probe_pid=$!
pids+=($probe_pid)
check "KWin loads and starts our script" wait_for 15 grep -q '^following' "$tmp/probe.out"
stop_unless_following
check "the script reports our own window when KWin activates it" wait_for 15 grep -q '^seen org.corvane.Corvane' "$tmp/probe.out"

"$app_window" com.example.First >"$tmp/first.log" 2>&1 &
pids+=($!)
check "a new window, activated by KWin, is the active application" wait_for 15 is_last com.example.First
"$app_window" com.example.Second >"$tmp/second.log" 2>&1 &
pids+=($!)
check "a second window after it" wait_for 15 is_last com.example.Second

own=$(seen_count org.corvane.Corvane)
lines=$(lastApp_lines)
activate org.corvane.Corvane
check "the script reports our own window activated again" wait_for 10 test "$(seen_count org.corvane.Corvane)" -gt "$own"
check "our own window never becomes the active application" \
  test "$(lastApp_lines)" -eq "$lines" -a "$(lastApp)" = com.example.Second
activate com.example.First
check "the first window, activated again" wait_for 10 is_last com.example.First

# KWin restarts. A second probe that draws nothing on screen (so that it outlives KWin's Wayland
# clients) takes over from the first, and must have the script loaded again by the new KWin.
kill "$probe_pid"
wait_for 10 eval '! on_bus org.corvane.Corvane.ActiveWindow'
QT_QPA_PLATFORM=offscreen "$probe" kwin >"$tmp/probe2.out" 2>"$tmp/probe2.err" &
pids+=($!)
wait_for 15 grep -q '^following' "$tmp/probe2.out"
kill "$kwin_pid"
wait_for 10 eval '! on_bus org.kde.KWin'
start_kwin
wait_for 30 on_bus org.kde.KWin
check "the program notices that KWin is back" wait_for 15 grep -q 'KWin is back' "$tmp/probe2.err"
"$app_window" com.example.Third >"$tmp/third.log" 2>&1 &
pids+=($!)
check "the new KWin runs our script again: it reports a new window" wait_for 20 grep -q '^lastApp com.example.Third' "$tmp/probe2.out"
[ "$failed" -eq 0 ] || { echo "--- second probe"; cat "$tmp/probe2.out" "$tmp/probe2.err"; tail -n 20 "$tmp/kwin.log"; }

finish
