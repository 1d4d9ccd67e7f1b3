# A private, headless sway session for end-to-end tests. Source this file, then:
#
#   sway_session_start [WIDTHxHEIGHT] <CONFIG       starts sway with the test's configuration (the output
#                                                   at that size, default 1600x1000)
#   in_session COMMAND...                           runs COMMAND as the session's user, in its environment
#   sway_session_keyboard                           keeps a (virtual) keyboard plugged in
#   sway_session_bus                                a session bus with only what the test starts on it
#                                                   (no service activation), in session_env
#   sway_session_stop                               ends everything started with in_session_bg, then sway
#
# sway refuses to run as root: when the test runs as root, the whole session (sway and every client)
# runs as the unprivileged user SWAY_SESSION_USER (default nobody) through setpriv. The session's
# folders (home, config, runtime) are made in a temporary folder that user owns:
#   $session_home       HOME, with XDG_CONFIG_HOME=$session_home/.config
#   $session_runtime    XDG_RUNTIME_DIR (mode 0700)
# Extra variables for every command of the session go into the array session_env before the start
# (e.g. session_env+=(QT_QPA_PLATFORM=wayland)); the sanitizers' settings are passed on by
# themselves. After the start WAYLAND_DISPLAY and SWAYSOCK are set in it too.
#
# The panel as sway shows it: panel_node (its node in sway's tree, empty when it is not mapped),
# panel_shown, panel_hidden, panel_focused, and focused_app (the app id or name of the focused window).
#
# It also sources checks.sh, for `check`, `wait_for` and the rest.

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
session_env=()

sway_session_require() {  # the programs a test needs; exits 2 (skipped) naming the missing one
  require_tools "sway session" 2 sway swaymsg "$@"
}

sway_session_start() {
  local size=${1:-1600x1000}
  session_dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-sway.XXXXXX")
  chmod 755 "$session_dir"
  session_home=$session_dir/home
  session_runtime=$session_dir/runtime
  mkdir -p "$session_home/.config" "$session_home/.cache" "$session_home/.local/share" "$session_runtime"
  chmod 700 "$session_runtime"
  session_setpriv=()
  if [ "$(id -u)" -eq 0 ]; then
    local user=${SWAY_SESSION_USER:-nobody}
    local group
    group=$(id -gn "$user")
    chown -R "$user:$group" "$session_home" "$session_runtime"
    session_setpriv=(setpriv --reuid="$user" --regid="$group" --clear-groups)
  fi
  add_sanitizer_env session_env
  session_env=(
    HOME="$session_home" XDG_CONFIG_HOME="$session_home/.config" XDG_CACHE_HOME="$session_home/.cache"
    XDG_DATA_HOME="$session_home/.local/share" XDG_RUNTIME_DIR="$session_runtime"
    XDG_DATA_DIRS=/usr/local/share:/usr/share XDG_CONFIG_DIRS=/etc/xdg
    PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1
    "${session_env[@]}"
  )
  # The output's size, then the test's own configuration.
  { echo "output HEADLESS-1 mode $size position 0 0"; cat; } >"$session_dir/sway.config"
  chmod 644 "$session_dir/sway.config"
  in_session_bg "$session_dir/sway.log" sway --config "$session_dir/sway.config"
  sway_pid=$!
  local deadline=$((SECONDS + 20)) socket="" display=""
  while [ "$SECONDS" -lt "$deadline" ]; do
    socket=$(ls "$session_runtime"/sway-ipc.*.sock 2>/dev/null | head -n1)
    display=$(cd "$session_runtime" && ls wayland-? 2>/dev/null | head -n1)
    [ -n "$socket" ] && [ -n "$display" ] && in_session_env SWAYSOCK="$socket" swaymsg -t get_version >/dev/null 2>&1 && break
    kill -0 "$sway_pid" 2>/dev/null || break
    socket=""
    sleep 0.1
  done
  if [ -z "$socket" ]; then
    echo "sway session: sway did not start"; cat "$session_dir/sway.log"
    return 1
  fi
  session_env+=(WAYLAND_DISPLAY="$display" SWAYSOCK="$socket")
}

in_session_env() {  # in_session_env VAR=VALUE... COMMAND...: in_session with extra variables
  "${session_setpriv[@]}" env -i "${session_env[@]}" "$@"
}

in_session() { in_session_env "$@"; }

in_session_bg() {  # in_session_bg LOGFILE COMMAND...: in the background, output to LOGFILE; $! is its pid
  local log=$1; shift
  "${session_setpriv[@]}" env -i "${session_env[@]}" "$@" >"$log" 2>&1 &
  pids+=($!)
}

# A headless sway has no keyboard. Each wtype brings its own virtual keyboard and takes it away when
# it ends; with no keyboard left the seat loses its keyboard, and the focused client with it (Qt
# deactivates its window). A real session always has one: this one stays until the session ends.
sway_session_keyboard() {
  in_session_bg "$session_dir/keyboard.log" wtype -s 86400000
  sleep 0.3
}

sway_session_bus() {
  cat >"$session_dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$session_runtime</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
  chmod 644 "$session_dir/bus.conf"
  in_session_bg "$session_dir/bus.address" dbus-daemon --config-file="$session_dir/bus.conf" --nofork --print-address
  wait_for 10 test -s "$session_dir/bus.address" || return 1
  session_env+=(DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$session_dir/bus.address")")
}

sway_session_stop() {
  stop_jobs
  [ -n "${session_dir:-}" ] && remove_tmp "$session_dir"
}

tree() { in_session swaymsg -t get_tree; }
panel_node() { tree | jq -c '.. | objects | select(.app_id? == "org.corvane.Corvane")' | head -n1; }
panel_shown() { [ -n "$(panel_node)" ]; }
panel_hidden() { ! panel_shown; }
panel_focused() { [ "$(panel_node | jq -r .focused)" = true ]; }
focused_app() { tree | jq -r '.. | objects | select(.focused? == true) | .app_id // .name' | head -n1; }
