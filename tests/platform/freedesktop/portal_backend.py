#!/usr/bin/env python3
"""A desktop's GlobalShortcuts backend for tests: implements org.freedesktop.impl.portal.GlobalShortcuts
for the real xdg-desktop-portal frontend, and takes orders from the test on /control
(org.corvane.test.PortalControl): refuse binds, press the shortcut, change its trigger, list the calls.
Modes (SetMode) stand for desktops' backends that depart from the protocol's plain reading:
"create-binds" binds only what CreateSession's options name and binds nothing in BindShortcuts (as
Plasma 5.27's does); "binds-nothing" answers every call with success and binds nothing; "no-session"
refuses CreateSession (another desktop's backend that cannot serve this session)."""

import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

BUS_NAME = "org.freedesktop.impl.portal.desktop.corvanetest"
IMPL = "org.freedesktop.impl.portal.GlobalShortcuts"
CONTROL = "org.corvane.test.PortalControl"


def plain(value):
    """dbus-python values as JSON-friendly Python values."""
    if isinstance(value, (dbus.Dictionary, dict)):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, (dbus.Array, dbus.Struct, list, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, (dbus.Boolean,)):
        return bool(value)
    if isinstance(value, (dbus.Int16, dbus.Int32, dbus.Int64, dbus.UInt16, dbus.UInt32, dbus.UInt64, dbus.Byte)):
        return int(value)
    return str(value)


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.calls = []
        self.sessions = {}  # session handle -> {shortcut id: properties}
        self.last_session = None
        self.refuse = False
        self.mode = ""

    def describe(self, trigger):
        return "Desk " + trigger if trigger else ""

    def shortcut_list(self, session):
        return dbus.Array([dbus.Struct((sid, dbus.Dictionary(props, signature="sv")), signature="sa{sv}")
                           for sid, props in self.sessions.get(session, {}).items()], signature="(sa{sv})")

    @dbus.service.method(IMPL, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session, app_id, options):
        self.calls.append({"method": "CreateSession", "session": str(session), "app_id": str(app_id),
                           "shortcuts": plain(options.get("shortcuts", []))})
        if self.mode == "no-session":
            return dbus.UInt32(2), dbus.Dictionary({}, signature="sv")
        self.sessions[str(session)] = {}
        self.last_session = str(session)
        if self.mode == "create-binds":
            self.bind(str(session), options.get("shortcuts", []))
            return dbus.UInt32(0), dbus.Dictionary({"shortcuts": self.shortcut_list(str(session))}, signature="sv")
        return dbus.UInt32(0), dbus.Dictionary({}, signature="sv")

    def bind(self, session, shortcuts):
        bound = {}
        for sid, props in shortcuts:
            trigger = str(props.get("preferred_trigger", ""))
            bound[str(sid)] = {"description": str(props.get("description", "")),
                               "trigger_description": self.describe(trigger)}
        self.sessions[session] = bound

    @dbus.service.method(IMPL, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session, shortcuts, parent_window, options):
        self.calls.append({"method": "BindShortcuts", "session": str(session), "shortcuts": plain(shortcuts)})
        if self.refuse:
            return dbus.UInt32(2), dbus.Dictionary({}, signature="sv")
        if self.mode in ("create-binds", "binds-nothing"):
            return dbus.UInt32(0), dbus.Dictionary({"shortcuts": dbus.Array([], signature="(sa{sv})")}, signature="sv")
        self.bind(str(session), shortcuts)
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": self.shortcut_list(str(session))}, signature="sv")

    @dbus.service.method(IMPL, in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session):
        self.calls.append({"method": "ListShortcuts", "session": str(session)})
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": self.shortcut_list(str(session))}, signature="sv")

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.UInt32(1, variant_level=1)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return dbus.Dictionary({"version": dbus.UInt32(1)}, signature="sv")

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Activated(self, session, shortcut, timestamp, options):
        pass

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Deactivated(self, session, shortcut, timestamp, options):
        pass

    @dbus.service.signal(IMPL, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session, shortcuts):
        pass


class Control(dbus.service.Object):
    def __init__(self, bus, portal):
        super().__init__(bus, "/control")
        self.portal = portal

    @dbus.service.method(CONTROL, in_signature="b", out_signature="")
    def SetRefuse(self, refuse):
        self.portal.refuse = bool(refuse)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def SetMode(self, mode):
        self.portal.mode = str(mode)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="b")
    def Press(self, token):
        """Presses toggle-panel in the latest session; with a token, as a version 2 desktop would send it."""
        session = self.portal.last_session
        if session is None or "toggle-panel" not in self.portal.sessions.get(session, {}):
            return False
        options = dbus.Dictionary({"activation_token": token} if token else {}, signature="sv")
        self.portal.Activated(dbus.ObjectPath(session), "toggle-panel", dbus.UInt64(1234), options)
        self.portal.Deactivated(dbus.ObjectPath(session), "toggle-panel", dbus.UInt64(1300),
                                dbus.Dictionary({}, signature="sv"))
        return True

    @dbus.service.method(CONTROL, in_signature="s", out_signature="b")
    def ChangeTrigger(self, description):
        """The user picked another trigger in the desktop's settings."""
        session = self.portal.last_session
        if session is None or "toggle-panel" not in self.portal.sessions.get(session, {}):
            return False
        self.portal.sessions[session]["toggle-panel"]["trigger_description"] = description
        self.portal.ShortcutsChanged(dbus.ObjectPath(session), self.portal.shortcut_list(session))
        return True

    @dbus.service.method(CONTROL, in_signature="", out_signature="s")
    def Calls(self):
        return json.dumps(self.portal.calls)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    Control(bus, portal)
    name = dbus.service.BusName(BUS_NAME, bus, do_not_queue=True)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    bus.add_signal_receiver(lambda *args: loop.quit(), signal_name="Disconnected",
                            dbus_interface="org.freedesktop.DBus.Local", path="/org/freedesktop/DBus/Local")
    loop.run()
    del name


if __name__ == "__main__":
    sys.exit(main())
