#!/usr/bin/env bash
# Hostile and broken inputs under a private HOME, each read by corvane-data as the program reads it
# (import, discovery, the user's bindings), each run timed and its peak memory taken.
#
#   bench/hostile_inputs.sh BUILD_DIR [FIXTURE_BUNDLE]
#
# Prints one Markdown row per input family: cases, crashes (a signal), hangs (60 s), the largest peak
# resident memory and the longest run.
set -uo pipefail
build=$(cd "${1:?usage: hostile_inputs.sh BUILD_DIR [FIXTURE_BUNDLE]}" && pwd)
bundle=${2:-$build/tests/discovery/fixture.gresource}
library=$build/lib/libcorvane_fixture_app.so
data_tool=$build/bin/corvane-data
catalogue=$build/share/corvane/ShortcutData
tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvane-hostile.XXXXXX")
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT

cases=0 crashes=0 hangs=0 peak_kb=0 longest=0
reset() { cases=0 crashes=0 hangs=0 peak_kb=0 longest=0; }
# run [ENV=VALUE...] -- ARGS...: one corvane-data run under a private HOME.
run() {
  local envs=()
  while [ "$1" != "--" ]; do envs+=("$1"); shift; done
  shift
  env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share" \
    XDG_CACHE_HOME="$tmp/home/.cache" XDG_DATA_DIRS="$tmp/none" "${envs[@]}" \
    timeout -s KILL 60 /usr/bin/time -f "%e %M" -o "$tmp/time" "$data_tool" "$@" >"$tmp/out" 2>"$tmp/err"
  local status=$?
  cases=$((cases + 1))
  if [ "$status" -eq 137 ]; then hangs=$((hangs + 1)); return; fi
  grep -q "Command terminated by signal" "$tmp/time" && crashes=$((crashes + 1))
  local seconds kb
  read -r seconds kb < <(tail -n1 "$tmp/time")
  [ "${kb:-0}" -gt "$peak_kb" ] && peak_kb=$kb
  awk -v a="$seconds" -v b="$longest" 'BEGIN { exit !(a > b) }' && longest=$seconds
}
row() { printf '| %s | %d | %d | %d | %d MB | %s s |\n' "$1" "$cases" "$crashes" "$hangs" $((peak_kb / 1024)) "$longest"; reset; }
fresh_home() { rm -rf "$tmp/home"; mkdir -p "$tmp/home/.config" "$tmp/home/.local/share/applications" "$tmp/home/.cache"; }

echo "| input family | cases | crashes | hangs | peak memory | longest run |"
echo "|---|---|---|---|---|---|"

fresh_home
mkdir "$tmp/mutants"
python3 - "$bundle" "$tmp/mutants" <<'PY'
import sys
base = open(sys.argv[1], 'rb').read()
at = 0
while at < len(base):
    b = bytearray(base); b[at] ^= 1
    open('%s/%05d.gresource' % (sys.argv[2], at), 'wb').write(b)
    at += 1 if at < 256 else 31
PY
for mutant in "$tmp"/mutants/*; do run -- import "$mutant"; done
row "resource bundle, one byte changed (every byte of the first 256, then every 31st)"

cp "$library" "$tmp/shrinking"
( while :; do truncate -s 3000 "$tmp/shrinking"; cp "$library" "$tmp/shrinking"; done ) &
cutter=$!
for i in $(seq 50); do run -- import "$tmp/shrinking"; done
kill $cutter; wait $cutter 2>/dev/null
row "program file cut and restored while read (50 imports)"

# sway: variables that double per line, in the 428-byte and 548-byte forms and 40 lines deep.
for lines in 24 30 40; do
  fresh_home; mkdir -p "$tmp/home/.config/sway"
  { echo 'set $a0 xx'; for ((i = 1; i <= lines; i++)); do echo "set \$a$i \$a$((i - 1))\$a$((i - 1))"; done
    echo "bindsym Mod4+x exec \$a$lines"; } >"$tmp/home/.config/sway/config"
  run -- entries "$catalogue" --user-bindings
done
row "sway config, set variables doubling per line (24, 30, 40 lines)"

fresh_home; mkdir -p "$tmp/home/.config/sway"
run -- entries "$catalogue" --user-bindings
shipped=$(grep -c '"appSlug":"sway"' "$tmp/out")
for kind in zeros garbage; do
  if [ $kind = zeros ]; then head -c 65536 /dev/zero; else head -c 65536 /dev/urandom; fi >"$tmp/home/.config/sway/config"
  run -- entries "$catalogue" --user-bindings
  kept=$(grep -c '"appSlug":"sway"' "$tmp/out")
  [ "$kept" -eq "$shipped" ] || echo "note: $kind config left $kept of $shipped sway rows" >&2
done
row "sway config of NUL bytes or random bytes (the $shipped shipped sway rows stay)"

fresh_home; mkdir -p "$tmp/home/.config/sway" "$tmp/home/.config/openbox"
for ((i = 0; i < 100000; i++)); do echo "bindsym Mod4+k$i exec foot"; done >"$tmp/home/.config/sway/config"
run -- entries "$catalogue" --user-bindings
for ((i = 0; i < 60000; i++)); do echo "bindsym Mod4+k$i exec foot$i"; done >"$tmp/home/.config/sway/config"
run -- entries "$catalogue" --user-bindings
rm "$tmp/home/.config/sway/config"
{ echo "[kwin]"; for ((i = 0; i < 50000; i++)); do echo "Action $i=Meta+F$i,none,Action $i"; echo "_k_friendly_name=KWin"; done; } \
  >"$tmp/home/.config/kglobalshortcutsrc"
run -- entries "$catalogue" --user-bindings
rm "$tmp/home/.config/kglobalshortcutsrc"
python3 -c "
n = 20000
print('<openbox_config><keyboard>' + '<keybind key=\"W-a\"><action name=\"Nop\"/>' * n + '</keybind>' * n + '</keyboard></openbox_config>')" \
  >"$tmp/home/.config/openbox/rc.xml"
run -- entries "$catalogue" --user-bindings
row "100k keys of one command, 60k distinct bindings, 50k KDE friendly names, Openbox 20k deep"

fresh_home; mkdir -p "$tmp/home/.cache/corvane" "$tmp/home/.config/glib-2.0/settings"
mkfifo "$tmp/home/.local/share/applications/x.desktop" "$tmp/home/.cache/corvane/discovered.json"
run -- entries "$catalogue" --discover
rm "$tmp/home/.cache/corvane/discovered.json"; ln -s /dev/zero "$tmp/home/.cache/corvane/discovered.json"
run -- entries "$catalogue" --discover
[ -c /dev/zero ] || echo "note: /dev/zero is no longer a device" >&2
mkfifo "$tmp/home/.config/glib-2.0/settings/keyfile"
run GSETTINGS_BACKEND=keyfile -- entries "$catalogue" --user-bindings
row "FIFO desktop entry, cache as FIFO and as link to /dev/zero, GSettings keyfile as FIFO"
