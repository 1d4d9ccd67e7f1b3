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

# offence FILE INCLUDE NAME PATTERN: with FILE holding INCLUDE the check fails and names the offence.
offence() {
  mk "src/$1" "$2"
  if out=$(python3 "$check" "$tmp/src"); then echo "not caught: $3"; exit 1; fi
  grep -q "$4" <<<"$out" || { echo "wrong message for $3: $out"; exit 1; }
  rm "$tmp/src/$1"
}
offence catalogue/Bad.h '#include <QtGui/QColor>' "GUI header in a model folder" "model code includes the GUI header"
offence keys/Bad.h '#include "catalogue/ui/View.h"' "ui include in a model folder" "model code includes catalogue/ui/View.h"
offence keys/Bad.h '#include "platform/Iface.h"' "keys including a higher layer" "keys, the lowest layer, includes platform/Iface.h"
offence panel/Bad.cpp '#include "platform/x11/X.h"' "backend include in a model folder" "model code includes platform/x11/X.h"
offence platform/wayland/Bad.cpp '#include "platform/x11/X.h"' "backend including a backend" "backend wayland includes backend"
offence platform/Iface2.h '#include "catalogue/Store.h"' "a cycle between folders" "folders include each other"
offence services/Bad.h '#include "platform/Iface.h"' "a service including a layer above it" "services include platform/Iface.h"
echo "layering check: 8 cases ok"
