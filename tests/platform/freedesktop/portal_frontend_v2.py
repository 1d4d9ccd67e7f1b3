#!/usr/bin/env python3
"""Stands in for a newer xdg-desktop-portal (GlobalShortcuts version 2, the host app registry) on a
private bus, for what Debian's 1.16 frontend does not have: Registry.Register, ConfigureShortcuts,
object-path session handles. Control on /control (org.corvane.test.PortalControl): Press, Calls."""

import json
import sys

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REGISTRY = "org.freedesktop.host.portal.Registry"


class Frontend(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.calls = []
        self.session = None
        self.owner = None

    def request_path(self, sender, options):
        return "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), options.get("handle_token", "t"))

    def respond(self, sender, path, response, results):
        def send():
            message = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
            message.append(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"), signature="ua{sv}")
            message.set_destination(sender)
            self.bus.send_message(message)
            return False
        GLib.idle_add(send)

    @dbus.service.method(REGISTRY, in_signature="sa{sv}", out_signature="", sender_keyword="sender")
    def Register(self, app_id, options, sender=None):
        self.calls.append({"method": "Register", "app_id": str(app_id)})

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        self.calls.append({"method": "CreateSession"})
        self.owner = sender
        self.session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"), options["session_handle_token"])
        path = self.request_path(sender, options)
        self.respond(sender, path, 0, {"session_handle": dbus.ObjectPath(self.session)})
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        self.calls.append({"method": "BindShortcuts", "session": str(session),
                           "trigger": str(shortcuts[0][1].get("preferred_trigger", ""))})
        bound = dbus.Array([dbus.Struct((str(sid), dbus.Dictionary(
            {"description": props.get("description", ""), "trigger_description": "Super+Shift+Space (v2)"},
            signature="sv")), signature="sa{sv}") for sid, props in shortcuts], signature="(sa{sv})")
        path = self.request_path(sender, options)
        self.respond(sender, path, 0, {"shortcuts": bound})
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def ListShortcuts(self, session, options, sender=None):
        path = self.request_path(sender, options)
        self.respond(sender, path, 0, {"shortcuts": dbus.Array([], signature="(sa{sv})")})
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="osa{sv}", out_signature="")
    def ConfigureShortcuts(self, session, parent_window, options):
        self.calls.append({"method": "ConfigureShortcuts", "session": str(session)})

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SHORTCUTS and name == "version":
            return dbus.UInt32(2, variant_level=1)
        raise dbus.exceptions.DBusException("no such property", name="org.freedesktop.DBus.Error.UnknownProperty")

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut, timestamp, options):
        pass


class Control(dbus.service.Object):
    def __init__(self, bus, frontend):
        super().__init__(bus, "/control")
        self.frontend = frontend

    @dbus.service.method("org.corvane.test.PortalControl", in_signature="s", out_signature="b")
    def Press(self, token):
        if self.frontend.session is None:
            return False
        self.frontend.Activated(dbus.ObjectPath(self.frontend.session), "toggle-panel", dbus.UInt64(1),
                                dbus.Dictionary({"activation_token": token}, signature="sv"))
        return True

    @dbus.service.method("org.corvane.test.PortalControl", in_signature="", out_signature="s")
    def Calls(self):
        return json.dumps(self.frontend.calls)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    frontend = Frontend(bus)
    Control(bus, frontend)
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    sys.exit(main())
