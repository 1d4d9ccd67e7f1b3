#!/usr/bin/env bash
# The tray icon on Wayland, where only a StatusNotifier host (the tray of Plasma, waybar and other
# panels) can show it, in a headless sway session with a private session bus: a panel that starts
# after the program still gets the icon, also when its watcher comes up before its tray; a panel that
# starts again gets it again. The panel's tray is our stand-in for a watcher with one host
# (tests/platform/freedesktop/status_notifier_watcher.py), which reads the icon the way a tray does.
#
#   tests/e2e/wayland/sway-tray.sh BUILD_DIR
set -uo pipefail

build=$(cd "${1:?usage: sway-tray.sh BUILD_DIR}" && pwd)
corvane="$build/bin/corvane"
here=$(cd "$(dirname "$0")" && pwd)
tray="$here/../../platform/freedesktop/status_notifier_watcher.py"

. "$here/sway-session.sh"
sway_session_require dbus-daemon
[ -x "$corvane" ] || { echo "sway-tray: $corvane is not built"; exit 1; }
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "sway-tray: python3-dbus or python3-gi is not installed"; exit 2; }

trap sway_session_stop EXIT

session_env+=(QT_QPA_PLATFORM=wayland QT_QPA_PLATFORMTHEME=)
sway_session_start 1280x800 </dev/null || exit 1

sway_session_bus || { echo "sway-tray: no session bus"; exit 1; }

# What a tray drew of the icon: some size a panel uses, with the glyph on it.
icon_drawn() { grep -Eq "^icon (22x22|24x24) opaque [1-9]" "$1"; }

in_session_bg "$session_dir/corvane.log" "$corvane"
corvane_pid=$!
check "with no tray the program waits for one" \
  wait_for 20 grep -q "no tray yet; the icon appears when a tray starts" "$session_dir/corvane.log"

# The panel's watcher first, its tray a second later.
in_session_bg "$session_dir/tray1.log" /usr/bin/python3 "$tray" --host-after 1
tray_pid=$!
wait_for 10 grep -q ready "$session_dir/tray1.log" || { echo "sway-tray: the tray did not start"; cat "$session_dir/tray1.log"; exit 1; }
check "a tray that starts later gets the icon" wait_for 15 grep -q "^registered" "$session_dir/tray1.log"
check "only once its host is there" sh -c "grep -n '^host\|^registered' '$session_dir/tray1.log' | head -n1 | grep -q host"
check "the tray draws the glyph" wait_for 5 icon_drawn "$session_dir/tray1.log"
check "with the tooltip Corvane" wait_for 5 grep -q "^tooltip Corvane$" "$session_dir/tray1.log"

# The panel starts again (a crash, a new login of the panel).
kill "$tray_pid"
wait "$tray_pid" 2>/dev/null
in_session_bg "$session_dir/tray2.log" /usr/bin/python3 "$tray"
check "a tray that starts again gets the icon again" wait_for 15 grep -q "^registered" "$session_dir/tray2.log"
check "and draws it" wait_for 5 icon_drawn "$session_dir/tray2.log"

check "the program still runs" kill -0 "$corvane_pid"
kill "$corvane_pid"
check "and ends on TERM" wait_for 10 sh -c "! kill -0 $corvane_pid 2>/dev/null"
check "the program's log holds no sanitizer report" sh -c "! grep -q Sanitizer '$session_dir/corvane.log'"
if [ "$failed" -gt 0 ]; then
  echo "--- corvane log"; cat "$session_dir/corvane.log"
  echo "--- tray logs"; cat "$session_dir"/tray*.log
fi
summary sway-tray
