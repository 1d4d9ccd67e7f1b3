#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages (Debian 12, Ubuntu 24.04) one way of using this source needs:
#   scripts/install-deps.sh [SET]...     installs the sets named (run when none is)
#   scripts/install-deps.sh --list SET   prints the packages of a set, one a line
# Sets:
#   run       build and run Corvane: compiler, CMake, Ninja, Qt and the libraries it links, Qt's
#             platform plugins for X11 and Wayland, a font (scripts/run.sh)
#   test      run, and what the tests need: private X, Wayland and desktop sessions, the tools
#             that drive and see them, the package's checks (scripts/test.sh)
#   bench     run, and Google Benchmark and a private X server with a tray (bench/run.sh,
#             bench/startup.sh)
#   pictures  test, and a dark colour scheme for Qt's own widgets (scripts/screenshots.sh)
# Asks apt only for what is not installed yet, and nothing at all when everything is. Not run as
# root, it installs through sudo.
set -euo pipefail

run_packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-svg-dev libgl-dev
  libsimdjson-dev libglib2.0-dev libelf-dev libxcb1-dev libxcb-keysyms1-dev libxkbcommon-dev
  libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols
  # build: Qt Linguist's tools, which compile translations/*.ts
  qt6-tools-dev qt6-l10n-tools
  # run: Qt's platform plugins (X11, Wayland), its SVG library, a font
  qt6-qpa-plugins qt6-wayland libqt6svg6 fonts-dejavu-core
  # run: Qt's own translations (standard dialogs, the layout direction of right-to-left languages)
  qt6-translations-l10n
)
# Packages of the run set that one of the two distributions names differently or not at all.
run_optional=(qt6-svg-plugins)

test_packages=(
  # test: private X servers, a window manager, a tray, a terminal, and tools to drive and see them
  xvfb xserver-xorg-core xserver-xorg-video-dummy openbox trayer xterm
  xdotool x11-utils x11-xserver-utils x11-xkb-utils xauth imagemagick
  # test: a headless Wayland compositor with XWayland and the wallpaper its stock config names, a
  # Wayland terminal, keys, screenshots, its tree as JSON
  sway sway-backgrounds xwayland wtype grim foot jq
  # test: Plasma's compositor on a virtual output, GNOME Shell for its extension, and a session bus
  # to script them over
  kwin-wayland gnome-shell gjs unzip dbus-bin
  # test: the desktop portal's frontend on a private session bus with a Python desktop backend
  xdg-desktop-portal python3 python3-dbus python3-gi
  # test: stock desktops' own portal backend and settings daemon; Qt 5's Wayland platform, without
  # which the KDE portal backend (a Qt 5 program) cannot start in a Wayland session
  xdg-desktop-portal-kde plasma-workspace gnome-settings-daemon qtwayland5
  # test: GNOME's keybinding schemas (keyboard shortcuts, window manager, shell, mutter) and the
  # gsettings tool, under a keyfile or memory GSettings backend
  gnome-settings-daemon-common mutter-common gnome-shell-common libglib2.0-bin
  # test: the accessibility bus on a private session bus, read through AT-SPI
  dbus-daemon at-spi2-core gsettings-desktop-schemas python3-pyatspi
  # test: a small GTK 4 program with a shortcuts window, read by the import tests
  gnome-text-editor
  # test: programs that bind keys to their window's actions at run time, read by the discovery test
  gnome-console gnome-clocks
  # test: msgfmt builds a fixture program's own message catalogue
  gettext
  # test: programs in front inside a terminal (the terminal tests run vim, tmux and less in xterm
  # and foot)
  tmux vim less
  # test: the package and the install: the .deb's dependencies (dpkg-shlibdeps) and the
  # distribution's checks; git for the version of development builds; GIO's Python binding reads
  # the application list
  git dpkg-dev lintian appstream desktop-file-utils man-db bash-completion file
  gir1.2-glib-2.0
  # test: clang and its libFuzzer, with which the test command fuzzes each file reader for a moment
  clang libclang-rt-dev
)

bench_packages=(
  # bench: Google Benchmark; start-up on a private X server with a window manager, a tray and a
  # session bus (bench/startup.sh)
  libbenchmark-dev xvfb openbox x11-utils trayer dbus-bin python3
)

pictures_packages=(
  # pictures: a dark colour scheme for Qt's own widgets (scripts/screenshots.sh)
  qt6ct
)

usage() { sed -n '2,15s/^# \{0,1\}//p' "$0"; }

# packages_of SET: the packages the set needs, its own and those of the sets it builds on.
packages_of() {
  case $1 in
    run) printf '%s\n' "${run_packages[@]}" ;;
    test) packages_of run; printf '%s\n' "${test_packages[@]}" ;;
    bench) packages_of run; printf '%s\n' "${bench_packages[@]}" ;;
    pictures) packages_of test; printf '%s\n' "${pictures_packages[@]}" ;;
    *) echo "install-deps.sh: no set named '$1' (run, test, bench, pictures)" >&2; exit 2 ;;
  esac
}

sets=()
while [ $# -gt 0 ]; do
  case $1 in
    -h | --help) usage; exit 0 ;;
    --list)
      packages_of "${2:?--list needs a set}" | awk '!seen[$0]++'
      exit 0
      ;;
    -*) echo "install-deps.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
    run | test | bench | pictures) sets+=("$1"); shift ;;
    *) echo "install-deps.sh: no set named '$1' (run, test, bench, pictures)" >&2; exit 2 ;;
  esac
done
[ ${#sets[@]} -gt 0 ] || sets=(run)

wanted=()
for set in "${sets[@]}"; do
  mapfile -t -O "${#wanted[@]}" wanted < <(packages_of "$set")
done
mapfile -t wanted < <(printf '%s\n' "${wanted[@]}" | awk '!seen[$0]++')

# One question to dpkg for all of them: the installed ones answer "install ok installed".
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${wanted[@]}" "${run_optional[@]}" 2>/dev/null \
  | awk '$2 == "install" && $4 == "installed" { print $1 }' || true)
missing=()
for p in "${wanted[@]}"; do
  grep -qxF -- "$p" <<< "$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "install-deps.sh: these packages are missing, and installing them needs root (sudo is not" >&2
    echo "installed). As root, run: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  apt=(sudo "${apt[@]}")
fi
"${apt[@]}" update -qq
for p in "${run_optional[@]}"; do
  grep -qxF -- "$p" <<< "$installed" && continue
  apt-cache show "$p" > /dev/null 2>&1 && missing+=("$p")
done
echo "Installing: ${missing[*]}"
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
