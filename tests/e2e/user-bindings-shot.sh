#!/usr/bin/env bash
# user-bindings-shot.sh BUILD_DIR OUTPUT.png
#
# The panel under Xvfb and openbox in a GNOME session's settings, with the user's own binding of
# "switch to workspace 1" set to Super+1 in GSettings (keyfile backend, private HOME): opens the
# panel with nothing else on screen (the desktop in front), searches for the binding, checks that
# corvane-data sees it customised, and takes a screenshot.
set -uo pipefail
build=$(cd "${1:?usage: user-bindings-shot.sh BUILD_DIR OUTPUT.png}" && pwd)
out=${2:?usage: user-bindings-shot.sh BUILD_DIR OUTPUT.png}
mkdir -p "$(dirname "$out")"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"
require_tools "" 2 Xvfb openbox xdotool import gsettings
make_tmp bindings

start_xvfb 1280x900x24
private_home
export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORM=xcb
# Reports from inside system libraries of X11 programs, not from our code.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}suppressions=$here/../x11/asan.supp"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1

gsettings set org.gnome.desktop.wm.keybindings switch-to-workspace-1 "['<Super>1']" || exit 2
"$build/bin/corvane-data" entries "$build/share/corvane/ShortcutData" --user-bindings 2>/dev/null \
  | grep '"customised":true' | grep -q 'switch-to-workspace-1' || { echo "FAIL corvane-data does not show the binding"; exit 1; }
echo "ok   corvane-data shows switch-to-workspace-1 customised"

"$build/bin/corvane" --show-on-launch >"$tmp/corvane.log" 2>&1 &
pids+=($!)
sleep 2
"$build/bin/corvane" --show
wait_for 10 xdotool search --classname corvane >/dev/null || { echo "FAIL no panel"; cat "$tmp/corvane.log"; exit 1; }
sleep 1
xdotool type --delay 40 "first workspace"
sleep 1.5
import -window root "$out"
echo "screenshot: $out"
