#!/usr/bin/env python3
"""Stands in for a panel's tray on a private session bus: the StatusNotifier watcher with one host, as
KDE Plasma, waybar and other panels run it. Prints "ready" once it owns its name and, for each item
that registers, "registered", then what a tray would draw: "icon WxH opaque N" for each pixmap and
"tooltip TEXT". With --host-after SECONDS the host registers that much later than the watcher starts,
as when a panel brings up its watcher before its tray."""

import argparse
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
PROPERTIES = "org.freedesktop.DBus.Properties"

# Qt reads the watcher's properties through an interface it introspects first.
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
</node>"""


def say(text):
    print(text, flush=True)


class Watcher(dbus.service.Object):
    def __init__(self, bus, host):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.host = host
        self.items = []

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(self.host),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names its bus name or, as Qt does, only its object path on the caller's connection.
        name, path = (sender, service) if service.startswith("/") else (service, "/StatusNotifierItem")
        self.items.append(name + path)
        say("registered")
        self.StatusNotifierItemRegistered(name + path)
        GLib.timeout_add(300, self.describe, name, path)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    def register_host(self):
        self.host = True
        self.StatusNotifierHostRegistered()
        say("host")
        return False

    def describe(self, name, path):
        try:
            item = dbus.Interface(self.bus.get_object(name, path), PROPERTIES)
            for width, height, data in item.Get(ITEM, "IconPixmap"):
                argb = bytes(data)
                opaque = sum(1 for i in range(0, len(argb), 4) if argb[i] > 200)
                say("icon %dx%d opaque %d" % (width, height, opaque))
            say("tooltip %s" % item.Get(ITEM, "ToolTip")[2])
        except dbus.DBusException as error:
            say("unreadable %s" % error.get_dbus_name())
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host-after", type=float, default=0)
    options = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, host=options.host_after <= 0)
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    if options.host_after > 0:
        GLib.timeout_add(int(options.host_after * 1000), watcher.register_host)
    say("ready")
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    sys.exit(main())
