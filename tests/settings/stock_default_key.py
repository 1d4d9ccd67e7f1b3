#!/usr/bin/env python3
"""The default hot key, Ctrl+Super+Space, against the stock desktops' own default bindings as their
packages install them here: GNOME's keybinding schemas (through gsettings, memory backend, so only
the schemas' defaults count), sway's /etc/sway/config and Openbox's rc.xml. A desktop whose files
are not installed is reported as skipped; exit 1 on any conflict, 77 when nothing could be read."""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

WANTED = frozenset({"ctrl", "super"}), "space"
GTK_MODIFIERS = {"control": "ctrl", "primary": "ctrl", "ctrl": "ctrl", "alt": "alt", "mod1": "alt",
                 "super": "super", "mod4": "super", "shift": "shift", "meta": "super"}


def gtk(accelerator):
    modifiers = set()
    rest = accelerator
    while rest.startswith("<"):
        name, _, rest = rest[1:].partition(">")
        modifiers.add(GTK_MODIFIERS.get(name.lower(), name.lower()))
    return frozenset(modifiers), rest.lower()


def gnome():
    env = dict(os.environ, GSETTINGS_BACKEND="memory")
    schemas = subprocess.run(["gsettings", "list-schemas"], env=env, capture_output=True, text=True)
    if schemas.returncode != 0:
        return None
    found = []
    for schema in sorted(schemas.stdout.split()):
        if "keybindings" not in schema and not schema.endswith("media-keys"):
            continue
        listing = subprocess.run(["gsettings", "list-recursively", schema], env=env, capture_output=True, text=True)
        for line in listing.stdout.splitlines():
            parts = line.split(" ", 2)
            if len(parts) == 3:
                for accelerator in re.findall(r"'([^']*)'", parts[2]):
                    found.append((f"{schema} {parts[1]}", gtk(accelerator)))
    return found or None


def sway(path="/etc/sway/config"):
    if not os.path.exists(path):
        return None
    variables, found = {}, []
    for line in open(path, encoding="utf-8"):
        words = line.split()
        if len(words) >= 3 and words[0] == "set":
            variables[words[1]] = words[2]
        elif len(words) >= 3 and words[0] == "bindsym":
            combination = words[1]
            for name, value in variables.items():
                combination = combination.replace(name, value)
            keys = [k.lower() for k in combination.split("+")]
            names = {"mod4": "super", "control": "ctrl", "ctrl": "ctrl", "mod1": "alt", "shift": "shift"}
            found.append((" ".join(words[2:]), (frozenset(names.get(k, k) for k in keys[:-1]), keys[-1])))
    return found


def openbox(path="/etc/xdg/openbox/rc.xml"):
    if not os.path.exists(path):
        return None
    names = {"c": "ctrl", "a": "alt", "s": "shift", "w": "super", "m": "alt"}
    found = []
    for bind in ET.parse(path).iter():
        if bind.tag.endswith("keybind") and bind.get("key"):
            parts = bind.get("key").split("-")
            found.append((bind.get("key"), (frozenset(names.get(p.lower(), p.lower()) for p in parts[:-1]), parts[-1].lower())))
    return found


def main():
    read, conflicts = 0, []
    for desktop, bindings in (("GNOME", gnome()), ("sway", sway()), ("Openbox", openbox())):
        if bindings is None:
            print(f"skip {desktop}: its default bindings are not installed")
            continue
        read += 1
        hits = [what for what, key in bindings if key == WANTED]
        print(f"{'FAIL' if hits else 'ok  '} {desktop}: {len(bindings)} default bindings, Ctrl+Super+Space "
              + (f"taken by {hits}" if hits else "free"))
        conflicts += hits
    if read == 0:
        return 77
    return 1 if conflicts else 0


if __name__ == "__main__":
    sys.exit(main())
