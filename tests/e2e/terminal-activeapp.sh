#!/usr/bin/env bash
# The program inside a terminal comes first: the real program on a private X server with openbox,
# an xterm driven with xdotool (a shell prompt, Vim, Vim inside tmux, less), and the panel read as
# a screen reader reads it, through AT-SPI on a private session bus. A screenshot of each panel is
# kept in $CORVANE_SHOTS (default: the build folder's e2e-shots).
#
#   tests/e2e/terminal-activeapp.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: terminal-activeapp.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"

launcher=$(atspi_launcher)
require_tools terminal-activeapp 2 dbus-daemon xdotool xterm tmux vim less bash
[ -n "$launcher" ] || { echo "terminal-activeapp: at-spi-bus-launcher is not installed (scripts/install-deps.sh)"; exit 2; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "terminal-activeapp: python3-pyatspi is not installed"; exit 2; }
shots=${CORVANE_SHOTS:-$build/e2e-shots}
mkdir -p "$shots"

exec "$here/../x11/with-x11.sh" bash -c '
  set -uo pipefail
  build=$1; here=$2; launcher=$3; shots=$4
  . "$here/checks.sh"
  trap stop_jobs EXIT
  export XDG_DATA_DIRS="$XDG_DATA_DIRS:/usr/local/share:/usr/share"
  start_accessibility_bus "$launcher" "$HOME/bus-launcher.log"
  export QT_QPA_PLATFORM=xcb
  ${CORVANE_WRAPPER:-} "$build/bin/corvane" >"$HOME/corvane.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -S "$XDG_RUNTIME_DIR/corvane-$(id -u).socket"

  # A plain shell in the terminal: no start-up files, a prompt we can wait for, tmux on a socket
  # of its own.
  export TERM=xterm ENV= PS1="ready$ " TMUX_TMPDIR="$HOME"
  printf "set -g status off\n" >"$HOME/tmux.conf"
  xterm -class CorvaneTerm -geometry 100x30+0+0 -e bash --norc --noprofile &
  pids+=($!)
  term_pid=$!
  wait_for 10 xdotool search --onlyvisible --class "^CorvaneTerm$" >/dev/null
  window=$(xdotool search --onlyvisible --class "^CorvaneTerm$" | head -n1)

  # The terminal in front, then what it runs: typed in, given a moment to start.
  type_in_terminal() {
    xdotool windowactivate --sync "$window"
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep "${2:-1}"
  }
  # Opens the panel over the terminal and reads its first sections.
  panel_lists() {
    local name=$1; shift
    xdotool windowactivate --sync "$window"
    sleep 0.3
    "$build/bin/corvane" --show
    /usr/bin/python3 "$here/atspi_front_sections.py" "$@"
    local status=$?
    command -v import >/dev/null && import -window root "$shots/terminal-$name.png" 2>/dev/null
    xdotool windowactivate --sync "$window"
    return $status
  }

  # At a prompt the shell is the program in front: its line editing, then the terminal.
  check "xterm at a prompt: bash, then xterm" panel_lists prompt "Bash (GNU Readline)" xterm
  type_in_terminal "vim -u NONE -N $HOME/notes.txt"
  check "vim running: Vim first, then xterm" panel_lists vim Vim xterm
  type_in_terminal ":q" 0.5
  type_in_terminal "tmux -f $HOME/tmux.conf -L e2e new-session vim -u NONE -N" 2
  check "vim inside tmux: Vim, tmux, xterm" panel_lists tmux-vim Vim tmux xterm
  type_in_terminal ":q" 1
  type_in_terminal "less $here/checks.sh"
  check "less running: less first" panel_lists less less xterm
  type_in_terminal "q" 0.5
  check "back at the prompt: bash, then xterm" panel_lists back "Bash (GNU Readline)" xterm

  "$build/bin/corvane" --quit
  tmux -L e2e kill-server 2>/dev/null
  [ "$failed" -ne 0 ] && { echo "--- corvane log"; cat "$HOME/corvane.log"; }
  summary terminal-activeapp
' terminal-activeapp "$build" "$here" "$launcher" "$shots"
