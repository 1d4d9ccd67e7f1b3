#!/usr/bin/env bash
# The panel as a screen reader reads it: the real program on a private X server, with the
# accessibility bus on a private session bus, read through AT-SPI (pyatspi) while xdotool types.
#
#   tests/e2e/atspi.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: atspi.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"

launcher=$(atspi_launcher)
require_tools atspi 2 dbus-daemon xdotool
[ -n "$launcher" ] || { echo "atspi: at-spi-bus-launcher is not installed (scripts/install-deps.sh test)"; exit 2; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "atspi: python3-pyatspi is not installed"; exit 2; }

exec "$here/../x11/with-x11.sh" bash -c '
  set -uo pipefail
  build=$1; here=$2; launcher=$3
  . "$here/checks.sh"
  trap stop_jobs EXIT
  start_corvane_for_atspi "$build" "$launcher"
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
