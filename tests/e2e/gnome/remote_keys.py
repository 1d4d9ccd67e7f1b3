#!/usr/bin/env python3
"""Types keys into a headless GNOME Shell through Mutter's remote-desktop interface, as a person at the
keyboard would: the shell's seat has a keyboard only while a remote-desktop session is open, so this
program keeps one open and takes orders on standard input, one a line:

    press ctrl+super+space     modifiers held, the key pressed and released, modifiers released
    type copy                  the characters, one key each
    quit

and answers each with "done" (or "error ..."), after a moment for the shell to handle the keys.
Key names are X keysym names ("space", "Escape", "k", "Super_L" for super)."""

import sys
import time

import dbus

MODIFIERS = {"ctrl": 0xffe3, "control": 0xffe3, "alt": 0xffe9, "shift": 0xffe1, "super": 0xffeb}
NAMED = {"space": 0x20, "Escape": 0xff1b, "Return": 0xff0d, "Down": 0xff54, "Up": 0xff52, "Tab": 0xff09,
         "BackSpace": 0xff08, "period": 0x2e}


def keysym(name):
    if name in NAMED:
        return NAMED[name]
    if len(name) == 1:
        return ord(name)
    if name in MODIFIERS:
        return MODIFIERS[name]
    raise ValueError(f"unknown key {name}")


def main():
    bus = dbus.SessionBus()
    remote = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
    path = remote.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
    session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                             "org.gnome.Mutter.RemoteDesktop.Session")
    session.Start()
    print("ready", flush=True)

    def key(sym, down):
        session.NotifyKeyboardKeysym(dbus.UInt32(sym), dbus.Boolean(down))
        time.sleep(0.02)

    for line in sys.stdin:
        words = line.split(None, 1)
        if not words:
            continue
        try:
            if words[0] == "quit":
                break
            if words[0] == "press":
                parts = words[1].strip().split("+")
                held = [keysym(p) for p in parts[:-1]]
                for sym in held:
                    key(sym, True)
                last = keysym(parts[-1])
                key(last, True)
                key(last, False)
                for sym in reversed(held):
                    key(sym, False)
            elif words[0] == "type":
                for ch in words[1].rstrip("\n"):
                    key(keysym(ch), True)
                    key(keysym(ch), False)
            else:
                raise ValueError(f"unknown order {words[0]}")
            time.sleep(0.05)
            print("done", flush=True)
        except Exception as error:  # the test reads the answer
            print(f"error {error}", flush=True)
    session.Stop()


if __name__ == "__main__":
    main()
