#!/usr/bin/env bash
# The hot key on stock GNOME, as a new user meets it: a real GNOME Shell (gnome-shell --headless, on
# Wayland) with the real gnome-settings-daemon media-keys plugin and GNOME's default key bindings
# (the schemas' defaults, in dconf), Corvane with its shell extension, keys typed through Mutter's
# remote-desktop interface (the headless seat has a keyboard only while such a session is open).
# What has the focus and where windows are is read through a test-only shell extension.
#
#   tests/e2e/gnome/gnome-hotkey.sh BUILD_DIR APP_WINDOW SOURCE_DIR [ARTIFACT_DIR]
#
# Checks: the default key shows the panel focused and centred, typing stays in it, Escape gives the
# focus back; a key set in GNOME's keyboard settings survives a restart of Corvane and works; the
# old default, which GNOME uses, is reported with the settings open. With CORVANE_LATENCY_PRESSES=N
# it also prints the press-to-focus latency of N presses ("latency MS" lines) for bench/.
# As root, it runs as the user nobody. Exits 77 (skipped) where GNOME Shell cannot start.
set -uo pipefail

build=$(readlink -f "${1:?usage: gnome-hotkey.sh BUILD_DIR APP_WINDOW SOURCE_DIR [ARTIFACT_DIR]}")
app_window=$(readlink -f "${2:?}")
source_dir=$(readlink -f "${3:?}")
artifacts=${4:-$build/e2e-artifacts/gnome-hotkey}
script_args=("$build" "$app_window" "$source_dir" "$artifacts")
corvane=$build/bin/corvane

here=$(dirname "$(readlink -f "$0")")
. "$here/../checks.sh"
require_tools gnome-hotkey 77 gnome-shell gnome-extensions gdbus dbus-daemon gsettings python3
[ -x /usr/libexec/gsd-media-keys ] || { echo "gnome-hotkey: gsd-media-keys is not installed (gnome-settings-daemon)"; exit 77; }
run_as_nobody_when_root "${script_args[@]}"
poll_seconds=0.02
make_tmp gnome-hotkey
private_home
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK GSETTINGS_BACKEND
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland

. "$here/gnome-session.sh"
gnome_session_start "$source_dir" || exit 77
export QT_QPA_PLATFORM=wayland QT_QPA_PLATFORMTHEME=

WAYLAND_DISPLAY=$gnome_display /usr/libexec/gsd-media-keys >"$tmp/gsd.log" 2>&1 &
pids+=($!)
coproc KEYS { python3 "$here/remote_keys.py" 2>"$tmp/keys.err"; }
pids+=("$KEYS_PID")
read -r -t 20 answer <&"${KEYS[0]}"
[ "${answer:-}" = ready ] || { echo "gnome-hotkey: no remote-desktop keyboard"; cat "$tmp/keys.err"; exit 1; }
keys() { echo "$*" >&"${KEYS[1]}" && read -r -t 10 answer <&"${KEYS[0]}" && [ "$answer" = done ]; }

custom=org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/corvane/
binding() { gsettings get "$custom" binding; }
start_corvane() {
  : >"$tmp/corvane.log"
  "$corvane" >>"$tmp/corvane.log" 2>&1 &
  corvane_pid=$!
  pids+=("$corvane_pid")
  wait_for 20 test -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket" && wait_for 10 grep -q "hot key backend" "$tmp/corvane.log" &&
    sleep 0.5
}
quit_corvane() { "$corvane" --quit >/dev/null 2>&1; wait_for 10 eval '! kill -0 "$corvane_pid" 2>/dev/null'; }
panel_focused() { [ "$(helper Focus)" = "('org.corvane.Corvane', 'Corvane')" ]; }
app_focused() { helper Focus | grep -q "^('com.example.Work',"; }

"$app_window" com.example.Work >"$tmp/work.log" 2>&1 &
pids+=($!)
check "a window to work in has the focus" wait_for 15 eval 'helper Activate com.example.Work >/dev/null && app_focused'

check "Corvane starts" start_corvane
check "it binds its key through GNOME's custom shortcut (another desktop's portal backend cannot)" \
  grep -q "hot key backend: .*gnome custom keybinding" "$tmp/corvane.log"
check "GNOME holds the default Ctrl+Super+Space for it" wait_for 10 eval '[ "$(binding)" = "'"'<Super><Control>space'"'" ]'
check "no conflict is reported for the default" eval '! grep -q "Corvane: hot key .* is " "$tmp/corvane.log"'
sleep 1  # gsd-media-keys grabs the new accelerator through the shell

# Press, then time until the panel has the focus.
press_and_time() {
  local start end
  start=$(date +%s%N)
  keys press "$1" || return 1
  wait_for 5 panel_focused || return 1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
ms=$(press_and_time ctrl+super+space)
check "the default key shows the panel with the keyboard focus (${ms:-?} ms)" test -n "$ms"
sleep 0.3
helper Screenshot "$artifacts/gnome-panel.png" >/dev/null
geometry=$(helper Geometry org.corvane.Corvane)
check "the panel is placed as on X11: centred, raised by a tenth ($geometry)" \
  eval 'helper Placed org.corvane.Corvane | grep -q true'
check "typing goes to the panel" eval 'keys type copy && panel_focused'
check "Escape hides it and gives the focus back" eval 'keys press Escape && wait_for 5 app_focused'

if [ -n "${CORVANE_LATENCY_PRESSES:-}" ]; then
  for ((i = 0; i < CORVANE_LATENCY_PRESSES; i++)); do
    ms=$(press_and_time ctrl+super+space) && echo "latency $ms"
    keys press Escape; wait_for 5 app_focused
  done
fi

# The user picks another key in GNOME's keyboard settings: after a restart it is still Corvane's.
check "Corvane quits" quit_corvane
gsettings set "$custom" binding '<Super>k'
check "a key set in GNOME's settings is taken at start" eval 'start_corvane && grep -q "hot key Super+K comes from the desktop" "$tmp/corvane.log"'
check "and never written over" eval '[ "$(binding)" = "'"'<Super>k'"'" ]'
sleep 1
check "that key shows the panel" eval 'helper Activate com.example.Work >/dev/null && keys press super+k && wait_for 5 panel_focused'
keys press Escape

# An older version's default, which GNOME itself uses: named in the log, the settings open.
check "Corvane quits again" quit_corvane
gsettings set "$custom" binding '<Shift><Super>space'
check "the old default is reported as GNOME's own" eval "start_corvane && wait_for 5 grep -q \"Corvane: hot key Shift+Super+Space is GNOME Shell's 'Switch input source backward'\" \"\$tmp/corvane.log\""
check "the settings open to record another key" wait_for 10 eval 'helper Windows | grep -q "Corvane Settings"'
helper Screenshot "$artifacts/gnome-conflict.png" >/dev/null
quit_corvane
check "no timer was left to a thread Qt does not own" eval '! grep -q QBasicTimer "$tmp/corvane.log"'

cp "$tmp/corvane.log" "$artifacts/gnome-corvane.log" 2>/dev/null
grep -E "Failed to grab|corvane" "$tmp/gsd.log" | tail -n 5 | sed 's/^/gsd: /'
grep -i -E 'JS ERROR' "$tmp/shell.log" | tail -n 5 | sed 's/^/shell: /'
summary gnome-hotkey
