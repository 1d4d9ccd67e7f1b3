#!/usr/bin/env bash
# hostile-files.sh BUILD_DIR
#
# The real program under Xvfb with files in the user's folders that would hang a reader that opens
# whatever it finds: a FIFO named like a desktop entry, the discovery cache and the settings keyfile
# as FIFOs, and application icons that are a FIFO (named by path and found in the icon theme), a
# file of gigabytes and garbage. The panel is shown and searched (its section headers draw those
# applications' icons), an application folder changes (the entries are read again), and through all
# of it --show, --toggle and --quit keep answering.
set -uo pipefail
build=$(cd "${1:?usage: hostile-files.sh BUILD_DIR}" && pwd)
corvane="$build/bin/corvane"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"
require_tools "" 2 Xvfb openbox xdotool mkfifo timeout truncate
make_tmp hostile

start_xvfb 1280x900x24
private_home
export QT_QPA_PLATFORM=xcb GSETTINGS_BACKEND=keyfile
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}suppressions=$here/../x11/asan.supp"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_CURRENT_DESKTOP
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)

mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CACHE_HOME/corvane" "$XDG_CONFIG_HOME/glib-2.0/settings"
mkfifo "$XDG_DATA_HOME/applications/x.desktop" "$XDG_CACHE_HOME/corvane/discovered.json" \
  "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
# Installed applications of the catalogue whose icons are hostile: Alacritty's under both its ids.
icons="$tmp/icons"
mkdir -p "$icons" "$XDG_DATA_HOME/icons/hicolor/48x48/apps"
mkfifo "$icons/fifo.png" "$XDG_DATA_HOME/icons/hicolor/48x48/apps/corvane-fifo.png"
truncate -s 3G "$icons/huge.png"
head -c 4096 /dev/urandom >"$icons/broken.png"
printf 'P3\n2 2\n255\n255 0 0 255 0 0 255 0 0 255 0 0\n' >"$icons/red.ppm"
entry() {  # ID ICON
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=true\nIcon=%s\n' "$1" "$2" \
    >"$XDG_DATA_HOME/applications/$1.desktop"
}
entry Alacritty "$icons/fifo.png"
entry org.alacritty corvane-fifo
entry audacity "$icons/huge.png"
entry org.gnome.Evince "$icons/broken.png"
entry org.kde.dolphin "$icons/red.ppm"

"$corvane" >"$tmp/corvane.log" 2>&1 &
pids+=($!)
answers() { timeout -k 2 10 "$corvane" "$@" >/dev/null 2>&1; }
# A client started before the program holds its instance would become the program itself: the
# first one is sent once the program has set up its session (it logs its backends).
check "the program starts" wait_for 30 grep -q "session backends" "$tmp/corvane.log"
check "the program answers" answers --show
# Shown after start-up has settled (a panel shown while the program starts may lose the focus and hide).
sleep 1
check "the program answers --show" answers --show
check "the panel is shown" wait_for 10 sh -c 'xdotool search --onlyvisible --classname corvane >/dev/null'
# A search that leaves a few rows of many applications: their headers and icons are drawn.
panel=$(xdotool search --onlyvisible --classname corvane | head -n1)
xdotool windowactivate --sync "$panel" type --delay 30 copy
sleep 1
check "the program answers after the icons were asked for" answers --show
# A new entry beside the FIFO: GIO reports the change and the entries are read again.
printf '[Desktop Entry]\nType=Application\nName=Late\nExec=true\n' >"$XDG_DATA_HOME/applications/late.desktop"
sleep 1
for i in 1 2 3 4; do
  check "--toggle answers ($i)" answers --toggle
  sleep 0.3
done
check "the FIFO entry was passed by with a log line" grep -q "skipped the desktop entry .*x.desktop" "$tmp/corvane.log"
for icon in "$icons/fifo.png" "$XDG_DATA_HOME/icons/hicolor/48x48/apps/corvane-fifo.png" "$icons/huge.png" \
  "$icons/broken.png"; do
  check "the icon ${icon##*/} was passed by with a log line" grep -qF "skipped the icon file $icon" "$tmp/corvane.log"
done
check "--quit answers" answers --quit
check "the program ended" wait_for 10 sh -c "! kill -0 ${pids[-1]} 2>/dev/null"
[ "$failed" -eq 0 ] || { echo "--- corvane.log"; tail -n 20 "$tmp/corvane.log"; }
summary hostile-files
