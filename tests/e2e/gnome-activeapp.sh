#!/usr/bin/env bash
# The active application on GNOME: a real GNOME Shell (gnome-shell --headless) on a private session
# bus (and a private stand-in for the system bus) runs our extension, enabled through the shell's
# extensions interface; activeapp_probe follows it as Corvane does. Windows are activated through a
# second, test-only extension, since a headless shell has no input to click with (and the shell does
# not focus a new window that brings no activation token). At the end the extension is turned off
# and on again, as a shell restart does.
#
#   tests/e2e/gnome-activeapp.sh PROBE APP_WINDOW SOURCE_DIR [ARTIFACT_DIR]
#
# As root, the test runs as the user nobody. Exits 77 (skipped) where GNOME Shell cannot start.
set -uo pipefail

probe=$(readlink -f "${1:?usage: gnome-activeapp.sh PROBE APP_WINDOW SOURCE_DIR [ARTIFACT_DIR]}")
app_window=$(readlink -f "${2:?}")
source_dir=$(readlink -f "${3:?}")
artifacts=${4:-/tmp/corvane-gnome-activeapp}
script_args=("$probe" "$app_window" "$source_dir" "$artifacts")

here=$(dirname "$0")
. "$here/checks.sh"
require_tools gnome-activeapp 77 gnome-shell gnome-extensions gdbus dbus-daemon
. "$here/activeapp-common.sh"

export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland GSETTINGS_BACKEND=memory
extensions=$XDG_DATA_HOME/gnome-shell/extensions
mkdir -p "$extensions" "$XDG_DATA_HOME/gnome-shell/modes"

# GNOME Shell 45 changed the extension format; 43 and 44 take the legacy variant.
major=$(gnome-shell --version | grep -o -E '[0-9]+' | head -n1)
if [ "$major" -ge 45 ]; then variant=$source_dir/dist/gnome-shell-extension; else
  variant=$source_dir/dist/gnome-shell-extension/legacy; fi
# Installed as a user installs it: the packed zip, through the shell's own tool.
check "gnome-extensions packs the extension" \
  gnome-extensions pack --force -o "$tmp" "$variant/corvane-focus@corvane.org"
unzip -q -d "$extensions/corvane-focus@corvane.org" "$tmp/corvane-focus@corvane.org.shell-extension.zip"

# The test's own helper: Activate(wm_class) focuses that window.
helper=$extensions/corvane-test-activate@corvane.org
mkdir -p "$helper"
cat >"$helper/metadata.json" <<JSON
{"uuid": "corvane-test-activate@corvane.org", "name": "Corvane test helper", "description": "Activates windows for Corvane's tests.", "shell-version": ["$major"]}
JSON
helper_body='
const XML = `<node><interface name="org.corvane.Test.Activate"><method name="Activate"><arg type="s" direction="in"/><arg type="b" direction="out"/></method></interface></node>`;
class Helper {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(XML, this);
        this._object.export(Gio.DBus.session, "/org/corvane/Test");
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, "org.corvane.Test", 0, null, null);
    }
    disable() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
    }
    Activate(wmClass) {
        for (const actor of global.get_window_actors()) {
            const window = actor.get_meta_window();
            if (window.get_wm_class() === wmClass) {
                window.activate(global.get_current_time());
                return true;
            }
        }
        return false;
    }
}'
if [ "$major" -ge 45 ]; then
  printf '%s\n' "import Gio from 'gi://Gio';" "$helper_body" "export default class extends Helper {}" >"$helper/extension.js"
else
  printf '%s\n' "const {Gio} = imports.gi;" "$helper_body" "function init() { return new Helper(); }" >"$helper/extension.js"
fi
# No overview at start-up: it would hold the focus.
echo '{"parentMode": "user", "hasOverview": false}' >"$XDG_DATA_HOME/gnome-shell/modes/corvane-test.json"

session=$(start_bus) && system=$(start_bus) || { echo "gnome-activeapp: no dbus-daemon"; exit 77; }
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$session") DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p <<<"$system")
pids+=("$(sed -n 2p <<<"$session")" "$(sed -n 2p <<<"$system")")

gnome-shell --mode=corvane-test --headless --wayland --no-x11 --virtual-monitor 1280x800 \
  --wayland-display=wayland-corvane >"$tmp/shell.log" 2>&1 &
pids+=($!)
shell_call() { gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m "org.gnome.Shell.Extensions.$1" "${@:2}"; }
if ! wait_for 60 shell_call ListExtensions >/dev/null; then
  echo "gnome-activeapp: GNOME Shell did not start (skipped)"; tail -n 20 "$tmp/shell.log"; exit 77
fi
export WAYLAND_DISPLAY=wayland-corvane QT_QPA_PLATFORM=wayland

shell_call EnableExtension corvane-test-activate@corvane.org >/dev/null

activate() { gdbus call --session -d org.corvane.Test -o /org/corvane/Test -m org.corvane.Test.Activate.Activate "$1" | grep -q true; }

# The probe finds our extension installed but off, and turns it on as the settings window does.
"$probe" gnome >"$tmp/probe.out" 2>"$tmp/probe.err" &
pids+=($!)
check "the extension is installed, off" wait_for 15 grep -q '^extension Disabled' "$tmp/probe.out"
check "turned on through the shell, it runs" wait_for 15 grep -q '^extension Active' "$tmp/probe.out"
check "the shell reports no error for it" eval "shell_call GetExtensionInfo corvane-focus@corvane.org | grep -q \"'state': <1.0>\""
check "the probe finds the extension on the bus" wait_for 15 grep -q '^following' "$tmp/probe.out"
[ "$failed" -eq 0 ] || tail -n 30 "$tmp/shell.log"
stop_unless_following
"$app_window" com.example.First >"$tmp/first.log" 2>&1 &
pids+=($!)
"$app_window" com.example.Second >"$tmp/second.log" 2>&1 &
pids+=($!)

check "a window activated in the shell is the active application" wait_for 15 \
  eval 'activate com.example.First && is_last com.example.First'
check "then another" wait_for 15 eval 'activate com.example.Second && is_last com.example.Second'
lines=$(lastApp_lines)
check "the extension reports our own window when it has the focus" wait_for 15 \
  eval 'activate org.corvane.Corvane && test "$(seen_count org.corvane.Corvane)" -gt 0'
check "our own window never becomes the active application" \
  test "$(lastApp_lines)" -eq "$lines" -a "$(lastApp)" = com.example.Second
check "back to the first" wait_for 15 eval 'activate com.example.First && is_last com.example.First'

# Off and on again, as when the shell restarts: the window focused meanwhile counts as soon as the
# extension is back, without waiting for the focus to move.
state_is() { shell_call GetExtensionInfo corvane-focus@corvane.org | grep -q "'state': <$1>"; }
shell_call DisableExtension corvane-focus@corvane.org >/dev/null
check "the extension turned off" wait_for 15 state_is 2.0
activate com.example.Second
sleep 0.5
check "while it is off nothing is reported" is_last com.example.First
shell_call EnableExtension corvane-focus@corvane.org >/dev/null
check "turned on again, it reports the window focused meanwhile" wait_for 15 is_last com.example.Second

grep -i -E 'corvane|JS ERROR' "$tmp/shell.log" | tail -n 10 | sed 's/^/shell: /'
finish
