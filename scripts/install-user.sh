#!/usr/bin/env bash
# Installs a built Corvane for the current user, without root:
#   scripts/install-user.sh [--prefix DIR] [BUILD_DIR]
# DIR defaults to ~/.local: the programs land in ~/.local/bin, the catalogue in
# ~/.local/share/corvane, the desktop entry, icons, man pages and completion under ~/.local/share.
# Every file written is listed in DIR/share/corvane/install-manifest.txt, which
# scripts/uninstall.sh reads; files an earlier install wrote and this one does not are removed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/user-install-common.sh
. "$here/user-install-common.sh"

prefix="$HOME/.local"
build=build
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=${2:?--prefix needs a folder}; shift 2 ;;
    -h | --help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "install-user.sh: unknown option $1" >&2; exit 2 ;;
    *) build=$1; shift ;;
  esac
done
install_paths

# Install into a staging folder first: the list of files comes from there, not from the build
# folder's install_manifest.txt, which another install from the same build may be rewriting.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
if ! DESTDIR="$stage/root" cmake --install "$build" --prefix "$prefix" --strip > "$stage/log" 2>&1; then
  cat "$stage/log" >&2
  exit 1
fi
# The list: every file, and the folders this install creates (lines ending in /) or an earlier
# one created, so that an uninstall leaves no empty folder of ours behind.
{
  echo "$manifest"
  (cd "$stage/root$prefix" && find . \( -type f -o -type l \) -printf '%P\n') | sed "s|^|$prefix/|"
  (cd "$stage/root$prefix" && find . -type d -printf '%P\n') | while IFS= read -r dir; do
    dir="$prefix/${dir:+$dir/}"
    [ -d "$dir" ] || echo "$dir"
  done
  if [ -f "$manifest" ]; then
    grep '/$' "$manifest" | while IFS= read -r dir; do
      if [ -d "$dir" ]; then echo "$dir"; fi
    done
  fi
} | LC_ALL=C sort -u > "$stage/manifest"
mkdir -p "$prefix"
# Replaced files are unlinked first, so a running Corvane keeps its old binary instead of failing the copy.
cp -R --remove-destination --preserve=mode,timestamps,links "$stage/root$prefix/." "$prefix/"

# Files of an earlier install that this one no longer has: a data file dropped from the catalogue
# would otherwise stay in the panel.
if [ -f "$manifest" ]; then
  LC_ALL=C sort "$manifest" | LC_ALL=C comm -23 - <(LC_ALL=C sort "$stage/manifest") \
    | remove_listed "$prefix" > /dev/null
fi
cp "$stage/manifest" "$manifest"
refresh_desktop_caches "$prefix"

if pid=$(running_from "$prefix"); then
  echo "Corvane is already running (process $pid, an earlier build): quit it from its tray menu to start this one."
fi

uninstall="scripts/uninstall.sh"
[ "$prefix" = "$HOME/.local" ] || uninstall+=" --prefix $(printf '%q' "$prefix")"
echo "Installed Corvane in $show (run corvane from $show/bin); uninstall with $uninstall"
case ":$PATH:" in
  *":$prefix/bin:"*) ;;
  *)
    if [ "$prefix" = "$HOME/.local" ]; then
      echo "$show/bin joins your PATH at your next login (Debian's and Ubuntu's ~/.profile add it when it exists)."
    else
      echo "$show/bin is not on your PATH."
    fi
    ;;
esac
