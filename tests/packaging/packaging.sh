#!/usr/bin/env bash
# Installation and packaging, checked the way a distribution and a user meet them:
#   packaging.sh deb BUILD_DIR SOURCE_DIR      the .deb: file list, fields, lintian, AppStream,
#                                              desktop entry, man pages, the packaged programs
#   packaging.sh destdir BUILD_DIR SOURCE_DIR  cmake --install into a staging folder under an
#                                              unusual prefix: the programs find their catalogue
#   packaging.sh user BUILD_DIR SOURCE_DIR     the run command's user install and the uninstall,
#                                              in a temporary home folder
set -euo pipefail

mode=${1:?mode}
build=$(cd "${2:?build folder}" && pwd)
source_dir=$(cd "${3:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
note() { echo "-- $*"; }

# Programs that read the home folder see a private one.
private_home() {
  export HOME="$1"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# The catalogue files a complete install holds, relative to share/corvane.
catalogue_files() {
  (cd "$source_dir/data" && ls ShortcutData/*.json) | LC_ALL=C sort
}

# The folder of the program's GIO module under the prefix, as the build configured it.
module_dir() {
  echo "$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")/corvane/modules"
}

# check_programs PREFIX_ROOT: the installed programs answer --version without a display, and the
# installed corvane-data passes the installed catalogue.
check_programs() {
  local root=$1 version
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/corvane" --version) || fail "corvane --version failed"
  [[ $version =~ ^corvane\ [0-9]+\.[0-9]+\.[0-9]+ ]] || fail "corvane --version printed '$version'"
  version=$("$root/bin/corvane-data" --version) || fail "corvane-data --version failed"
  [[ $version =~ ^corvane-data\ [0-9]+\.[0-9]+\.[0-9]+ ]] || fail "corvane-data --version printed '$version'"
  "$root/bin/corvane" --help | grep -q -- '--toggle' || fail "corvane --help does not list --toggle"
  local summary
  summary=$("$root/bin/corvane-data" check --strict "$root/share/corvane/ShortcutData" | tail -n 1) \
    || fail "installed corvane-data check --strict failed on the installed catalogue: $summary"
  note "installed catalogue: $summary"
}

# check_man_pages DIR: both pages format without a warning.
check_man_pages() {
  local page warnings
  for page in corvane corvane-data; do
    [ -f "$1/$page.1.gz" ] || { fail "no man page $page.1.gz"; continue; }
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1/$page.1.gz" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
  done
}

# check_options PREFIX: corvane --help lists every option the program compares its arguments with,
# and its man page describes exactly the options --help lists.
check_options() {
  local help code page
  # Qt's own options (-platform, -display) are named in both, and are not the program's.
  own() { grep -vE -- '^-(platform|display)$' | LC_ALL=C sort -u; }
  help=$("$1/bin/corvane" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | own)
  # (DiscoveryRunner passes options to corvane-data, not options of its own.)
  code=$(grep -rhoE --exclude=DiscoveryRunner.cpp '"--[a-z][a-z-]+"' "$source_dir/src/app" "$source_dir/src/panel" | tr -d '"' | own)
  page=$(zcat "$1/share/man/man1/corvane.1.gz" | sed -n '/^\.SH OPTIONS/,/^\.SH /p' \
    | grep -oE -- '\\-(\\-)?[a-z][a-z\\-]*' | sed 's/\\-/-/g' | own)
  local missing
  missing=$(LC_ALL=C comm -23 <(echo "$code") <(echo "$help"))
  [ -z "$missing" ] || fail "corvane --help does not list: $missing"
  [ "$help" = "$page" ] \
    || fail "corvane --help and its man page differ: $(diff <(echo "$help") <(echo "$page") | grep '^[<>]' | tr '\n' ' ')"
}

deb() {
  note "building the package"
  cpack --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack failed"; return; }
  local debs=("$work"/package/corvane_*.deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one corvane_*.deb, got ${debs[*]}"
    return
  fi
  local deb=${debs[0]}
  note "$(basename "$deb")"

  # Exactly the expected files, all under /usr; directories 0755 and files 0644 but the programs.
  {
    printf '%s\n' usr/bin/corvane usr/bin/corvane-data \
      usr/share/applications/org.corvane.Corvane.desktop \
      usr/share/bash-completion/completions/corvane-data \
      usr/share/doc/corvane/changelog.gz usr/share/doc/corvane/copyright \
      usr/share/gnome-shell/extensions/corvane-focus@corvane.org/extension.js \
      usr/share/gnome-shell/extensions/corvane-focus@corvane.org/metadata.json \
      usr/share/icons/hicolor/scalable/apps/org.corvane.Corvane.svg \
      usr/share/man/man1/corvane.1.gz usr/share/man/man1/corvane-data.1.gz \
      usr/share/metainfo/org.corvane.Corvane.metainfo.xml "usr/$(module_dir)/libcorvane-gio.so"
    [ ! -f "$source_dir/dist/org.corvane.Corvane-symbolic.svg" ] \
      || echo usr/share/icons/hicolor/symbolic/apps/org.corvane.Corvane-symbolic.svg
    catalogue_files | sed 's|^|usr/share/corvane/|'
    # Corvane's own text in other languages, one compiled file per translation.
    for ts in "$source_dir"/translations/*.ts; do
      echo "usr/share/corvane/translations/$(basename "${ts%.ts}").qm"
    done
  } | LC_ALL=C sort > "$work/expected"
  dpkg-deb -c "$deb" > "$work/contents"
  awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$work/contents" | LC_ALL=C sort > "$work/actual"
  if ! diff -u "$work/expected" "$work/actual" > "$work/diff"; then
    cat "$work/diff"
    fail "the package's files differ from the expected list"
  fi
  awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }
       $1 !~ /^d/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--" { print }
       $6 ~ /^\.\/usr\/bin\/./ && $1 != "-rwxr-xr-x" { print }
       $2 != "root/root" { print }' "$work/contents" > "$work/modes"
  [ ! -s "$work/modes" ] || { cat "$work/modes"; fail "files with unexpected modes or owners"; }

  # Control fields: libraries found by dpkg-shlibdeps, Qt's platform plugins named, no homepage.
  local control
  control=$(dpkg-deb -f "$deb")
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  for dependency in libqt6core6 libqt6widgets6 libc6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency: $depends"
  done
  ! grep -qi '^Homepage:' <<< "$control" || fail "the package names a homepage"
  [ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
    "$build/dist/org.corvane.Corvane.metainfo.xml")" ] || fail "package and AppStream versions differ"

  dpkg-deb -x "$deb" "$work/root"
  local usr="$work/root/usr"

  # Both licences, with their full texts, in the machine-readable copyright file.
  local line
  for line in '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' '^License: MIT$' \
    '^License: CC-BY-SA-4.0$' '^Files: data/\*$' 'Attribution-ShareAlike 4.0 International Public License'; do
    grep -q "$line" "$usr/share/doc/corvane/copyright" || fail "the copyright file lacks a line matching $line"
  done

  # lintian: an error fails; everything it says is shown.
  local lintian_options=(--display-info)
  lintian --help 2>&1 | grep -q -- '--allow-root' && lintian_options+=(--allow-root)
  [ "$(id -u)" -ne 0 ] || lintian_options+=(--allow-root)
  lintian "${lintian_options[@]}" "$deb" > "$work/lintian" 2>&1 || true
  note "lintian:"
  sed 's/^/   /' "$work/lintian"
  ! grep -q '^E: ' "$work/lintian" || fail "lintian reports errors"

  # Desktop metadata.
  desktop-file-validate "$usr/share/applications/org.corvane.Corvane.desktop" \
    || fail "desktop-file-validate"
  grep -q '^Exec=corvane$' "$usr/share/applications/org.corvane.Corvane.desktop" \
    || fail "the packaged desktop entry does not run corvane from the PATH"
  note "appstreamcli:"
  appstreamcli validate --no-net "$usr/share/metainfo/org.corvane.Corvane.metainfo.xml" > "$work/appstream" 2>&1 \
    || fail "appstreamcli validate"
  sed 's/^/   /' "$work/appstream"
  # A tag this AppStream does not know is a note only, but software centres built on it drop it.
  ! grep -q 'unknown-tag' "$work/appstream" || fail "the metainfo has a tag this AppStream does not know"
  appstreamcli validate-tree --no-net "$work/root" > "$work/tree" 2>&1 \
    || { cat "$work/tree"; fail "appstreamcli validate-tree (metainfo, desktop entry and icon together)"; }

  # With a published docs/ folder the screenshots are listed: still valid, and they are the
  # images in docs/ at their real sizes.
  cmake -DSOURCE_DIR="$source_dir" -DOUTPUT="$work/with-screenshots.xml" -DPROJECT_VERSION=0.0.0 \
    -DRELEASE_DATE=2026-01-01 -DPROJECT_LICENSE=MIT -DSCREENSHOT_BASE_URL=https://corvane.test/docs/ \
    -P "$source_dir/cmake/WriteMetainfo.cmake"
  appstreamcli validate --no-net "$work/with-screenshots.xml" > "$work/screenshots" 2>&1 \
    || { cat "$work/screenshots"; fail "metainfo with screenshots does not validate"; }
  local image
  grep -o '<image[^>]*>[^<]*' "$work/with-screenshots.xml" | while IFS= read -r image; do
    local name=${image##*/docs/} width height size
    width=$(sed -n 's/.*width="\([0-9]*\)".*/\1/p' <<< "$image")
    height=$(sed -n 's/.*height="\([0-9]*\)".*/\1/p' <<< "$image")
    [ -f "$source_dir/docs/$name" ] || { echo "FAIL: screenshot docs/$name does not exist" >&2; exit 1; }
    size=$(file -b "$source_dir/docs/$name" | sed -n 's/.*, \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
    [ "$size" = "${width}x$height" ] || { echo "FAIL: docs/$name is $size, the metadata says ${width}x$height" >&2; exit 1; }
  done || fail "screenshots"

  check_man_pages "$usr/share/man/man1"
  check_options "$usr"
  check_programs "$usr"
}

destdir() {
  # An unusual prefix: nothing may assume /usr.
  local prefix=/opt/corvane-test
  DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install"; return; }
  local root="$work/stage$prefix"
  check_programs "$root"
  grep -q "^Exec=$prefix/bin/corvane --toggle$" "$root/share/applications/org.corvane.Corvane.desktop" \
    || fail "the desktop entry does not name $prefix/bin/corvane"

  # The installed program reads the catalogue next to it (../share/corvane): a broken file planted
  # there is reported, and without the folder the program says it found none.
  private_home "$work/home"
  echo '{ "name": ' > "$root/share/corvane/ShortcutData/zz-broken.json"
  run_briefly "$root/bin/corvane" "Corvane: failed to decode zz-broken.json" \
    || fail "the installed corvane did not read its catalogue from $prefix/share/corvane"
  rm "$root/share/corvane/ShortcutData/zz-broken.json"

  # The GIO module (desktop entries, GNOME's settings), loaded once the tray is up, is found next to
  # the installed program; without it the program says so and carries on.
  local module="$root/$(module_dir)/libcorvane-gio.so"
  [ -f "$module" ] || fail "no GIO module at $module"
  CORVANE_LAUNCHED_AT=1 run_briefly "$root/bin/corvane" "Corvane: key bindings read" \
    || fail "the installed corvane did not read the key bindings"
  ! grep -q "cannot load" "$work/run.log" || fail "the installed corvane did not load its GIO module: $(cat "$work/run.log")"
  mv "$module" "$module.away"
  CORVANE_LAUNCHED_AT=1 run_briefly "$root/bin/corvane" "Corvane: key bindings read" \
    && grep -q "^Corvane: cannot load .*libcorvane-gio.so" "$work/run.log" \
    || fail "the installed corvane without its GIO module did not go on with a log line"
  mv "$module.away" "$module"
  mv "$root/share/corvane/ShortcutData" "$root/share/corvane/elsewhere"
  run_briefly "$root/bin/corvane" "Corvane: ShortcutData folder not found in bundle" \
    || fail "the installed corvane did not miss its moved catalogue"

  # Bash completion of corvane-data, as bash-completion loads it.
  local completion=/usr/share/bash-completion/bash_completion
  if [ -f "$completion" ]; then
    mkdir -p "$work/cwd/Data" && touch "$work/cwd/apps.json" "$work/cwd/notes.txt"
    local got
    got=$(cd "$work/cwd" && bash --norc --noprofile -c '
      . "$1"; . "$2"
      complete_line() {
        COMP_LINE=$1; COMP_POINT=${#1}; read -ra COMP_WORDS <<< "$1"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
        _corvane_data corvane-data "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s|" "$(printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " ")"
      }
      complete_line "corvane-data "
      complete_line "corvane-data pa"
      complete_line "corvane-data panel x --pla"
      complete_line "corvane-data stats x --platform "
      complete_line "corvane-data check --"
      complete_line "corvane-data check "
      complete_line "corvane-data panel x --active "
      complete_line "corvane-data entries x --labels "
      complete_line "corvane-data import "
    ' _ "$completion" "$root/share/bash-completion/completions/corvane-data")
    local expected='--help --version check entries import panel stats |panel |--platform |linux macos |--strict |Data apps.json | |symbols words |Data apps.json notes.txt |'
    [ "$got" = "$expected" ] || fail "bash completion: got '$got', expected '$expected'"
  else
    note "bash-completion is not installed: completion not checked"
  fi
}

# run_briefly PROGRAM LINE: starts the program without a display, waits up to 20 s for LINE on its
# error output, then ends it.
run_briefly() {
  local log="$work/run.log" pid found=1
  : > "$log"
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$1" > "$log" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    if grep -qF -- "$2" "$log"; then found=0; break; fi
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
  done
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  [ $found -eq 0 ] || sed 's/^/   corvane: /' "$log"
  return $found
}

user() {
  # A home folder with a space in its name, as it was before any install.
  private_home "$work/the home"
  [ ! -f /etc/skel/.profile ] || cp /etc/skel/.profile "$HOME/.profile"
  local prefix="$HOME/.local" manifest="$HOME/.local/share/corvane/install-manifest.txt"
  "$source_dir/scripts/install-user.sh" "$build" > "$work/install.log" || { cat "$work/install.log"; fail "install"; return; }
  cat "$work/install.log"
  [ -f "$manifest" ] || { fail "no manifest"; return; }
  local path missing=0
  while IFS= read -r path; do
    [ -e "$path" ] || { echo "missing: $path"; missing=1; }
    [[ $path == "$prefix"/* ]] || { echo "outside the prefix: $path"; missing=1; }
  done < "$manifest"
  [ $missing -eq 0 ] || fail "the manifest lists files that are not installed, or outside ~/.local"
  diff <(catalogue_files) <(cd "$prefix/share/corvane" && ls ShortcutData/*.json | LC_ALL=C sort) \
    || fail "the installed catalogue differs from data/ShortcutData"
  check_programs "$prefix"
  check_man_pages "$prefix/share/man/man1"

  # The desktop lists Corvane (as GIO, which GNOME's launcher uses, reads the application folders),
  # and its entry starts the installed program even before ~/.local/bin is on the session's PATH.
  local entry="$prefix/share/applications/org.corvane.Corvane.desktop"
  desktop-file-validate "$entry" || fail "desktop-file-validate on the user install's entry"
  local python=/usr/bin/python3
  if "$python" -c 'import gi' 2> /dev/null; then
    local listed
    listed=$(XDG_DATA_DIRS="$work/no-system-data" "$python" - << 'EOF'
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib
for app in Gio.AppInfo.get_all():
    if app.get_id() == "org.corvane.Corvane.desktop" and app.should_show():
        print(app.get_filename())
        print(GLib.shell_parse_argv(app.get_commandline())[1][0])
        for action in app.list_actions():
            print(action)
EOF
)
    [ "$listed" = "$entry"$'\n'"$prefix/bin/corvane"$'\n'toggle$'\n'settings$'\n'quit ] \
      || fail "the application list does not show the user install's entry as expected: '$listed'"
  else
    note "python3-gi is not installed: the application list was not checked"
  fi

  # A new login shell finds corvane: /etc/skel/.profile puts ~/.local/bin on the PATH now that it exists.
  if [ -f "$HOME/.profile" ] && grep -q '\.local/bin' "$HOME/.profile"; then
    local found
    found=$(env -i HOME="$HOME" TERM=dumb PATH=/usr/bin:/bin bash -l -c 'command -v corvane' 2> /dev/null) || true
    [ "$found" = "$prefix/bin/corvane" ] || fail "a new login shell finds '$found', not $prefix/bin/corvane"
  else
    note "/etc/skel/.profile does not add ~/.local/bin: the login shell PATH was not checked"
  fi

  # A reinstall removes what the earlier install had and this one does not; a damaged manifest
  # line outside the prefix is never followed.
  mkdir -p "$HOME/keep"
  echo keep > "$HOME/keep/precious"
  echo '{}' > "$prefix/share/corvane/ShortcutData/dropped-app.json"
  printf '%s\n' "$prefix/share/corvane/ShortcutData/dropped-app.json" "$HOME/keep/precious" \
    "$prefix/../keep/precious" >> "$manifest"
  "$source_dir/scripts/install-user.sh" "$build" > /dev/null || fail "reinstall"
  [ ! -e "$prefix/share/corvane/ShortcutData/dropped-app.json" ] || fail "a file the reinstall no longer has stayed"
  [ -f "$HOME/keep/precious" ] || fail "a manifest line outside the prefix removed a file"
  printf '%s\n' "$HOME/keep/precious" "$prefix/../keep/precious" >> "$manifest"

  # Settings, an autostart entry as Corvane writes it (quoted), and a binary that knows how to
  # unregister from the desktop, as later versions do.
  mkdir -p "$XDG_CONFIG_HOME/corvane" "$XDG_CONFIG_HOME/autostart"
  echo '{"favoriteShortcutIDs": ["x"]}' > "$XDG_CONFIG_HOME/corvane/corvane.json"
  printf '[Desktop Entry]\nType=Application\nName=Corvane\nExec="%s/bin/corvane"\n' "$prefix" \
    > "$XDG_CONFIG_HOME/autostart/org.corvane.Corvane.desktop"
  cat > "$prefix/bin/corvane" << EOF
#!/bin/sh
case \$1 in
  --help) echo "  --unregister-desktop  remove what Corvane registered with the desktop" ;;
  --unregister-desktop) echo called > "$work/unregistered" ;;
esac
EOF
  "$source_dir/scripts/uninstall.sh" > "$work/uninstall.log" || { cat "$work/uninstall.log"; fail "uninstall"; }
  cat "$work/uninstall.log"
  [ -f "$work/unregistered" ] || fail "uninstall did not call corvane --unregister-desktop"
  [ ! -e "$XDG_CONFIG_HOME/autostart/org.corvane.Corvane.desktop" ] || fail "the autostart entry stayed"
  [ -f "$XDG_CONFIG_HOME/corvane/corvane.json" ] || fail "uninstall without --purge removed the settings"
  [ -f "$HOME/keep/precious" ] || fail "uninstall followed a manifest line outside the prefix"
  # Everything the install created is gone: this home had no ~/.local before.
  [ ! -e "$HOME/.local" ] || { find "$HOME/.local"; fail "the uninstall left files or folders behind"; }

  # An autostart entry of another Corvane that still exists stays; --purge takes the settings.
  "$source_dir/scripts/install-user.sh" "$build" > /dev/null || fail "install after uninstall"
  printf '[Desktop Entry]\nType=Application\nName=Corvane\nExec=/bin/sh\n' \
    > "$XDG_CONFIG_HOME/autostart/org.corvane.Corvane.desktop"
  "$source_dir/scripts/uninstall.sh" --purge > /dev/null || fail "uninstall --purge"
  [ ! -e "$XDG_CONFIG_HOME/corvane" ] || fail "uninstall --purge kept the settings"
  [ -f "$XDG_CONFIG_HOME/autostart/org.corvane.Corvane.desktop" ] || fail "another install's autostart entry was removed"
  [ ! -e "$HOME/.local" ] || fail "the second uninstall left files behind"
}

case $mode in
  deb | destdir | user) "$mode" ;;
  *) echo "unknown mode $mode" >&2; exit 2 ;;
esac
if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "packaging $mode: all checks passed"
