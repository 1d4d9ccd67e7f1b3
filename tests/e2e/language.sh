#!/usr/bin/env bash
# Corvane in the user's language, as a person with that locale sees it: --help and the settings
# (read through AT-SPI) in German under de_DE and in English under C, and the panel laid out from the
# right under Arabic, with a screenshot to look at. The locales need not be generated: Qt and the
# message catalogues go by the environment's names.
#
#   tests/e2e/language.sh BUILD_DIR [ARTIFACTS_DIR]
set -uo pipefail
build=$(cd "${1:?usage: language.sh BUILD_DIR [ARTIFACTS_DIR]}" && pwd)
artifacts=${2:-$build/e2e-artifacts}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/checks.sh"

launcher=$(atspi_launcher)
require_tools language 2 dbus-daemon xdotool import
[ -n "$launcher" ] || { echo "language: at-spi-bus-launcher is not installed (scripts/install-deps.sh test)"; exit 2; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "language: python3-pyatspi is not installed"; exit 2; }
mkdir -p "$artifacts"
artifacts=$(readlink -f "$artifacts")

in_locale() {  # LANG COMMAND...
  local lang=$1; shift
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" "$@"
}

export -f in_locale
check "--help is German under de_DE" bash -c 'in_locale de_DE.UTF-8 "$0/bin/corvane" --help | grep -q "^Aufruf: corvane"' "$build"
check "--help is English under C" bash -c 'in_locale C "$0/bin/corvane" --help | grep -q "^Usage: corvane"' "$build"
check "--help is French under fr_FR" bash -c 'in_locale fr_FR.UTF-8 "$0/bin/corvane" --help | grep -q "^Utilisation : corvane"' "$build"

exec "$here/../x11/with-x11.sh" bash -c '
  set -uo pipefail
  build=$1; here=$2; launcher=$3; artifacts=$4; passed=$5; failed=$6
  . "$here/checks.sh"
  passed=$5; failed=$6
  trap stop_jobs EXIT

  # One run of the program in a locale: its settings through AT-SPI, then it quits.
  run_in() {  # LANG WINDOW_TITLE TEXT...
    local lang=$1 title=$2; shift 2
    export LANG=$lang; unset LANGUAGE LC_ALL LC_MESSAGES
    start_corvane_for_atspi "$build" "$launcher" || { check "corvane starts under $lang" false; return; }
    "$build/bin/corvane" --settings
    check "the settings read in $lang" /usr/bin/python3 "$here/atspi_language.py" texts "$title" "$@"
    "$build/bin/corvane" --quit
    wait_for 10 bash -c "! kill -0 $corvane_pid"
  }
  run_in de_DE.UTF-8 "Corvane-Einstellungen" Aktivierung Erscheinungsbild Akzentfarbe Tastenbeschriftung Wörter Anwendungen
  run_in C "Corvane Settings" Activation Appearance "Accent color" "Key labels" Words Apps

  # Arabic: the panel from the right. Corvane has no Arabic text of its own; Qt says the direction.
  export LANG=ar_EG.UTF-8
  start_corvane_for_atspi "$build" "$launcher" || check "corvane starts under Arabic" false
  "$build/bin/corvane" --show
  check "the panel lays out right to left under Arabic" /usr/bin/python3 "$here/atspi_language.py" direction rtl
  import -window root "$artifacts/panel-rtl.png" 2>/dev/null
  "$build/bin/corvane" --quit
  wait_for 10 bash -c "! kill -0 $corvane_pid"
  export LANG=C
  start_corvane_for_atspi "$build" "$launcher" || check "corvane starts under C" false
  "$build/bin/corvane" --show
  check "the panel lays out left to right under C" /usr/bin/python3 "$here/atspi_language.py" direction ltr
  "$build/bin/corvane" --quit
  wait_for 10 bash -c "! kill -0 $corvane_pid"
  [ "$failed" -ne 0 ] && { echo "--- corvane log"; cat "$HOME/corvane.log"; }
  summary language
' language "$build" "$here" "$launcher" "$artifacts" "$passed" "$failed"
