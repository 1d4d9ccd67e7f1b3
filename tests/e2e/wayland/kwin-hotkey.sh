#!/usr/bin/env bash
# The hot key on stock Plasma, as a new user meets it: KWin (which hosts kglobalaccel) on a virtual
# output, the real xdg-desktop-portal with Plasma's own backend (xdg-desktop-portal-kde), Corvane with
# its default key. Keys are typed through KWin's fake-input protocol, which KWin offers to a program
# whose desktop entry lists it; KWin's view of its windows is read with a KWin script.
#
#   tests/e2e/wayland/kwin-hotkey.sh BUILD_DIR [ARTIFACT_DIR]
#
# With CORVANE_LATENCY_PRESSES=N it also prints the press-to-active latency of N presses ("latency
# MS" lines) for bench/. Exits 2 (skipped) where KWin or the KDE portal backend is not installed.
set -uo pipefail

build=$(cd "${1:?usage: kwin-hotkey.sh BUILD_DIR [ARTIFACT_DIR]}" && pwd)
artifacts=${2:-$build/e2e-artifacts/kwin-hotkey}
corvane="$build/bin/corvane"
fake_keys="$build/bin/fake_keys"
app_window=$(ls "$build"/bin/app_window "$build"/tests/platform/wayland/app_window 2>/dev/null | head -n1)
. "$(dirname "$0")/../checks.sh"
poll_seconds=0.02
require_tools kwin-hotkey 2 kwin_wayland dbus-daemon dbus-send
# The bus starts both when asked for them, as a Plasma session's bus does.
for service in org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.kde; do
  [ -f "/usr/share/dbus-1/services/$service.service" ] || { echo "kwin-hotkey: no $service on this machine"; exit 2; }
done
mkdir -p "$artifacts"

dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-kwin-hotkey.XXXXXX")
chmod 755 "$dir"
mkdir -p "$dir/home/.config" "$dir/home/.local/share/applications" "$dir/runtime"
chmod 700 "$dir/runtime"
# KWin offers its fake-input protocol to a program whose desktop entry asks for it.
cat >"$dir/home/.local/share/applications/org.corvane.FakeKeys.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Corvane test keyboard
Exec=$fake_keys
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
DESKTOP
run=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$dir/home" "$dir/runtime" "$artifacts"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# kwin_wayland carries a file capability (CAP_SYS_RESOURCE) that a container's bounding set may lack,
# which makes exec fail; a plain copy runs anywhere, without it.
cp /usr/bin/kwin_wayland "$dir/kwin_wayland" && chmod 755 "$dir/kwin_wayland"
env_=(HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
  XDG_CACHE_HOME="$dir/home/.cache" XDG_RUNTIME_DIR="$dir/runtime" XDG_DATA_DIRS=/usr/local/share:/usr/share
  XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
  PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-corvane)
add_sanitizer_env env_
session() { "${run[@]}" env -i "${env_[@]}" "$@"; }
session_bg() { "${run[@]}" env -i "${env_[@]}" "$@" & }
stop() {  # stop PID: asks, then insists
  kill "$1" 2>/dev/null || return 0
  local deadline=$((SECONDS + 5))
  while kill -0 "$1" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
  # Programs the bus started (the portal and its backend) go with their session.
  for pid in $(session_processes /usr/libexec/xdg-desktop-portal "$dir/runtime"); do stop "$pid"; done
  remove_tmp "$dir"
}
trap cleanup EXIT

session_bg dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >/dev/null 2>&1
pids+=($!)
wait_for 10 test -s "$dir/bus" || { echo "kwin-hotkey: no session bus"; exit 1; }
env_+=(DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$dir/bus")")
session_bg env QT_QPA_PLATFORM=offscreen "$dir/kwin_wayland" --virtual --no-lockscreen --width 1600 --height 1000 \
  --socket wayland-corvane >"$dir/kwin.log" 2>&1
pids+=($!)
wait_for 30 test -S "$dir/runtime/wayland-corvane" || { echo "kwin-hotkey: kwin did not start"; cat "$dir/kwin.log"; exit 1; }

# KWin's active window and the panel's frame, as KWin sees them.
kwin_state() {
  local probe script
  probe=$(date +%s%N)
  script="$dir/probe$probe.js"
  cat >"$script" <<JS
var a = workspace.activeClient;
print("PROBE$probe active " + (a ? a.resourceClass : "none"));
var all = workspace.clientList();
for (var i = 0; i < all.length; ++i)
  if (all[i].resourceClass == "org.corvane.Corvane" && all[i].caption == "Corvane")
    print("PROBE$probe panel " + all[i].frameGeometry.x + "," + all[i].frameGeometry.y + "," + all[i].frameGeometry.width + "," + all[i].frameGeometry.height);
print("PROBE$probe end");
JS
  chmod 644 "$script"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    string:"$script" string:"corvane-probe$probe" >/dev/null
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
  wait_for 5 grep -q "PROBE$probe end" "$dir/kwin.log"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
    string:"corvane-probe$probe" >/dev/null
  grep -o "PROBE$probe [a-z]* .*" "$dir/kwin.log" | sed "s/^PROBE$probe //"
}
active_is() { kwin_state | grep -qx "active $1"; }
panel_gone() { ! kwin_state | grep -q "^panel "; }

coproc KEYS { "${run[@]}" env -i "${env_[@]}" "$fake_keys" 2>"$dir/keys.err"; }
pids+=("$KEYS_PID")
read -r -t 20 answer <&"${KEYS[0]}"
[ "${answer:-}" = ready ] || { echo "kwin-hotkey: KWin offered no fake input"; cat "$dir/keys.err"; tail -n 20 "$dir/kwin.log"; exit 1; }
keys() { echo "$*" >&"${KEYS[1]}" && read -r -t 10 answer <&"${KEYS[0]}" && [ "$answer" = done ]; }

if [ -n "$app_window" ]; then
  session_bg "$app_window" com.example.Work >"$dir/work.log" 2>&1
  pids+=($!)
  check "a window to work in is active" wait_for 15 active_is com.example.Work
fi

session_bg "$corvane" >"$dir/corvane.log" 2>&1
corvane_pid=$!
pids+=("$corvane_pid")
check "Corvane starts" eval 'wait_for 20 sh -c "ls \"$dir/runtime\"/corvane-*.socket >/dev/null" && wait_for 10 grep -q "hot key backend" "$dir/corvane.log"'
check "it binds its key through the desktop portal" grep -q "hot key backend: xdg portal GlobalShortcuts" "$dir/corvane.log"
registered() {
  session dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel \
    org.kde.KGlobalAccel.allMainComponents 2>/dev/null | grep -q -i corvane
}
check "kglobalaccel lists Corvane's shortcut" wait_for 15 registered
check "no refusal or fallback is reported" sh -c "! grep -q -E 'refused|no global shortcuts|is in use' '$dir/corvane.log'"
sleep 0.5

press_and_time() {
  local start end
  start=$(date +%s%N)
  keys press "$1" || return 1
  wait_for 5 active_is org.corvane.Corvane || return 1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
ms=$(press_and_time ctrl+super+space)
check "the default key shows the panel as KWin's active window (${ms:-?} ms)" test -n "$ms"
geometry=$(kwin_state | sed -n 's/^panel //p')
# As on X11: centred on the 1600x1000 output, raised by a tenth of its height.
check "the panel is placed as on X11 ($geometry)" test "$geometry" = "440,130,720,540"
check "typing stays in the panel" eval 'keys type copy && active_is org.corvane.Corvane'
check "Escape hides it" eval 'keys press Escape && wait_for 5 panel_gone'
if [ -n "${CORVANE_LATENCY_PRESSES:-}" ]; then
  for ((i = 0; i < CORVANE_LATENCY_PRESSES; i++)); do
    ms=$(press_and_time ctrl+super+space) && echo "latency $ms"
    keys press Escape
    wait_for 5 panel_gone
  done
fi
kill "$corvane_pid"
check "the program ends on TERM" wait_for 10 sh -c "! kill -0 $corvane_pid"
check "the program's log holds no sanitizer report or foreign-thread timer" \
  sh -c "! grep -q -E 'Sanitizer|QBasicTimer' '$dir/corvane.log'"
cp "$dir/corvane.log" "$artifacts/kwin-corvane.log" 2>/dev/null
[ "$failed" -gt 0 ] && { echo "--- corvane log"; cat "$dir/corvane.log"; echo "--- kwin log"; grep -v PROBE "$dir/kwin.log" | tail -n 30; }
summary kwin-hotkey
