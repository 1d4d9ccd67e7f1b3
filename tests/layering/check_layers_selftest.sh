#!/usr/bin/env bash
# The layering check itself: it passes a clean tree and names each kind of offence.
set -euo pipefail
check="$(dirname "$0")/check_layers.py"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
mk() { mkdir -p "$(dirname "$tmp/$1")"; printf '%s\n' "$2" > "$tmp/$1"; }

mk src/services/Log.h '#include <QString>'
mk src/platform/Iface.h '#include "services/Log.h"'
mk src/catalogue/Store.h '#include "platform/Iface.h"'
mk src/catalogue/ui/View.h $'#include "catalogue/Store.h"\n#include <QWidget>'
mk src/platform/x11/X.h '#include "platform/Iface.h"'
mk src/platform/wayland/W.h '#include "platform/Iface.h"'
python3 "$check" "$tmp/src" >/dev/null || { echo "a clean tree failed"; exit 1; }

expect() {  # expect NAME PATTERN: the check fails and names the offence
  if out=$(python3 "$check" "$tmp/src"); then echo "not caught: $1"; exit 1; fi
  grep -q "$2" <<<"$out" || { echo "wrong message for $1: $out"; exit 1; }
}
mk src/catalogue/Bad.h '#include <QtGui/QColor>'
expect "GUI header in a model folder" "model code includes the GUI header"
rm "$tmp/src/catalogue/Bad.h"
mk src/keys/Bad.h '#include "catalogue/ui/View.h"'
expect "ui include in a model folder" "model code includes catalogue/ui/View.h"
rm "$tmp/src/keys/Bad.h"
mk src/keys/Bad.h '#include "platform/Iface.h"'
expect "keys including a higher layer" "keys, the lowest layer, includes platform/Iface.h"
rm "$tmp/src/keys/Bad.h"
mk src/panel/Bad.cpp '#include "platform/x11/X.h"'
expect "backend include in a model folder" "model code includes platform/x11/X.h"
rm "$tmp/src/panel/Bad.cpp"
mk src/platform/wayland/Bad.cpp '#include "platform/x11/X.h"'
expect "backend including a backend" "backend wayland includes backend"
rm "$tmp/src/platform/wayland/Bad.cpp"
mk src/platform/Iface2.h '#include "catalogue/Store.h"'
expect "a cycle between folders" "folders include each other"
rm "$tmp/src/platform/Iface2.h"
mk src/services/Bad.h '#include "platform/Iface.h"'
expect "a service including a layer above it" "services include platform/Iface.h"
echo "layering check: 8 cases ok"
