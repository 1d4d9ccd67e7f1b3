#!/usr/bin/env bash
# Installs everything Corvane needs to build, run and test, on Debian 12 or Ubuntu 24.04.
# Does nothing when every package is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libsimdjson-dev libglib2.0-dev libelf-dev
  libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev
  qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols
  libbenchmark-dev
  # run
  qt6-qpa-plugins qt6-wayland libqt6svg6 fonts-dejavu-core
  # test: private X servers, a window manager, a tray, a terminal, and tools to drive and see them
  xvfb xserver-xorg-core xserver-xorg-video-dummy openbox trayer xterm
  xdotool x11-utils x11-xserver-utils x11-xkb-utils xauth imagemagick
  # test: a headless Wayland compositor with XWayland, a Wayland terminal, keys, screenshots, its
  # tree as JSON
  sway xwayland wtype grim foot jq
  # test: Plasma's compositor on a virtual output, GNOME Shell for its extension, and a session bus
  # to script them over
  kwin-wayland gnome-shell gjs unzip dbus-bin
  # test: the desktop portal's frontend on a private session bus with a Python desktop backend
  xdg-desktop-portal python3 python3-dbus python3-gi
  # test: GNOME's keybinding schemas (keyboard shortcuts, window manager, shell, mutter) and the
  # gsettings tool, under a keyfile or memory GSettings backend
  gnome-settings-daemon-common mutter-common gnome-shell-common libglib2.0-bin
  # test: the accessibility bus on a private session bus, read through AT-SPI
  dbus-daemon at-spi2-core gsettings-desktop-schemas python3-pyatspi
  # test: a small GTK 4 program with a shortcuts window, read by the import tests
  gnome-text-editor
  # package and install: the .deb's dependencies (dpkg-shlibdeps) and the distribution's checks;
  # git for the version of development builds; GIO's Python binding reads the application list
  git dpkg-dev lintian appstream desktop-file-utils man-db bash-completion file
  gir1.2-glib-2.0
  # pictures: a dark colour scheme for Qt's own widgets (scripts/screenshots.sh)
  qt6ct
)
# Packages one of the two distributions names differently or not at all.
optional=(qt6-svg-plugins)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
for p in "${optional[@]}"; do
  installed "$p" && continue
  apt-cache show "$p" >/dev/null 2>&1 && missing+=("$p")
done
echo "Installing: ${missing[*]}"
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
