#!/usr/bin/env bash
# with-x11.sh COMMAND [ARGS...]
#
# Runs COMMAND under a private X server (Xvfb) with the openbox window manager, in a temporary HOME
# with its own XDG folders, so that nothing of the user's desktop or files is seen or touched.
# Everything started here is stopped on exit; the exit code is COMMAND's.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "with-x11.sh: $tool is not installed (scripts/install-deps.sh test)" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvane-x11.XXXXXX")
xvfb_pid=""
wm_pid=""

cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$wm_pid" ] && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls `test_command` every 50 ms for up to `seconds`; fails when it never succeeds.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.05
  done
}

mkdir -p "$tmp/home" "$tmp/config" "$tmp/config-dirs" "$tmp/data" "$tmp/data-dirs" "$tmp/cache" "$tmp/runtime"
chmod 700 "$tmp/runtime"

# The server picks a free display number and writes it once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
if ! wait_for 20 test -s "$tmp/display"; then
  echo "with-x11.sh: Xvfb did not start" >&2
  cat "$tmp/xvfb.log" >&2
  exit 2
fi
export DISPLAY=":$(head -n1 "$tmp/display")"

export HOME="$tmp/home"
export XDG_CACHE_HOME="$tmp/cache"
export XDG_RUNTIME_DIR="$tmp/runtime"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
export NO_AT_BRIDGE=1 QT_ACCESSIBILITY=0
# Sanitizer builds: known reports from the system's X11 libraries (see the file).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/asan.supp"

# openbox still reads its default configuration from the system folders.
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() {
  kill -0 "$wm_pid" 2>/dev/null || return 2
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
if ! wait_for 20 wm_ready; then
  echo "with-x11.sh: openbox did not start" >&2
  cat "$tmp/openbox.log" >&2
  exit 2
fi

# The command sees only its own (empty) configuration and data folders.
export XDG_CONFIG_HOME="$tmp/config"
export XDG_CONFIG_DIRS="$tmp/config-dirs"
export XDG_DATA_HOME="$tmp/data"
export XDG_DATA_DIRS="$tmp/data-dirs"

"$@"
exit $?
