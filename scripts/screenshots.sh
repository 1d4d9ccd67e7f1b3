#!/usr/bin/env bash
# Takes the pictures in docs/ from the real program on a private X server, as a user would see it.
#
#   scripts/screenshots.sh BUILD_DIR OUT_DIR light|dark 1|2
#
# light/dark: the desktop's background and tray; 1/2: the screen's scale. Needs what the end-to-end
# test needs and a colour scheme for the dark pictures (scripts/install-deps.sh pictures).
set -uo pipefail
"$(dirname "$0")/install-deps.sh" pictures || exit 1
build=$(cd "${1:?usage: screenshots.sh BUILD_DIR OUT_DIR light|dark 1|2}" && pwd)
mkdir -p "${2:?}" && out=$(cd "$2" && pwd)
theme=${3:-light}
scale=${4:-1}
corvane="$build/bin/corvane"
suffix="-$theme$([ "$scale" = 2 ] && echo '@2x')"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvane-shots.XXXXXX")
pids=()
cleanup() { for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT
xdo() { timeout 10 xdotool "$@"; }
wait_for() { local deadline=$((SECONDS + $1)); shift; until "$@" 2>/dev/null; do [ "$SECONDS" -ge "$deadline" ] && return 1; sleep 0.05; done; }

width=$((1280 * scale)); height=$((800 * scale))
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -dpi $((96 * scale)) -nolisten tcp 3>"$tmp/display" 2>/dev/null &
pids+=($!)
wait_for 20 test -s "$tmp/display" || { echo "Xvfb did not start"; exit 2; }
export DISPLAY=":$(head -n1 "$tmp/display")"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_RUNTIME_DIR="$tmp/run" XDG_DATA_DIRS=/usr/local/share:/usr/share
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP
mkdir -p "$XDG_CONFIG_HOME/corvane" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"

if [ "$theme" = dark ]; then bg='#1d2027'; tray=0x2a2d33; fg=white; else bg='#dfe3ea'; tray=0xc8c8c8; fg=black; fi
# A dark desktop gives Qt's own widgets (the settings, the tray menu) a dark palette, as a user's
# colour settings would: qt6ct with its "darker" scheme. The panel keeps its own colours.
scheme=/usr/share/qt6ct/colors/darker.conf
if [ "$theme" = dark ] && [ -f "$scheme" ]; then
  mkdir -p "$XDG_CONFIG_HOME/qt6ct"
  # Qt's own default font, so that the light and dark pictures differ in colour only.
  printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n[Fonts]\ngeneral="Sans Serif,9,-1,5,50,0,0,0,0,0"\n' \
    "$scheme" >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
  export QT_QPA_PLATFORMTHEME=qt6ct
elif [ "$theme" = dark ]; then
  echo "qt6ct is not installed: the settings and the tray menu keep Qt's light palette"
fi
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
sleep 0.5
xsetroot -solid "$bg"  # after openbox, which paints the root itself
trayer --edge bottom --align right --widthtype pixel --width $((80 * scale)) --heighttype pixel \
  --height $((24 * scale)) --tint "$tray" --transparent true --alpha 0 >/dev/null 2>&1 &
pids+=($!)
# Launch at login on, so the tray menu shows its tick (this home folder is thrown away).
mkdir -p "$XDG_CONFIG_HOME/autostart"
printf '[Desktop Entry]\nType=Application\nName=Corvane\nExec=%s\n' "$corvane" >"$XDG_CONFIG_HOME/autostart/org.corvane.Corvane.desktop"
# Two favourites, so the picture shows the Favourites section too.
cat >"$XDG_CONFIG_HOME/corvane/corvane.json" <<JSON
{"favoriteShortcutIDs": ["xterm|Selection and pasting|Select a word|doubleclick", "firefox|Windows and tabs|New tab|ctrl+t"]}
JSON
xterm -bg "$bg" -fg "$fg" -fa Monospace -fs $((10 * scale)) -title shots-xterm -geometry 70x16+$((40 * scale))+$((40 * scale)) &
pids+=($!)
wait_for 20 sh -c 'xdotool search --name "^shots-xterm$" >/dev/null'
"$corvane" >"$tmp/corvane.log" 2>&1 &
pids+=($!)
wait_for 20 test -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket" || { cat "$tmp/corvane.log"; exit 2; }
sleep 1

panel_shot() {  # NAME: the panel with a margin of desktop around it
  local w
  w=$(xdo search --classname '^corvane$' | while read -r id; do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && xwininfo -id "$id" | grep -q "Width: $((720 * scale))" && { echo "$id"; break; }; done)
  eval "$(xdo getwindowgeometry --shell "$w")"
  local m=$((24 * scale))
  import -window root -crop "$((WIDTH + 2 * m))x$((HEIGHT + 2 * m))+$((X - m))+$((Y - m))" "$out/$1$suffix.png"
}

xdo windowactivate --sync "$(xdo search --name '^shots-xterm$' | head -n1)"
for _ in 1 2 3 4 5; do xdo key --clearmodifiers super+shift+space; sleep 0.8; xdo search --classname '^corvane$' >/dev/null && break; done
sleep 0.5
panel_shot panel
xdo type --delay 30 "copy"
sleep 0.5
panel_shot search
xdo key ctrl+a BackSpace
xdo type --delay 30 "rectangle"
sleep 0.5
panel_shot sequence
xdo key Escape
sleep 0.3

"$corvane" --settings
wait_for 5 sh -c 'xdotool search --name "^Corvane Settings$" | head -n1 | xargs -r xwininfo -id | grep -q IsViewable'
sleep 0.6
import -window "$(xdo search --name '^Corvane Settings$' | head -n1)" "$out/settings$suffix.png"
xdo key Escape
sleep 0.3

# The tray menu, opened on the icon, with the tray and the icon in the picture.
icon=$(xdo search --classname '^corvane$' | while read -r id; do
  xwininfo -id "$id" | grep -Eq "Width: $((16 * scale))|Width: $((22 * scale))|Width: $((24 * scale))" && { echo "$id"; break; }; done)
if [ -n "$icon" ]; then
  eval "$(xdo getwindowgeometry --shell "$icon")"
  xdo mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  sleep 0.6
  import -window root -crop "$((440 * scale))x$((200 * scale))+$((width - 440 * scale))+$((height - 200 * scale))" "$out/tray$suffix.png"
  xdo key Escape
  sleep 0.4
fi
# Crops keep the screen's offsets; drop them so every viewer shows the picture alone.
for picture in "$out"/*"$suffix".png; do mogrify +repage "$picture"; done
echo "screenshots in $out ($theme, ${scale}x)"
