#!/usr/bin/env bash
# The panel as a screen reader reads it: the real program on a private X server, with the
# accessibility bus on a private session bus, read through AT-SPI (pyatspi) while xdotool types.
#
#   tests/e2e/atspi.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: atspi.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
for tool in dbus-daemon xdotool; do
  command -v "$tool" >/dev/null || { echo "atspi: $tool is not installed (scripts/install-deps.sh)"; exit 2; }
done
[ -n "$launcher" ] || { echo "atspi: at-spi-bus-launcher is not installed (scripts/install-deps.sh)"; exit 2; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "atspi: python3-pyatspi is not installed"; exit 2; }

exec "$here/../x11/with-x11.sh" bash -c '
  set -uo pipefail
  build=$1; here=$2; launcher=$3
  pids=()
  cleanup() { for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done; wait 2>/dev/null; }
  trap cleanup EXIT
  # with-x11.sh turns accessibility off for the other tests; here it is the point.
  unset NO_AT_BRIDGE QT_ACCESSIBILITY
  # The bus launcher reads its settings schema from the system folders.
  export XDG_DATA_DIRS="$XDG_DATA_DIRS:/usr/local/share:/usr/share"
  eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
    read -r address; read -r pid; echo "export DBUS_SESSION_BUS_ADDRESS=$address; bus_pid=$pid"; })"
  pids+=("$bus_pid")
  "$launcher" --launch-immediately >"$HOME/bus-launcher.log" 2>&1 &
  pids+=($!)
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
  ${CORVANE_WRAPPER:-} "$build/bin/corvane" >"$HOME/corvane.log" 2>&1 &
  corvane_pid=$!
  pids+=($corvane_pid)
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket" ] && break; sleep 0.1; done
  "$build/bin/corvane" --show
  # What the panel lists first, as the data tool computes it without a display.
  "$build/bin/corvane-data" panel "$build/share/corvane/ShortcutData" >"$HOME/panel.txt"
  /usr/bin/python3 "$here/atspi_check.py" "$HOME/panel.txt"
  status=$?
  # The Quit action of the desktop entry reaches the running program without the tray.
  "$build/bin/corvane" --quit
  for _ in $(seq 50); do kill -0 "$corvane_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$corvane_pid" 2>/dev/null; then echo "FAIL corvane --quit did not end the program"; status=1; fi
  [ $status -ne 0 ] && { echo "--- corvane log"; cat "$HOME/corvane.log"; }
  exit $status
' atspi "$build" "$here" "$launcher"
