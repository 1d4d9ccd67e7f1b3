# Shared by the active-application tests on Wayland desktops (wayland-, kwin-, gnome-activeapp.sh):
# sourced after the script has read its arguments into `probe`, `app_window` and `artifacts`.
#
# As root, the script runs again as the user nobody (compositors refuse root, and a desktop is a
# user's); it gets a private home and runtime folder, `check` and `wait_for`, and the probe's output
# in $tmp/probe.out, read with `lastApp`, `is_last` and `seen_count`.

mkdir -p "$artifacts"
artifacts=$(readlink -f "$artifacts")
if [ "$(id -u)" -eq 0 ] && [ -z "${CORVANE_AS_USER:-}" ]; then
  chown nobody:nogroup "$artifacts"
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups env CORVANE_AS_USER=1 "$0" "${script_args[@]}"
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvane-activeapp.XXXXXX")
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/home/.config
export XDG_DATA_HOME=$tmp/home/.local/share
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1)); echo "ok   $what"
  else
    failed=$((failed + 1)); echo "FAIL $what"
  fi
}
wait_for() {  # wait_for SECONDS COMMAND...: polls every 100 ms
  local deadline=$((SECONDS + $1)); shift
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}
# A private session bus: its address and pid, one a line.
start_bus() { dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null; }

lastApp() { grep '^lastApp ' "$tmp/probe.out" | tail -n1 | cut -d' ' -f2-; }
is_last() { [ "$(lastApp)" = "$1" ]; }
seen_count() { grep -c "^seen $1\$" "$tmp/probe.out"; }
lastApp_lines() { grep -c '^lastApp ' "$tmp/probe.out"; }

# Stops early when the probe could not start following.
stop_unless_following() {
  [ "$failed" -eq 0 ] && return
  cat "$tmp/probe.out" "$tmp/probe.err"
  echo "$(basename "$0" .sh): $passed passed, $failed failed"
  exit 1
}
finish() {
  echo "--- probe output"; cat "$tmp/probe.out"
  grep -v -E '^$' "$tmp/probe.err" 2>/dev/null | tail -n 10 | sed 's/^/probe: /'
  echo "$(basename "$0" .sh): $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
