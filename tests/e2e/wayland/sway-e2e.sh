#!/usr/bin/env bash
# End to end on Wayland, as a person in a sway session would use Corvane: a headless sway, a foot
# terminal to work in, and the real program as a native Wayland client; the session's own
# configuration is Debian's stock /etc/sway/config, plus the line Corvane suggests for its default
# key, Ctrl+Super+Space, which the stock configuration leaves free. Keys are typed with wtype, the
# windows are read back from sway's tree, screenshots are taken with grim.
#
#   tests/e2e/wayland/sway-e2e.sh BUILD_DIR [ARTIFACT_DIR]
set -uo pipefail

build=$(cd "${1:?usage: sway-e2e.sh BUILD_DIR [ARTIFACT_DIR]}" && pwd)
artifacts=${2:-$build/e2e-artifacts}
corvane="$build/bin/corvane"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"

. "$here/sway-session.sh"
sway_session_require wtype grim jq foot
for program in corvane corvane-data activation_token; do
  [ -x "$build/bin/$program" ] || { echo "sway-e2e: $build/bin/$program is not built"; exit 1; }
done

cleanup() {
  [ -n "${session_dir:-}" ] && cat "$session_dir/corvane.log" "$session_dir/requests.log" >"$artifacts/wayland-corvane.log" 2>/dev/null
  sway_session_stop
}
trap cleanup EXIT

# The session's environment: Corvane as a native Wayland client.
session_env+=(QT_QPA_PLATFORM=wayland QT_QPA_PLATFORMTHEME= XCURSOR_SIZE=24 XDG_CURRENT_DESKTOP=sway)
stock=/etc/sway/config
[ -r "$stock" ] || { echo "sway-e2e: $stock is missing (package sway)"; exit 1; }
sway_session_start 1600x1000 <<CONF || exit 1
include $stock
bindsym Ctrl+Mod4+space exec $corvane --toggle
CONF
sway_session_keyboard
settings_file="$session_home/.config/corvane/corvane.json"

key() { in_session wtype "$@"; }
hot_key() { key -M ctrl -M logo -k space -m logo -m ctrl; }

# A terminal to work in.
in_session_bg "$session_dir/foot.log" foot --title e2e-foot sh
wait_for 20 eval '[ "$(focused_app)" = foot ]' || { echo "sway-e2e: foot did not start"; cat "$session_dir/foot.log"; exit 1; }

in_session_bg "$session_dir/corvane.log" "$corvane"
corvane_pid=$!
socket="$session_runtime/corvane-$(stat -c %u "$session_runtime").socket"
wait_for 20 test -S "$socket" || { echo "sway-e2e: corvane did not start"; cat "$session_dir/corvane.log"; exit 1; }
alive() {
  kill -0 "$corvane_pid" 2>/dev/null && return 0
  echo "FAIL the program ended unexpectedly"; cat "$session_dir"/corvane*.log; exit 1
}
check "the program runs as a Wayland client and says so" \
  wait_for 5 grep -q "Corvane: session backends: wayland" "$session_dir/corvane.log"
# The default key is free in the stock configuration Corvane reads as sway's own bindings.
check "the default key conflicts with nothing in sway's stock configuration" \
  sh -c "! grep -q 'Corvane: hot key .* is ' '$session_dir/corvane.log'"

hot_key
check "the bound key shows the panel" wait_for 10 panel_shown
alive
check "the panel has the keyboard focus" wait_for 5 panel_focused
node=$(panel_node)
echo "     panel: $(echo "$node" | jq -c '{rect, window_rect, deco_rect, type, border}')"
rect=$(echo "$node" | jq -r '.rect | "\(.x),\(.y),\(.width),\(.height)"')
# sway floats a window of fixed size and centres it on the workspace it opens on: the 1600x1000
# output less the stock configuration's bar.
workspace=$(in_session swaymsg -t get_workspaces | jq -r '.[] | select(.focused) | .rect | "\(.x) \(.y) \(.width) \(.height)"')
read -r wx wy ww wh <<<"$workspace"
centred="$((wx + (ww - 720) / 2)),$((wy + (wh - 540) / 2)),720,540"
check "the panel floats, 720x540, centred on the workspace $ww x $wh ($rect)" test "$rect" = "$centred"
check "the panel floats" test "$(echo "$node" | jq -r .type)" = floating_con

# Typing goes to the search field at once; Down moves to the second row, Return marks it.
key -d 30 paste
sleep 0.3
# The rows the search gives, in the panel's order: foot, running sh (which has no section), first.
expected=$("$build/bin/corvane-data" panel "$here/../../../data/ShortcutData" --active foot --search paste |
  jq -r '.entries[]?' | sed -n 2p)
key -k Down -k Return
check "typed text filters, Down + Return marks the second match ($expected) in the settings file" \
  wait_for 5 grep -qF "\"$expected\"" "$settings_file"
in_session grim "$session_runtime/panel.png" && cp "$session_runtime/panel.png" "$artifacts/wayland-panel.png"
key -k Escape
check "Escape hides the panel" wait_for 5 panel_hidden
check "the terminal has the focus back" wait_for 5 eval '[ "$(focused_app)" = foot ]'

# For bench/hotkey-latency.sh: the time from the press to the panel having the keyboard.
if [ -n "${CORVANE_LATENCY_PRESSES:-}" ]; then
  for ((i = 0; i < CORVANE_LATENCY_PRESSES; i++)); do
    start=$(date +%s%N)
    hot_key
    wait_for 5 panel_focused && echo "latency $((($(date +%s%N) - start) / 1000000))"
    key -k Escape
    wait_for 5 eval '[ "$(focused_app)" = foot ]'
  done
fi

hot_key
check "the bound key shows it again" wait_for 10 panel_shown
check "with the focus" wait_for 5 panel_focused
hot_key
check "and a second press hides it" wait_for 10 panel_hidden

# Losing the focus closes the panel.
hot_key
wait_for 10 panel_focused
in_session swaymsg '[app_id="foot"] focus' >/dev/null
check "focusing the terminal hides the panel" wait_for 5 panel_hidden

alive
in_session "$corvane" --toggle >>"$session_dir/requests.log" 2>&1
check "corvane --toggle from a second process shows the panel" wait_for 5 panel_shown
check "with the focus" wait_for 5 panel_focused
in_session "$corvane" --toggle >>"$session_dir/requests.log" 2>&1
check "and hides it again" wait_for 5 panel_hidden
ours() { session_processes "$corvane" "$session_runtime" | wc -l; }  # programs of this session only
check "one program only" test "$(ours)" -eq 1
kill "$corvane_pid"
wait "$corvane_pid" 2>/dev/null

# The bound key with no program running: `corvane --toggle` becomes the program and shows the panel.
wait_for 5 test ! -S "$socket"
hot_key
check "the bound key starts the program, which shows the panel" wait_for 20 panel_shown
check "with the focus" wait_for 5 panel_focused
check "one program only" test "$(ours)" -eq 1
in_session "$corvane" --toggle >>"$session_dir/requests.log" 2>&1
wait_for 5 panel_hidden
for pid in $(session_processes "$corvane" "$session_runtime"); do kill "$pid"; done
wait_for 10 eval '[ "$(ours)" -eq 0 ]'

# Focus by activation token. With --show-on-launch the panel stays on screen when the terminal takes
# the focus; a request that carries a token from the compositor (as a launcher's would) gives the
# focus back to the panel, one without a token does not (sway only marks the window urgent).
in_session swaymsg focus_on_window_activation focus >/dev/null
in_session_bg "$session_dir/corvane-stay.log" "$corvane" --show-on-launch
corvane_pid=$!
wait_for 20 grep -q "session backends" "$session_dir/corvane-stay.log"
alive
hot_key
wait_for 10 panel_focused
in_session swaymsg '[app_id="foot"] focus' >/dev/null
wait_for 5 eval '[ "$(focused_app)" = foot ]'
sleep 0.5
check "with --show-on-launch the panel stays when the terminal takes the focus" panel_shown
in_session "$corvane" --show >>"$session_dir/requests.log" 2>&1
sleep 0.5
check "corvane --show without a token leaves the focus where it is" eval '[ "$(focused_app)" = foot ]'
token=$(in_session "$build/bin/activation_token")
check "the compositor hands out an activation token" test -n "$token"
in_session_env XDG_ACTIVATION_TOKEN="$token" "$corvane" --show >>"$session_dir/requests.log" 2>&1
check "corvane --show with the launcher's token gives the panel the focus" wait_for 5 panel_focused
sleep 0.3
in_session grim "$session_runtime/panel-token.png" && cp "$session_runtime/panel-token.png" "$artifacts/wayland-panel-activated.png"
key -k Escape
check "and the keyboard: Escape reaches it and hides it" wait_for 5 panel_hidden
kill "$corvane_pid"
wait "$corvane_pid" 2>/dev/null
cat "$session_dir/corvane-stay.log" >>"$session_dir/corvane.log"

# The requests' own processes, and those sway started for the bound key (their output is in sway's log).
check "the program's logs hold no sanitizer report" \
  sh -c "! cat '$session_dir/corvane.log' '$session_dir/requests.log' '$session_dir/sway.log' | grep -q Sanitizer"
if [ "$failed" -gt 0 ]; then
  echo "--- corvane log"; cat "$session_dir/corvane.log"
fi
summary sway-e2e
