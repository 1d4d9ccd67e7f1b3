# shellcheck shell=bash
# A headless GNOME Shell for the end-to-end tests, sourced after checks.sh and private_home:
#
#   gnome_session_start SOURCE_DIR   private session and system buses, Corvane's shell extension
#                                    (installed as a user installs it) and a test helper extension,
#                                    both on; the shell on a 1280x800 virtual monitor. Sets
#                                    $gnome_display; fails where the shell cannot start.
#   helper METHOD [ARG]              calls the test helper (org.corvane.Test):
#     Activate WM_CLASS              focuses that window
#     Focus                          ('wm_class', 'title') of the window with the focus
#     Placed WM_CLASS                whether that window's panel (titled "Corvane") lies where Corvane
#                                    places it on X11: centred on its monitor's work area, raised by a
#                                    tenth of the area's height (2 px)
#     Geometry WM_CLASS              "x,y,w,h in x,y,w,h": that window's panel frame and its work area
#     Windows                        the titles of all windows, one a line
#     Screenshot PATH                the screen as a PNG
#   shell_call METHOD ARGS...        org.gnome.Shell.Extensions

shell_call() { gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m "org.gnome.Shell.Extensions.$1" "${@:2}"; }
helper() { gdbus call --session -d org.corvane.Test -o /org/corvane/Test -m "org.corvane.Test.Helper.$1" "${@:2}"; }

gnome_helper_body='
const XML = `<node><interface name="org.corvane.Test.Helper">
  <method name="Activate"><arg type="s" direction="in"/><arg type="b" direction="out"/></method>
  <method name="Focus"><arg type="s" direction="out"/><arg type="s" direction="out"/></method>
  <method name="Placed"><arg type="s" direction="in"/><arg type="b" direction="out"/></method>
  <method name="Geometry"><arg type="s" direction="in"/><arg type="s" direction="out"/></method>
  <method name="Windows"><arg type="s" direction="out"/></method>
  <method name="Screenshot"><arg type="s" direction="in"/><arg type="b" direction="out"/></method>
</interface></node>`;
class Helper {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(XML, this);
        this._object.export(Gio.DBus.session, "/org/corvane/Test");
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, "org.corvane.Test", 0, null, null);
        // The headless shell shows the overview at start-up, which holds the keyboard.
        Main.overview.hide();
    }
    disable() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
    }
    _windows() {
        return global.get_window_actors().map(actor => actor.get_meta_window());
    }
    Activate(wmClass) {
        Main.overview.hide();
        const window = this._windows().find(w => w.get_wm_class() === wmClass);
        if (window)
            window.activate(global.get_current_time());
        return !!window;
    }
    Focus() {
        const window = global.display.focus_window;
        return window ? [window.get_wm_class() ?? "", window.get_title() ?? ""] : ["", ""];
    }
    Placed(wmClass) {
        const window = this._windows().find(w => w.get_wm_class() === wmClass && w.get_title() === "Corvane");
        if (!window)
            return false;
        const area = window.get_work_area_current_monitor();
        const frame = window.get_frame_rect();
        const dx = (frame.x + frame.width / 2) - (area.x + area.width / 2);
        const dy = (frame.y + frame.height / 2) - (area.y + area.height / 2 - 0.1 * area.height);
        return Math.abs(dx) <= 2 && Math.abs(dy) <= 2;
    }
    Geometry(wmClass) {
        const window = this._windows().find(w => w.get_wm_class() === wmClass && w.get_title() === "Corvane");
        if (!window)
            return "none";
        const a = window.get_work_area_current_monitor();
        const f = window.get_frame_rect();
        return `${f.x},${f.y},${f.width},${f.height} in ${a.x},${a.y},${a.width},${a.height}`;
    }
    Windows() {
        return this._windows().map(w => w.get_title() ?? "").join("\\n");
    }
    Screenshot(path) {
        const stream = Gio.File.new_for_path(path).replace(null, false, Gio.FileCreateFlags.NONE, null);
        new Shell.Screenshot().screenshot(false, stream, (shooter, result) => {
            try {
                shooter.screenshot_finish(result);
            } finally {
                stream.close(null);
            }
        });
        return true;
    }
}'

gnome_session_start() {
  local source_dir=$1 major variant extensions helper_dir session system
  extensions=$XDG_DATA_HOME/gnome-shell/extensions
  mkdir -p "$extensions"
  # GNOME Shell 45 changed the extension format; 43 and 44 take the legacy variant.
  major=$(gnome-shell --version | grep -o -E '[0-9]+' | head -n1)
  if [ "$major" -ge 45 ]; then variant=$source_dir/dist/gnome-shell-extension; else
    variant=$source_dir/dist/gnome-shell-extension/legacy; fi
  gnome-extensions pack --force -o "$tmp" "$variant/corvane-focus@corvane.org" >/dev/null || return 1
  unzip -q -d "$extensions/corvane-focus@corvane.org" "$tmp/corvane-focus@corvane.org.shell-extension.zip" || return 1
  helper_dir=$extensions/corvane-test-helper@corvane.org
  mkdir -p "$helper_dir"
  printf '{"uuid": "corvane-test-helper@corvane.org", "name": "Corvane test helper", "description": "Drives the shell for Corvane'"'"'s tests.", "shell-version": ["%s"]}\n' \
    "$major" >"$helper_dir/metadata.json"
  if [ "$major" -ge 45 ]; then
    printf '%s\n' "import Gio from 'gi://Gio';" "import Shell from 'gi://Shell';" \
      "import * as Main from 'resource:///org/gnome/shell/ui/main.js';" "$gnome_helper_body" \
      "export default class extends Helper {}" >"$helper_dir/extension.js"
  else
    printf '%s\n' "const {Gio, Shell} = imports.gi;" "const Main = imports.ui.main;" "$gnome_helper_body" \
      "function init() { return new Helper(); }" >"$helper_dir/extension.js"
  fi
  session=$(start_bus) && system=$(start_bus) || { echo "gnome session: no dbus-daemon"; return 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$session") DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p <<<"$system")
  pids+=("$(sed -n 2p <<<"$session")" "$(sed -n 2p <<<"$system")")
  gnome_display=wayland-corvane
  gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 --wayland-display="$gnome_display" \
    >"$tmp/shell.log" 2>&1 &
  pids+=($!)
  if ! wait_for 60 shell_call ListExtensions >/dev/null; then
    echo "gnome session: GNOME Shell did not start"; tail -n 20 "$tmp/shell.log"; return 1
  fi
  export WAYLAND_DISPLAY=$gnome_display
  shell_call EnableExtension corvane-test-helper@corvane.org >/dev/null
  shell_call EnableExtension corvane-focus@corvane.org >/dev/null
  wait_for 15 helper Windows >/dev/null || { echo "gnome session: the test helper did not start"; tail -n 20 "$tmp/shell.log"; return 1; }
}
