// Corvane active-window reporter, a KWin script for Plasma 5.27 and 6.
//
// Corvane loads this file through KWin's scripting D-Bus interface when it starts and unloads it
// when it quits. On every activation the script calls, on the session bus,
//   org.corvane.Corvane.ActiveWindow  /org/corvane/Corvane/ActiveWindow
//   org.corvane.Corvane.ActiveWindow1.WindowActivated(desktopFileName, resourceClass, resourceName, pid)
// with the three texts as strings (empty when KWin does not know them) and the process id as a
// number (0 when unknown). It reports the window active when it is loaded, too.
//
// It also places Corvane's own windows as Corvane does on X11, where KWin's placement would keep them
// off the windows already there: on the work area of the screen with the pointer, centred, the
// panel (captioned "Corvane") raised by a tenth of the area's height. A change that breaks
// readers gets a new interface, ActiveWindow2.

const service = "org.corvane.Corvane.ActiveWindow";
const path = "/org/corvane/Corvane/ActiveWindow";
const iface = "org.corvane.Corvane.ActiveWindow1";

// KWin 5 hands some texts over as byte arrays, KWin 6 as strings.
function text(value) {
    if (value === undefined || value === null)
        return "";
    if (typeof value === "string")
        return value;
    if (value instanceof ArrayBuffer) {
        let result = "";
        const bytes = new Uint8Array(value);
        for (let i = 0; i < bytes.length; ++i)
            result += String.fromCharCode(bytes[i]);
        try {
            return decodeURIComponent(escape(result));  // the bytes are UTF-8
        } catch (e) {
            return result;
        }
    }
    return String(value);
}

function report(window) {
    // Nothing active (the desktop, or the last window closed): Corvane keeps what it had.
    if (!window)
        return;
    const pid = Number(window.pid);
    callDBus(service, path, iface, "WindowActivated", text(window.desktopFileName), text(window.resourceClass),
             text(window.resourceName), Number.isInteger(pid) && pid > 0 ? pid : 0);
}

function isCorvane(window) {
    return text(window.desktopFileName) === "org.corvane.Corvane" || text(window.resourceClass) === "corvane";
}

function place(window) {
    if (!window || !isCorvane(window))
        return;
    const pointer = workspace.cursorPos;
    // KWin 6 names outputs, KWin 5 numbers screens; both answer screenAt.
    const screen = workspace.screenAt !== undefined ? workspace.screenAt(pointer) : workspace.activeScreen;
    const area = workspace.clientArea(KWin.PlacementArea, screen, workspace.currentDesktop);
    const frame = window.frameGeometry;
    const raise = text(window.caption) === "Corvane" ? 0.1 * area.height : 0;
    window.frameGeometry = {
        x: Math.round(area.x + (area.width - frame.width) / 2),
        y: Math.round(area.y + (area.height - frame.height) / 2 - raise),
        width: frame.width,
        height: frame.height
    };
}

if (workspace.windowActivated !== undefined) {  // KWin 6
    workspace.windowActivated.connect(report);
    workspace.windowAdded.connect(place);
    report(workspace.activeWindow);
} else {  // KWin 5
    workspace.clientActivated.connect(report);
    workspace.clientAdded.connect(place);
    report(workspace.activeClient);
}
