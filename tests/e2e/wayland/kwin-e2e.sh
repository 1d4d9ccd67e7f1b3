#!/usr/bin/env bash
# The panel under KWin (Plasma's compositor) on a virtual output: `corvane --toggle` from a second
# process shows it as KWin's active window and hides it again. KWin's own view of its windows is read
# with a KWin script (loaded over D-Bus, printing into KWin's log). KWin offers no virtual keyboard to
# ordinary clients, so keys are not typed here; the sway test covers them. KWin also says whether task
# bars and the task switcher list the panel.
#
#   tests/e2e/wayland/kwin-e2e.sh BUILD_DIR
set -uo pipefail

build=$(cd "${1:?usage: kwin-e2e.sh BUILD_DIR}" && pwd)
corvane="$build/bin/corvane"
. "$(dirname "$0")/../checks.sh"
poll_seconds=0.1
require_tools kwin-e2e 2 kwin_wayland dbus-daemon dbus-send

. "$(dirname "$0")/kwin-session.sh"
kwin_session_make kwin
kwin_session_run 1600 1000

panel_active() { kwin_state | grep -qx "active org.corvane.Corvane"; }
panel_gone() { ! kwin_state | grep -q "^panel "; }

session_bg "$corvane" >"$dir/corvane.log" 2>&1
corvane_pid=$!
pids+=($corvane_pid)
check "the program runs as a Wayland client" wait_for 20 grep -q "session backends: wayland" "$dir/corvane.log"
session "$corvane" --toggle >>"$dir/requests.log" 2>&1
check "corvane --toggle shows the panel as KWin's active window" wait_for 10 panel_active
geometry=$(kwin_state | sed -n 's/^panel //p')
check "the panel is 720x540 ($geometry)" sh -c "echo '$geometry' | grep -q ',720,540$'"
lists=$(kwin_state | sed -n 's/^lists //p')
# (Plasma's shell protocol has no hint for the pager: the pager still draws it while it is shown.)
check "task bars and the task switcher leave the panel out ($lists)" test "$lists" = "skipTaskbar=true skipSwitcher=true"
session "$corvane" --toggle >>"$dir/requests.log" 2>&1
check "a second toggle hides it" wait_for 10 panel_gone
session "$corvane" --show >>"$dir/requests.log" 2>&1
check "corvane --show shows it again, active" wait_for 10 panel_active
lists=$(kwin_state | sed -n 's/^lists //p')
check "and out of them again ($lists)" test "$lists" = "skipTaskbar=true skipSwitcher=true"
kill "$corvane_pid"
check "the program ends on TERM" wait_for 10 sh -c "! kill -0 $corvane_pid"
stop "$corvane_pid"
check "the program's logs hold no sanitizer report" sh -c "! cat '$dir/corvane.log' '$dir/requests.log' | grep -q Sanitizer"
[ "$failed" -gt 0 ] && { echo "--- corvane log"; cat "$dir/corvane.log"; echo "--- kwin log"; tail -n 30 "$dir/kwin.log"; }
summary kwin-e2e
