#!/usr/bin/env bash
# Removes a Corvane that scripts/install-user.sh (the run command) installed:
#   scripts/uninstall.sh [--purge] [--prefix DIR]
# Removes exactly the files listed in DIR/share/corvane/install-manifest.txt (DIR defaults to
# ~/.local), Corvane's launch-at-login entry and what Corvane registered with the desktop.
# Settings and favourites ($XDG_CONFIG_HOME/corvane) stay unless --purge is given; --purge also
# removes Corvane's cache ($XDG_CACHE_HOME/corvane).
# A Debian package is removed with apt instead (apt remove corvane).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/user-install-common.sh
. "$here/user-install-common.sh"

prefix="$HOME/.local"
purge=false
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=${2:?--prefix needs a folder}; shift 2 ;;
    --purge) purge=true; shift ;;
    -h | --help) sed -n '2,9s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "uninstall.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
install_paths
config="${XDG_CONFIG_HOME:-$HOME/.config}"
cache="${XDG_CACHE_HOME:-$HOME/.cache}"

# What Corvane registered with the desktop (a keybinding in the desktop's settings, say) is undone
# by the program itself, while it is still there, when it knows how (it then lists
# --unregister-desktop in its --help).
corvane="$prefix/bin/corvane"
if [ -x "$corvane" ] && timeout 10 "$corvane" --help 2>/dev/null | grep -q -- '--unregister-desktop'; then
  timeout 30 "$corvane" --unregister-desktop \
    || echo "uninstall.sh: corvane --unregister-desktop failed; check the desktop's keyboard settings" >&2
fi

# The launch-at-login entry, when it starts this install (or a program that no longer exists).
# An entry without an Exec line only hides a system-wide one: a setting, kept unless --purge.
autostart="$config/autostart/org.corvane.Corvane.desktop"
if [ -f "$autostart" ]; then
  exec_line=$(sed -n 's/^Exec=//p' "$autostart" | head -n 1)
  program=$exec_line
  if [[ $program == \"* ]]; then
    # A quoted argument: undo the string escapes, then the quoting's.
    program=${program#\"}
    program=${program%\"}
    program=$(printf '%s' "$program" | sed -e 's/\\\\/\\/g' | sed -E 's/\\(["`$\\])/\1/g')
  else
    program=${program%% *}
  fi
  if { [ -n "$exec_line" ] && { [[ $program == "$prefix"/* ]] || [ ! -e "$program" ]; }; } \
     || { [ -z "$exec_line" ] && $purge; }; then
    rm -f -- "$autostart"
    echo "Removed the launch-at-login entry $autostart"
  fi
fi

if [ -f "$manifest" ]; then
  removed=$(remove_listed "$prefix" < "$manifest")
  rm -f -- "$manifest"
  find "$prefix/share/corvane" -depth -type d -empty -delete 2>/dev/null || true
  refresh_desktop_caches "$prefix"
  echo "Removed Corvane from $show ($removed files)."
else
  echo "No Corvane install in $show (no $manifest)."
fi

if $purge; then
  rm -rf -- "$config/corvane" "$cache/corvane"
  echo "Removed Corvane's settings, favourites and cache."
elif [ -d "$config/corvane" ]; then
  echo "Settings and favourites stay in $config/corvane (scripts/uninstall.sh --purge removes them)."
fi

if pid=$(running_from "$prefix"); then
  echo "Corvane is still running (process $pid): quit it from its tray menu."
fi
