#!/usr/bin/env bash
# The program inside a terminal comes first: the real program on a private X server with openbox,
# a terminal (an xterm unless named) driven with xdotool (a shell prompt, Vim, Vim inside tmux,
# less), and the panel read as a screen reader reads it, through AT-SPI on a private session bus.
#
#   tests/e2e/terminal-activeapp.sh BUILD_DIR [TERMINAL]
#   TERMINAL: xterm (the default), kitty, alacritty or gnome-terminal.
set -uo pipefail
build=$(cd "${1:?usage: terminal-activeapp.sh BUILD_DIR [TERMINAL]}" && pwd)
terminal=${2:-xterm}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"

# How each terminal runs a shell, the class of its windows and the title of its section.
shell=(bash --norc --noprofile)
case $terminal in
  xterm) command=(xterm -class CorvaneTerm -geometry 100x30+0+0 -e "${shell[@]}"); class=CorvaneTerm; title=xterm ;;
  kitty) command=(kitty "${shell[@]}"); class=kitty; title=kitty ;;
  alacritty) command=(alacritty -e "${shell[@]}"); class=Alacritty; title=Alacritty ;;
  gnome-terminal) command=(gnome-terminal --wait -- "${shell[@]}"); class=Gnome-terminal; title=Terminal ;;
  *) echo "terminal-activeapp: no such terminal: $terminal"; exit 2 ;;
esac

launcher=$(atspi_launcher)
require_tools terminal-activeapp 2 dbus-daemon xdotool "${command[0]}" tmux vim less bash
[ -n "$launcher" ] || { echo "terminal-activeapp: at-spi-bus-launcher is not installed (scripts/install-deps.sh)"; exit 2; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "terminal-activeapp: python3-pyatspi is not installed"; exit 2; }

exec "$here/../x11/with-x11.sh" bash -c '
  set -uo pipefail
  build=$1; here=$2; launcher=$3; class=$4; title=$5; shift 5
  . "$here/checks.sh"
  trap stop_jobs EXIT
  start_corvane_for_atspi "$build" "$launcher"

  # A plain shell in the terminal: no start-up files, a prompt we can wait for, tmux on a socket
  # of its own.
  export TERM=xterm ENV= PS1="ready$ " TMUX_TMPDIR="$HOME"
  printf "set -g status off\n" >"$HOME/tmux.conf"
  "$@" >"$HOME/terminal.log" 2>&1 &
  pids+=($!)
  wait_for 20 xdotool search --onlyvisible --class "^$class$" >/dev/null
  window=$(xdotool search --onlyvisible --class "^$class$" | head -n1)
  [ -n "$window" ] || { echo "FAIL the terminal opened no window"; cat "$HOME/terminal.log"; exit 1; }
  sleep 1

  # The terminal in front, then what it runs: typed in, given a moment to start.
  type_in_terminal() {
    xdotool windowactivate --sync "$window"
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep "${2:-1}"
  }
  # Opens the panel over the terminal and reads its first sections.
  panel_lists() {
    xdotool windowactivate --sync "$window"
    sleep 0.3
    "$build/bin/corvane" --show
    /usr/bin/python3 "$here/atspi_front_sections.py" "$@"
    local status=$?
    xdotool windowactivate --sync "$window"
    return $status
  }

  # At a prompt the shell is the program in front: its line editing, then the terminal.
  check "$title at a prompt: bash, then $title" panel_lists "Bash (GNU Readline)" "$title"
  type_in_terminal "vim -u NONE -N $HOME/notes.txt"
  check "vim running: Vim first, then $title" panel_lists Vim "$title"
  type_in_terminal ":q" 0.5
  type_in_terminal "tmux -f $HOME/tmux.conf -L e2e new-session vim -u NONE -N" 2
  check "vim inside tmux: Vim, tmux, $title" panel_lists Vim tmux "$title"
  type_in_terminal ":q" 1
  type_in_terminal "less $here/checks.sh"
  check "less running: less first" panel_lists less "$title"
  type_in_terminal "q" 0.5
  check "back at the prompt: bash, then $title" panel_lists "Bash (GNU Readline)" "$title"

  "$build/bin/corvane" --quit
  tmux -L e2e kill-server 2>/dev/null
  [ "$failed" -ne 0 ] && { echo "--- corvane log"; cat "$HOME/corvane.log"; }
  summary terminal-activeapp
' terminal-activeapp "$build" "$here" "$launcher" "$class" "$title" "${command[@]}"
