#!/usr/bin/env bash
# The hot key through a desktop's GlobalShortcuts portal (version 2) in a headless sway session: the
# portal's press carries an activation token from the compositor, and the panel takes the keyboard
# with it. sway is told not to focus the panel by itself (no_focus), so only the token can give it
# the focus; a token is spent on the press it came with, never on a later one. The portal is our
# stand-in for a version 2 frontend (tests/platform/freedesktop/portal_frontend_v2.py) on a private
# session bus; the tokens are sway's own.
#
#   tests/e2e/wayland/sway-portal-e2e.sh BUILD_DIR
set -uo pipefail

build=$(cd "${1:?usage: sway-portal-e2e.sh BUILD_DIR}" && pwd)
corvane="$build/bin/corvane"
here=$(cd "$(dirname "$0")" && pwd)
frontend="$here/../../platform/freedesktop/portal_frontend_v2.py"

. "$here/sway-session.sh"
sway_session_require jq foot wtype dbus-daemon dbus-send
for program in corvane activation_token; do
  [ -x "$build/bin/$program" ] || { echo "sway-portal-e2e: $build/bin/$program is not built"; exit 1; }
done
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "sway-portal-e2e: python3-dbus or python3-gi is not installed"; exit 2; }

trap sway_session_stop EXIT

session_env+=(QT_QPA_PLATFORM=wayland QT_QPA_PLATFORMTHEME= XCURSOR_SIZE=24)
sway_session_start 1600x1000 <<CONF || exit 1
no_focus [app_id="org.corvane.Corvane"]
focus_on_window_activation focus
CONF
sway_session_keyboard

sway_session_bus || { echo "sway-portal-e2e: no session bus"; exit 1; }
in_session_bg "$session_dir/portal.log" /usr/bin/python3 "$frontend"
wait_for 10 grep -q ready "$session_dir/portal.log" || { echo "sway-portal-e2e: the portal did not start"; cat "$session_dir/portal.log"; exit 1; }

portal() {  # portal METHOD [ARG]: a call to the stand-in's control object; prints its answer
  in_session dbus-send --session --print-reply=literal --dest=org.freedesktop.portal.Desktop /control \
    "org.corvane.test.PortalControl.$1" "${@:2}"
}
press() { portal Press "string:${1:-}" | grep -q true; }  # the desktop's shortcut service reports a press
bound() { portal Calls | grep -q BindShortcuts; }

foot_focused() { [ "$(focused_app)" = foot ]; }
token() { in_session "$build/bin/activation_token"; }

in_session_bg "$session_dir/foot.log" foot --title e2e-foot sleep 600
wait_for 20 foot_focused || { echo "sway-portal-e2e: foot did not start"; cat "$session_dir/foot.log"; exit 1; }
in_session_bg "$session_dir/corvane.log" "$corvane"
corvane_pid=$!
check "the program takes the portal's GlobalShortcuts v2 for its hot key" \
  wait_for 20 grep -q "hot key backend: xdg portal GlobalShortcuts v2" "$session_dir/corvane.log"
check "and binds toggle-panel there" wait_for 10 bound

# Without a token sway leaves the focus where it is: the panel shows, the terminal keeps the keyboard.
press
check "a press without a token shows the panel" wait_for 10 panel_shown
sleep 0.7
check "without the focus (sway does not focus it by itself)" foot_focused
press
check "the next press hides it" wait_for 10 panel_hidden

first=$(token)
check "sway hands out an activation token" test -n "$first"
press "$first"
check "a press with the token shows the panel" wait_for 10 panel_shown
check "with the keyboard focus" wait_for 5 panel_focused
in_session wtype -k Escape
check "keys reach it: Escape hides it" wait_for 5 panel_hidden
wait_for 5 foot_focused

# A token serves its own press only. One that came with a press that hid the panel is still unused
# at sway; the next press, without a token, must not spend it.
press
wait_for 10 panel_shown
second=$(token)
press "$second"
check "a press with a token while the panel is shown hides it" wait_for 10 panel_hidden
press
check "the next press without a token shows it" wait_for 10 panel_shown
sleep 0.7
check "without the focus: the earlier token is not used again" foot_focused
press
wait_for 10 panel_hidden

kill "$corvane_pid"
wait "$corvane_pid" 2>/dev/null
check "the program's log holds no sanitizer report" sh -c "! grep -q Sanitizer '$session_dir/corvane.log'"
if [ "$failed" -gt 0 ]; then
  echo "--- corvane log"; cat "$session_dir/corvane.log"
  echo "--- portal log"; cat "$session_dir/portal.log"
fi
summary sway-portal-e2e
