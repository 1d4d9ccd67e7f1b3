#!/usr/bin/env bash
# The active application in a Wayland session: sway, headless, with two native windows of known
# app ids (our test window and foot) and an xterm through XWayland, focused in turn with swaymsg.
# activeapp_probe follows them as Corvane does and shows a window of its own, which must never
# become the application the panel lists first.
#
#   tests/e2e/wayland-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR [CORVANE]]
#
# With CORVANE, the real program runs too: it must pick the foreign-toplevel list, and after
# `corvane --toggle` from a window that claims to be GNOME Text Editor, then from one that claims to
# be Kate, its panel lists that application first, marked as the application in front. The panel is
# read as a screen reader reads it, through AT-SPI on a private session bus (atspi_front_sections.py);
# screenshots 5-panel-editor.png, 6-panel-kate.png. Then from foot running Vim, Vim in tmux and
# less, the panel lists that program first, then tmux, then foot (7-, 8-, 9-panel-foot-*.png).
#
# sway refuses to run as root: as root, the whole test runs as the user nobody. Screenshots of each
# step are left in ARTIFACT_DIR.
set -uo pipefail

probe=$(readlink -f "${1:?usage: wayland-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR]}")
app_window=$(readlink -f "${2:?usage: wayland-activeapp.sh PROBE APP_WINDOW [ARTIFACT_DIR]}")
artifacts=${3:-/tmp/corvane-wayland-activeapp}
corvane=${4:+$(readlink -f "$4")}
script_args=("$probe" "$app_window" "$artifacts" $corvane)

here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"
require_tools wayland-activeapp 2 sway swaymsg foot grim jq
. "$here/activeapp-common.sh"

export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
cat >"$tmp/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1280x800
default_border normal
xwayland enable
CONF
sway -c "$tmp/sway.conf" >"$tmp/sway.log" 2>&1 &
sway_pid=$!
pids+=($sway_pid)
socket() { ls "$XDG_RUNTIME_DIR" | grep -m1 -E '^wayland-[0-9]+$'; }
if ! wait_for 20 socket >/dev/null; then
  echo "wayland-activeapp: sway did not start"; cat "$tmp/sway.log"; exit 1
fi
export WAYLAND_DISPLAY=$(socket)
export SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1)
wait_for 10 swaymsg -t get_version >/dev/null || { echo "wayland-activeapp: no sway IPC"; exit 1; }
export QT_QPA_PLATFORM=wayland

has_window() { swaymsg -t get_tree | grep -q "\"$1\": \"$2\""; }  # has_window FIELD VALUE
focus() { swaymsg "[$1=\"$2\"] focus" >/dev/null; }
shot() { grim "$artifacts/$1.png" 2>/dev/null; }

"$probe" >"$tmp/probe.out" 2>"$tmp/probe.err" &
pids+=($!)
check "the probe finds the foreign-toplevel protocol" wait_for 15 grep -q '^following' "$tmp/probe.out"
stop_unless_following
check "the probe's own window is mapped" wait_for 15 has_window app_id org.corvane.Corvane

"$app_window" com.example.First >"$tmp/first.log" 2>&1 &
pids+=($!)
wait_for 15 has_window app_id com.example.First
focus app_id com.example.First
check "a native window with a made-up app id becomes the active application" wait_for 10 is_last com.example.First
shot 1-first

# Terminals run a command of their own: nobody's login shell is nologin, which would close them at once.
foot --app-id foot -o dpi-aware=no sleep 600 >"$tmp/foot.log" 2>&1 &
pids+=($!)
wait_for 15 has_window app_id foot || { echo "--- foot did not map"; cat "$tmp/foot.log"; }
focus app_id foot
# Debian's foot.desktop has the id "foot".
check "foot, focused next, is the active application" wait_for 10 is_last foot
shot 2-foot

lines=$(lastApp_lines)
focus app_id org.corvane.Corvane
check "the source reports our own window when it has the focus" wait_for 10 grep -q '^seen org.corvane.Corvane' "$tmp/probe.out"
sleep 0.5
check "our own window never becomes the active application" \
  test "$(lastApp_lines)" -eq "$lines" -a "$(lastApp)" = foot
shot 3-own

focus app_id com.example.First
check "back to the first window" wait_for 10 is_last com.example.First

if command -v Xwayland >/dev/null && command -v xterm >/dev/null; then
  swaymsg exec 'xterm -e sleep 600' >/dev/null
  if wait_for 20 has_window class XTerm; then
    focus class XTerm
    # sway names an XWayland window by its class; Debian's xterm entry claims it (StartupWMClass).
    check "an XWayland window (xterm) through the same protocol" wait_for 10 is_last debian-xterm
    shot 4-xterm
    focus app_id foot
    check "a native window after the XWayland one" wait_for 10 is_last foot
  else
    echo "skip XWayland: xterm did not map"
  fi
fi

if [ -n "$corvane" ]; then
  export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
  bin=$(dirname "$corvane")
  # The accessibility bus, for reading the panel: a private session bus and the bus launcher on it.
  launcher=$(atspi_launcher)
  atspi=""
  if [ -n "$launcher" ] && command -v dbus-daemon >/dev/null && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    start_accessibility_bus "$launcher" "$tmp/bus-launcher.log"
    atspi=1
  fi
  check "the accessibility bus runs (at-spi2-core, python3-pyatspi: scripts/install-deps.sh test)" test -n "$atspi"
  "$corvane" >"$tmp/corvane.log" 2>&1 &
  corvane_pid=$!
  pids+=($corvane_pid)
  check "the program follows the foreign-toplevel list" wait_for 20 \
    grep -q 'Corvane: active application from wlr-foreign-toplevel' "$tmp/corvane.log"
  panel_shown() { swaymsg -t get_tree | grep -q '"app_id": "org.corvane.Corvane"'; }
  panel_for() {  # panel_for APP_ID SHOT: the panel opened from that application's window
    "$app_window" "$1" >"$tmp/$1.log" 2>&1 &
    pids+=($!)
    wait_for 15 has_window app_id "$1"
    focus app_id "$1"
    sleep 0.5
    "$corvane" --toggle >>"$tmp/corvane.log" 2>&1
    check "the panel opens from $1" wait_for 10 panel_shown
    if [ -n "$atspi" ]; then
      local front
      front=$("$bin/corvane-data" panel "$bin/../share/corvane/ShortcutData" --active "$1" | jq -r 'select(.isActive?) | .title')
      check "the panel read through AT-SPI, opened from $1, lists $front first" /usr/bin/python3 "$here/atspi_front_sections.py" "$front"
    fi
    sleep 1
    shot "$2"
    "$corvane" --toggle >>"$tmp/corvane.log" 2>&1
    wait_for 10 eval '! panel_shown'
  }
  panel_for org.gnome.TextEditor 5-panel-editor
  panel_for org.kde.kate 6-panel-kate
  # A terminal in front: foot running Vim, tmux, less. sway names no process, so Corvane looks among
  # the user's foot processes for the terminal with the latest input: the newest, not the other
  # foot's sleep.
  panel_from_foot() {  # panel_from_foot SHOT SECTION... -- COMMAND...
    local shot=$1; shift
    local sections=()
    while [ "$1" != -- ]; do sections+=("$1"); shift; done; shift
    foot -o dpi-aware=no "$@" >"$tmp/foot-$shot.log" 2>&1 &
    local foot_pid=$!
    pids+=($foot_pid)
    wait_for 15 eval "swaymsg -t get_tree | grep -q '\"pid\": $foot_pid'"
    sleep 1
    swaymsg "[pid=$foot_pid] focus" >/dev/null
    sleep 0.5
    "$corvane" --toggle >>"$tmp/corvane.log" 2>&1
    check "the panel opens from foot ($*)" wait_for 10 panel_shown
    check "${sections[*]} first, in front (AT-SPI)" /usr/bin/python3 "$here/atspi_front_sections.py" "${sections[@]}"
    shot "$shot"
    "$corvane" --toggle >>"$tmp/corvane.log" 2>&1
    wait_for 10 eval '! panel_shown'
    kill "$foot_pid" 2>/dev/null
  }
  if command -v vim >/dev/null && command -v tmux >/dev/null && [ -n "$atspi" ]; then
    panel_from_foot 7-panel-foot-vim Vim foot -- vim -u NONE -N
    panel_from_foot 8-panel-foot-tmux Vim tmux foot -- tmux -L corvane-e2e -f /dev/null new-session vim -u NONE -N
    tmux -L corvane-e2e kill-server 2>/dev/null
    panel_from_foot 9-panel-foot-less less foot -- less "$here/checks.sh"
  fi
  # The compositor ends the session: there is nothing to reconnect to, and Corvane must not linger.
  kill "$sway_pid"
  running() { local state; state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]; }  # zombies count as ended
  check "the program ends with the compositor" wait_for 10 eval '! running "$corvane_pid"'
  echo "--- corvane log"; cat "$tmp/corvane.log"
fi

finish
