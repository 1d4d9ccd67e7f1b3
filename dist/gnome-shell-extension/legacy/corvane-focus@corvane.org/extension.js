// Corvane focus reporter, for GNOME Shell 43 and 44 (the module format before ES modules). It is
// ../../corvane-focus@corvane.org/extension.js, the one for GNOME Shell 45 and later, with only the
// imports and the entry point changed: change both together.
//
// Publishes on the session bus, under the name org.corvane.Corvane.FocusReporter and the object
// /org/corvane/Corvane/FocusReporter, interface org.corvane.Corvane.FocusReporter1:
//   GetFocus() -> (app_id s, wm_class s, sandboxed_app_id s, pid u)
//   signal FocusChanged(app_id s, wm_class s, sandboxed_app_id s, pid u)
//   property Version u (1)
// It also places Corvane's own windows as Corvane does on X11, where GNOME would put them at a
// corner: on the work area of the monitor with the pointer, centred, the panel (titled "Corvane")
// raised by a tenth of the area's height.
//
// app_id is the desktop file id the shell's window tracker gives the focused window
// ("org.gnome.TextEditor.desktop"), empty when the shell knows no desktop file for it; all fields
// are empty (pid 0) while no window has the focus. The interface name carries its version: a
// change that breaks readers gets a new interface, FocusReporter2.

const {Gio, GLib, Shell} = imports.gi;

const BUS_NAME = 'org.corvane.Corvane.FocusReporter';
const OBJECT_PATH = '/org/corvane/Corvane/FocusReporter';
const INTERFACE_XML = `<node>
  <interface name="org.corvane.Corvane.FocusReporter1">
    <method name="GetFocus">
      <arg type="s" name="app_id" direction="out"/>
      <arg type="s" name="wm_class" direction="out"/>
      <arg type="s" name="sandboxed_app_id" direction="out"/>
      <arg type="u" name="pid" direction="out"/>
    </method>
    <signal name="FocusChanged">
      <arg type="s" name="app_id"/>
      <arg type="s" name="wm_class"/>
      <arg type="s" name="sandboxed_app_id"/>
      <arg type="u" name="pid"/>
    </signal>
    <property name="Version" type="u" access="read"/>
  </interface>
</node>`;

class FocusReporter {
    constructor() {
        this._tracker = Shell.WindowTracker.get_default();
        this._last = null;
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, this);
        this._exported.export(Gio.DBus.session, OBJECT_PATH);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._focusId = global.display.connect('notify::focus-window', () => this._report());
        // The tracker may find a new window's application only after the window took the focus.
        this._appId = this._tracker.connect('notify::focus-app', () => this._report());
        this._createdId = global.display.connect('window-created', (display, window) => this._place(window));
    }

    // Our windows, placed on the monitor with the pointer once they show their first frame (a
    // Wayland window has no class or title yet when it is created).
    _place(window) {
        const actor = window.get_compositor_private();
        if (!actor)
            return;
        const firstFrame = actor.connect('first-frame', () => {
            actor.disconnect(firstFrame);
            const id = window.get_wm_class() ?? '';
            if (id !== 'org.corvane.Corvane' && id !== 'corvane')
                return;
            const monitor = global.display.get_current_monitor();
            const area = window.get_work_area_for_monitor(monitor);
            const frame = window.get_frame_rect();
            const raise = window.get_title() === 'Corvane' ? 0.1 * area.height : 0;
            window.move_frame(true, area.x + Math.round((area.width - frame.width) / 2),
                area.y + Math.round((area.height - frame.height) / 2 - raise));
        });
    }

    destroy() {
        global.display.disconnect(this._focusId);
        global.display.disconnect(this._createdId);
        this._tracker.disconnect(this._appId);
        Gio.bus_unown_name(this._nameId);
        this._exported.unexport();
    }

    get Version() {
        return 1;
    }

    GetFocus() {
        return this._focus();
    }

    _focus() {
        const window = global.display.focus_window;
        if (!window)
            return ['', '', '', 0];
        const app = this._tracker.get_window_app(window);
        // Windows without a desktop file get made-up ids such as "window:12": not worth reporting.
        let appId = app ? app.get_id() ?? '' : '';
        if (!appId.endsWith('.desktop'))
            appId = '';
        const pid = window.get_pid();
        return [appId, window.get_wm_class() ?? '', window.get_sandboxed_app_id() ?? '', pid > 0 ? pid : 0];
    }

    _report() {
        const focus = this._focus();
        const key = focus.join('\n');
        if (key === this._last)
            return;
        this._last = key;
        this._exported.emit_signal('FocusChanged', new GLib.Variant('(sssu)', focus));
    }
}

class CorvaneFocusExtension {
    enable() {
        this._reporter = new FocusReporter();
    }

    disable() {
        this._reporter?.destroy();
        this._reporter = null;
    }
}

/* exported init */
function init() {
    return new CorvaneFocusExtension();
}
