#!/usr/bin/env bash
# End to end, as a person would use Corvane: a private X server with two monitors side by side,
# openbox, a tray, an xterm and the real program, driven with xdotool.
#
#   tests/e2e/e2e.sh BUILD_DIR [ARTIFACT_DIR]
#
# Screenshots of the panel and the settings window are left in ARTIFACT_DIR.
set -uo pipefail

build=$(cd "${1:?usage: e2e.sh BUILD_DIR [ARTIFACT_DIR]}" && pwd)
artifacts=${2:-$build/e2e-artifacts}
corvane="$build/bin/corvane"
mkdir -p "$artifacts"

here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"
require_tools e2e 2 Xvfb openbox xdotool xprop xwininfo xrandr trayer import xterm
make_tmp e2e
# xdotool, never waiting for ever (--sync waits for the window manager).
xdo() { timeout 10 xdotool "$@"; }

# Two 1280x900 monitors side by side. Xvfb ignores monitor definitions, so the layout needs a real
# X server with the dummy driver; without the rights to run one, one Xvfb screen stands in.
two_monitors=false
if [ "$(id -u)" -eq 0 ] && command -v Xorg >/dev/null; then
  Xorg -displayfd 3 -noreset -nolisten tcp -config "$here/dummy-two-monitors.conf" -logfile "$tmp/xorg.log" \
    3>"$tmp/display" >"$tmp/xorg.out" 2>&1 &
  pids+=($!)
  if wait_for 30 test -s "$tmp/display"; then
    export DISPLAY=":$(head -n1 "$tmp/display")"
    output=$(xrandr | awk '/ connected/{print $1; exit}')
    xrandr --setmonitor left 1280/338x900/238+0+0 "$output" >/dev/null &&
      xrandr --setmonitor right 1280/338x900/238+1280+0 none >/dev/null && two_monitors=true
  fi
fi
if ! $two_monitors; then
  [ -n "${DISPLAY:-}" ] && [ -s "$tmp/display" ] && { kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null; }
  : >"$tmp/display"
  start_xvfb 2560x900x24
  echo "note: one screen only (two monitors need root and Xorg's dummy driver)"
fi

private_home
export XDG_DATA_DIRS=/usr/local/share:/usr/share XDG_CONFIG_DIRS=/etc/xdg
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb
# Reports from inside system libraries of X11 programs, not from our code.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}suppressions=$here/../x11/asan.supp"

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "e2e: openbox did not start"; exit 2; }
trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 24 >"$tmp/trayer.log" 2>&1 &
pids+=($!)

xterm -class XTerm -title e2e-xterm -geometry 80x20+1400+500 &
pids+=($!)
wait_for 20 sh -c 'xdotool search --name "^e2e-xterm$" >/dev/null' || { echo "e2e: xterm did not start"; exit 2; }
xterm_window=$(xdo search --name '^e2e-xterm$' | head -n1)

"$corvane" >"$tmp/corvane.log" 2>&1 &
corvane_pid=$!
pids+=($corvane_pid)
wait_for 20 test -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket" || { echo "e2e: corvane did not start"; cat "$tmp/corvane.log"; exit 2; }

settings_file="$XDG_CONFIG_HOME/corvane/corvane.json"
# Stops at once when the program died: every later step would only time out.
alive() {
  kill -0 "$corvane_pid" 2>/dev/null && return 0
  echo "FAIL the program ended unexpectedly"; cat "$tmp/corvane.log"; exit 1
}

panel_window() { xdo search --classname '^corvane$' 2>/dev/null | while read -r w; do
    xwininfo -id "$w" | grep -q 'Width: 720' && { echo "$w"; break; }; done; }
is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
panel_shown() { local w; w=$(panel_window); [ -n "$w" ] && is_mapped "$w"; }
panel_hidden() { ! panel_shown; }
active_is() { [ "$(xdo getactivewindow 2>/dev/null)" = "$1" ]; }
geometry_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF} END{print x","y","w","h}'; }

# Brings a window to the front and waits until it has the keyboard: a window that has just mapped
# may not be managed yet, and then the window manager ignores the request.
activate() {
  local tries=0
  until active_is "$1"; do
    [ $tries -ge 10 ] && return 1
    xdo windowactivate --sync "$1" 2>/dev/null
    wait_for 1 active_is "$1" && return 0
    tries=$((tries + 1))
  done
}

press_until_shown() {  # the grab may take a moment after start-up: retry the press
  local tries=0
  while [ $tries -lt 10 ]; do
    xdo key --clearmodifiers "$1"
    wait_for 2 panel_shown && return 0
    tries=$((tries + 1))
  done
  return 1
}

# The hot key from another application, with the mouse on the right-hand monitor.
xdo mousemove 1900 300
activate "$xterm_window"
check "default hot key opens the panel" press_until_shown ctrl+super+space
alive
panel=$(panel_window)
check "panel takes the keyboard" wait_for 5 active_is "$panel"
geometry=$(geometry_of "$panel")
if $two_monitors; then
  # Centred on the right monitor's 1280x900, raised above the middle by a tenth of its height.
  check "panel is 720x540 at 1560,90 on the monitor under the mouse ($geometry)" test "$geometry" = "1560,90,720,540"
else
  check "panel is 720x540 at 920,90 on the screen ($geometry)" test "$geometry" = "920,90,720,540"
fi

xdo type --delay 40 "paste"
xdo key Down Return
check "Return marks the selected shortcut in the settings file" \
  wait_for 5 grep -q '"xterm|[^"]*Paste[^"]*"' "$settings_file"
import -window root -crop 760x580+1540+70 "$artifacts/panel.png" 2>/dev/null
xdo key Escape
check "Escape hides the panel, even with a search typed" wait_for 5 panel_hidden

# For bench/hotkey-latency.sh: the time from the press to the panel having the keyboard.
if [ -n "${CORVANE_LATENCY_PRESSES:-}" ]; then
  poll_seconds=0.005
  for ((i = 0; i < CORVANE_LATENCY_PRESSES; i++)); do
    activate "$xterm_window"
    start=$(date +%s%N)
    xdo key --clearmodifiers ctrl+super+space
    wait_for 5 active_is "$panel" && echo "latency $((($(date +%s%N) - start) / 1000000))"
    xdo key Escape
    wait_for 5 panel_hidden
  done
  poll_seconds=0.05
fi

xdo mousemove 300 300
xdo key --clearmodifiers ctrl+super+space
check "hot key shows it again" wait_for 5 panel_shown
# What is on the screen, before and after a Down that needs no scrolling: the highlight must move.
shown_panel=$(panel_window)
# The list below the header only: the search field's blinking caret is no move.
panel_picture() { import -window "$shown_panel" -crop 720x400+0+120 rgb:- 2>/dev/null | md5sum; }
# Settled first (two pictures alike), so that a late first paint is not taken for the move; then
# the move may take its time on a loaded machine.
before_down=$(panel_picture)
for _ in $(seq 20); do
  sleep 0.2
  now=$(panel_picture)
  [ "$now" = "$before_down" ] && break
  before_down=$now
done
nothing=$(md5sum </dev/null)
picture_moved() { local now; now=$(panel_picture); [ "$now" != "$before_down" ] && [ "$now" != "$nothing" ]; }
xdo key Down
check "Down moves the highlight on the screen" wait_for 5 picture_moved
check "the panel stays out of taskbars and pagers" \
  sh -c "xprop -id $shown_panel _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR && xprop -id $shown_panel _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_PAGER"
if $two_monitors; then
  geometry=$(geometry_of "$(panel_window)")
  check "it opens on the left monitor now that the mouse is there ($geometry)" test "$geometry" = "280,90,720,540"
fi
xdo mousemove --sync 1450 560 click 1
check "a click into the xterm hides it" wait_for 5 panel_hidden

alive
# Settings: record ctrl+alt+k as the new hot key.
"$corvane" --settings
check "corvane --settings opens the settings window" \
  wait_for 5 sh -c 'xdotool search --name "^Corvane Settings$" | head -n1 | xargs -r xwininfo -id | grep -q IsViewable'
settings=$(xdo search --name '^Corvane Settings$' | head -n1)
xdo windowactivate --sync "$settings" 2>/dev/null
sleep 0.3
import -window "$settings" "$artifacts/settings.png" 2>/dev/null
xdo key space          # the recorder has the focus: start recording
sleep 0.2
xdo key ctrl+alt+k
check "the recorder stores the new hot key" wait_for 5 grep -q '"hotKeyModifiers": 6144' "$settings_file"
xdo key Escape
check "Escape closes the settings when the recorder is not listening" \
  wait_for 5 sh -c "! xwininfo -id $settings | grep -q IsViewable"
activate "$xterm_window"
xdo key --clearmodifiers ctrl+super+space
sleep 1
check "the old combination no longer opens the panel" panel_hidden
xdo key --clearmodifiers ctrl+alt+k
check "the new combination does" wait_for 5 panel_shown
xdo key Escape
wait_for 5 panel_hidden

alive
"$corvane" --toggle
check "corvane --toggle from a second process shows the panel" wait_for 5 panel_shown
"$corvane" --toggle
check "and hides it again" wait_for 5 panel_hidden
check "a second launch started no second program" \
  test "$(session_processes "$corvane" "$XDG_RUNTIME_DIR" | wc -l)" -eq 1

# Quit from the tray menu: open it on the icon, then the last item.
tray_icon=$(xdo search --classname '^corvane$' 2>/dev/null | while read -r w; do
  xwininfo -id "$w" | grep -Eq 'Width: (1[6-9]|2[0-4])$' && is_mapped "$w" && { echo "$w"; break; }; done)
if [ -n "$tray_icon" ]; then
  eval "$(xdo getwindowgeometry --shell "$tray_icon")"
  xdo mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  sleep 0.5
  xdo key Up Return
else
  echo "note: no tray icon found"
fi
check "Quit Corvane from the tray menu ends the program" wait_for 10 sh -c "! kill -0 $corvane_pid"
wait "$corvane_pid" 2>/dev/null
status=$?
check "the program ended cleanly (exit status $status)" test "$status" -eq 0
check "the program's log holds no sanitizer report" sh -c "! grep -q 'Sanitizer' '$tmp/corvane.log'"
# Started while another program holds the stored combination (ctrl+alt+k): the refusal is
# logged and the settings open with the recorder listening, so another one can be pressed at once.
holder_in="$tmp/holder.in"
mkfifo "$holder_in"
"$build/bin/x11_grab_holder" hold 0x6b 0xc <"$holder_in" >"$tmp/holder.out" 2>&1 &
pids+=($!)
exec 4>"$holder_in"        # the grab is held until this end closes
wait_for 10 grep -q grabbed "$tmp/holder.out"
"$corvane" >"$tmp/corvane2.log" 2>&1 &
corvane_pid=$!
pids+=($corvane_pid)
check "a combination held by another program is reported" \
  wait_for 10 grep -q "Corvane: hot key .*K is in use by another program" "$tmp/corvane2.log"
check "the settings open by themselves" \
  wait_for 5 sh -c 'xdotool search --name "^Corvane Settings$" | head -n1 | xargs -r xwininfo -id | grep -q IsViewable'
sleep 0.3
import -window "$(xdo search --name '^Corvane Settings$' | head -n1)" "$artifacts/settings-recording.png" 2>/dev/null
xdo key ctrl+alt+m
check "the recorder is ready for another combination at once" \
  wait_for 5 grep -q '"hotKeyCode": 46' "$settings_file"
exec 4>&-
activate "$xterm_window"
check "and that one works" press_until_shown ctrl+alt+m
kill "$corvane_pid"

if [ "$failed" -gt 0 ]; then
  echo "--- corvane log"
  cat "$tmp/corvane.log"
fi
cp "$tmp/corvane.log" "$artifacts/corvane.log" 2>/dev/null

summary e2e
