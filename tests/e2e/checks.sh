# shellcheck shell=bash
# What the end-to-end tests share. Source it (with a path from the script's own folder):
#
#   check DESCRIPTION COMMAND...     runs COMMAND, prints "ok   DESCRIPTION" or "FAIL DESCRIPTION" and
#                                    counts it in $passed or $failed
#   wait_for SECONDS COMMAND...      polls COMMAND until it succeeds, every $poll_seconds (0.05 unless
#                                    the script sets it); fails after SECONDS
#   summary NAME                     prints "NAME: N passed, M failed"; succeeds when nothing failed
#   require_tools NAME STATUS TOOL... exits with STATUS (the test's "skipped") naming the first TOOL
#                                    that is not installed
#   pids+=($!), stop_jobs            the test's background programs, ended the last started first
#   run_as_nobody_when_root ARGS...  makes $artifacts (an absolute path from then on); as root, runs
#                                    the script again with ARGS as the user nobody, who owns it
#                                    (compositors refuse root, and a desktop is a user's)
#   make_tmp NAME                    $tmp, a private folder, removed at exit after the programs in
#                                    $pids have ended
#   remove_tmp DIR                   removes DIR, a test's folder, with its runtime folder DIR/runtime
#   private_home                     HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_DATA_HOME and
#                                    XDG_RUNTIME_DIR (mode 0700) in $tmp, made and exported
#   start_bus                        a private session bus: prints its address and pid, one a line
#   atspi_launcher                   prints where at-spi-bus-launcher is (nothing when it is not)
#   start_accessibility_bus LAUNCHER LOG  a private session bus with the accessibility bus on it
#                                    (LAUNCHER's output in LOG), for the Qt programs started after it
#   add_sanitizer_env ARRAY          appends the sanitizers' settings that are set (NAME=VALUE) to
#                                    ARRAY, for programs started with a clean environment
#   session_processes PROGRAM RUNTIME_DIR  the pids of PROGRAM running with that XDG_RUNTIME_DIR
#                                    (other sessions may run the same binary)
#
# A program started in the background must be the job itself (not a subshell or a pipeline around
# it), so that its $! is the process stop_jobs ends.

passed=0
failed=0
check() {
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1)); echo "ok   $what"
  else
    failed=$((failed + 1)); echo "FAIL $what"
  fi
}

wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep "${poll_seconds:-0.05}"
  done
}

summary() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

require_tools() {
  local name=$1 status=$2 tool; shift 2
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "${name:+$name: }$tool is not installed (scripts/install-deps.sh test)"; exit "$status"; }
  done
}

pids=()
stop_jobs() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
}

run_as_nobody_when_root() {
  mkdir -p "$artifacts"
  artifacts=$(readlink -f "$artifacts")
  if [ "$(id -u)" -eq 0 ] && [ -z "${CORVANE_AS_USER:-}" ]; then
    chown nobody:nogroup "$artifacts"
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups env CORVANE_AS_USER=1 "$0" "$@"
  fi
}

make_tmp() {
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvane-$1.XXXXXX")
  trap 'stop_jobs; remove_tmp "$tmp"' EXIT
}

# A document portal that a program of the test had started (over a bus of its own, launched on
# demand) may still hold its FUSE mount in the runtime folder, which rm cannot remove.
remove_tmp() {
  fusermount3 -u "$1/runtime/doc" 2>/dev/null
  rm -rf "$1"
}

# One Xvfb screen of GEOMETRY (WxHxD), DISPLAY set to it; exits 2 when it does not start.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  pids+=($!)
  wait_for 20 test -s "$tmp/display" || { echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 2; }
  export DISPLAY=":$(head -n1 "$tmp/display")"
}

private_home() {
  export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_CACHE_HOME="$tmp/home/.cache"
  export XDG_DATA_HOME="$tmp/home/.local/share" XDG_RUNTIME_DIR="$tmp/runtime"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

start_bus() { dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null; }

atspi_launcher() {
  local candidate
  for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && { echo "$candidate"; break; }
  done
  return 0
}

start_accessibility_bus() {
  local bus_pid
  { read -r DBUS_SESSION_BUS_ADDRESS; read -r bus_pid; } < <(start_bus)
  export DBUS_SESSION_BUS_ADDRESS
  pids+=("$bus_pid")
  "$1" --launch-immediately >"$2" 2>&1 &
  pids+=($!)
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  unset NO_AT_BRIDGE QT_ACCESSIBILITY
}

# The program on a private X server with the accessibility bus on a private session bus, as a screen
# reader finds it; returns once it listens for requests. Its log is $HOME/corvane.log.
start_corvane_for_atspi() {  # BUILD_DIR BUS_LAUNCHER
  # The bus launcher reads its settings schema from the system folders.
  export XDG_DATA_DIRS="$XDG_DATA_DIRS:/usr/local/share:/usr/share"
  # with-x11.sh turns accessibility off for the other tests; here it is the point.
  start_accessibility_bus "$2" "$HOME/bus-launcher.log"
  export QT_QPA_PLATFORM=xcb
  ${CORVANE_WRAPPER:-} "$1/bin/corvane" >"$HOME/corvane.log" 2>&1 &
  corvane_pid=$!
  pids+=($corvane_pid)
  wait_for 10 test -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket" || return 1
  # Reading the installed applications ends with the panel's list built anew: the readers wait for
  # it, so that no object they walk goes away under them.
  wait_for 30 grep -q "read the shortcuts of" "$HOME/corvane.log"
}

add_sanitizer_env() {
  local -n into_=$1
  local name
  for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [ -n "${!name:-}" ]; then into_+=("$name=${!name}"); fi
  done
  # Without /dev/dri, Mesa's EGL driver (loaded for a Wayland window's decoration) keeps one
  # allocation of its set-up and is unloaded before exit, so the leak's stack ends in a module no
  # suppression can name. Sanitized runs draw through shared memory instead: Qt's Wayland client
  # loads no EGL when no buffer integration of that name exists.
  if [ -n "${ASAN_OPTIONS:-}" ] && [ ! -e /dev/dri ]; then into_+=(QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none); fi
}

session_processes() {
  local pid
  for pid in $(pgrep -f "^$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$2" && echo "$pid"
  done
  return 0
}
