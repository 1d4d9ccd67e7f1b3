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

dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-kwin.XXXXXX")
chmod 755 "$dir"
mkdir -p "$dir/home/.config" "$dir/runtime"
chmod 700 "$dir/runtime"
run=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$dir/home" "$dir/runtime"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# kwin_wayland carries a file capability (CAP_SYS_RESOURCE) that a container's bounding set may lack,
# which makes exec fail; a plain copy runs anywhere, without it.
cp /usr/bin/kwin_wayland "$dir/kwin_wayland" && chmod 755 "$dir/kwin_wayland"
env_=(HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_RUNTIME_DIR="$dir/runtime"
  PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-corvane)
add_sanitizer_env env_
session() { "${run[@]}" env -i "${env_[@]}" "$@"; }
# In the background, the program itself is the job (not a subshell around it), so that $! is the
# process to stop.
session_bg() { "${run[@]}" env -i "${env_[@]}" "$@" & }
stop() {  # stop PID: asks, then insists (KWin may sit out a TERM while it tears down its outputs)
  kill "$1" 2>/dev/null || return 0
  local deadline=$((SECONDS + 5))
  while kill -0 "$1" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
  remove_tmp "$dir"
}
trap cleanup EXIT

session_bg dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >/dev/null 2>&1
pids+=($!)
wait_for 10 test -s "$dir/bus" || { echo "kwin-e2e: no session bus"; exit 1; }
env_+=(DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$dir/bus")")
session_bg env QT_QPA_PLATFORM=offscreen "$dir/kwin_wayland" --virtual --no-lockscreen --width 1600 --height 1000 \
  --socket wayland-corvane >"$dir/kwin.log" 2>&1
pids+=($!)
wait_for 30 test -S "$dir/runtime/wayland-corvane" || { echo "kwin-e2e: kwin did not start"; cat "$dir/kwin.log"; exit 1; }

# KWin's active window and the program's windows, one line each, as KWin sees them. (A probe runs in
# a subshell, so its number comes from the clock.)
kwin_state() {
  local probes
  probes=$(date +%s%N)
  local script="$dir/probe$probes.js"
  cat >"$script" <<JS
var a = workspace.activeClient;
print("PROBE$probes active " + (a ? a.resourceClass : "none"));
var all = workspace.clientList();
for (var i = 0; i < all.length; ++i)
  if (all[i].resourceClass == "org.corvane.Corvane")
  {
    print("PROBE$probes panel " + all[i].frameGeometry.x + "," + all[i].frameGeometry.y + "," + all[i].frameGeometry.width + "," + all[i].frameGeometry.height);
    print("PROBE$probes lists skipTaskbar=" + all[i].skipTaskbar + " skipSwitcher=" + all[i].skipSwitcher);
  }
print("PROBE$probes end");
JS
  chmod 644 "$script"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    string:"$script" string:"corvane-probe$probes" >/dev/null
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
  wait_for 5 grep -q "PROBE$probes end" "$dir/kwin.log"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
    string:"corvane-probe$probes" >/dev/null
  grep -o "PROBE$probes [a-z]* .*" "$dir/kwin.log" | sed "s/^PROBE$probes //"
}
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
