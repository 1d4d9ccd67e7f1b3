#!/usr/bin/env python3
"""Compares the shipped data files with the default keys the programs themselves ship.

For each program whose default keymap is machine-readable, reads its keys from a folder holding
the unpacked packages (`apt-get download` and `dpkg-deb -x` into one folder, nothing installed) and
lists what the data file lacks (keys the program binds by default and the file does not list) and
what it has that the program does not bind by default. Keys are compared, not titles: the data
files word titles for people, the programs name actions for themselves.

    tools/audit-catalogue.py ROOT [--data data/ShortcutData] [--corvane-data build/tools/corvane-data/corvane-data]
                             [--details] [APP...]

Sources read (paths under ROOT):
  krita               usr/share/krita/shortcuts/krita_default.shortcuts, usr/share/krita/actions/*.action
  inkscape            usr/share/inkscape/keys/inkscape.xml
  mpv                 usr/share/doc/mpv/input.conf.gz (the built-in bindings, commented out)
  libreoffice-*       usr/lib/libreoffice/share/.registry/main.xcd (the Accelerators component)
  GTK programs        the shortcuts window in the program's binary, read by `corvane-data import`
                      (gnome-terminal has none: its keys live in its GSettings schema)
VLC keeps its defaults in libvlccore's code, not in a file; it is not audited.
"""

import argparse
import glob
import gzip
import json
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

MODIFIERS = ["ctrl", "alt", "shift", "super"]
MODIFIER_NAMES = {"ctrl": "ctrl", "control": "ctrl", "primary": "ctrl", "alt": "alt", "opt": "alt",
                  "shift": "shift", "super": "super", "meta": "super", "win": "super"}
# Characters the data files may write as themselves or by name, folded to one spelling.
CHAR_NAMES = {".": "period", ",": "comma", "[": "leftbracket", "]": "rightbracket", "+": "plus",
              "-": "minus", "=": "equal", "/": "slash", "\\": "backslash", ";": "semicolon",
              "'": "quote", "`": "backtick", "~": "tilde", " ": "space"}
TOKEN_ALIASES = {"return": "enter", "escape": "esc", "del": "delete", "ins": "insert", "pgup": "pageup",
                 "pgdn": "pagedown", "pgdown": "pagedown", "pgdwn": "pagedown", "prior": "pageup", "next": "pagedown",
                 "apostrophe": "quote", "grave": "backtick", "equals": "equal", "dash": "minus",
                 "dot": "period", "bs": "backspace", "sharp": "#"}


# Characters typed with Shift on a US keyboard: the data files write them without it.
SHIFTED = set('!@#$%^&*()_{}|:"<>?~')


def canonical_chord(tokens):
    mods = set()
    keys = []
    for token in tokens:
        low = token.lower()
        if low in MODIFIER_NAMES:
            mods.add(MODIFIER_NAMES[low])
            continue
        if len(token) == 1:
            if token.isalpha() and token.isupper():
                mods.add("shift")
            keys.append(CHAR_NAMES.get(token, token.lower()))
        else:
            keys.append(TOKEN_ALIASES.get(low, low))
    if keys and all(k in SHIFTED for k in keys):
        mods.discard("shift")
    return "+".join([m for m in MODIFIERS if m in mods] + keys)


def canonical(key):
    """A data-file key text in one spelling: "Ctrl+Shift+Z" and "shift+ctrl+z" alike."""
    chords = []
    for chord in key.split(" "):
        if not chord:
            continue
        tokens = re.split(r"\+(?!$)", chord)
        tokens = ["+" if t == "" else t for t in tokens]
        chords.append(canonical_chord(tokens))
    return " ".join(chords)


def qt_key(text):
    """Qt's portable text ("Ctrl+Shift+PgUp", "Ctrl++") to a canonical key."""
    text = text.strip()
    if not text or text.lower() == "none":
        return None
    tokens = text.split("+")
    if text.endswith("++"):
        tokens = text[:-2].split("+") + ["+"]
    elif tokens[-1] == "" and len(tokens) > 1:
        tokens = tokens[:-1] + ["+"]
    # Qt writes letters upper case; Shift is always written out.
    tokens = [t.lower() if len(t) == 1 else t for t in tokens if t != ""]
    return canonical_chord(tokens)


def gtk_key(text):
    """A GTK accelerator ("<primary><shift>z") to a canonical key."""
    mods = re.findall(r"<([^>]*)>", text)
    name = re.sub(r"<[^>]*>", "", text)
    if not name:
        return None
    low = name.lower()
    named = {"page_up": "pageup", "page_down": "pagedown", "kp_add": "numpadplus", "kp_subtract": "numpadminus",
             "kp_multiply": "numpadmultiply", "kp_divide": "numpaddivide", "kp_enter": "numpadenter",
             "bracketleft": "leftbracket", "bracketright": "rightbracket", "parenleft": "(", "parenright": ")",
             "numbersign": "#", "dollar": "$", "percent": "%", "asciicircum": "^", "ampersand": "&",
             "asterisk": "*", "question": "?", "exclam": "!", "at": "@", "underscore": "_", "colon": ":",
             "less": "<", "greater": ">", "bar": "|", "braceleft": "{", "braceright": "}", "quotedbl": '"',
             "asciitilde": "tilde", "iso_left_tab": "tab", "kp_home": "numpadhome", "kp_end": "numpadend",
             "kp_page_up": "numpadpageup", "kp_page_down": "numpadpagedown", "kp_up": "numpadup",
             "kp_down": "numpaddown", "kp_left": "numpadleft", "kp_right": "numpadright",
             "kp_insert": "numpadinsert", "kp_delete": "numpaddelete", "kp_decimal": "numpaddecimal"}
    if low.startswith("kp_") and low[3:].isdigit():
        token = "numpad" + low[3:]
    else:
        token = named.get(low, name if len(name) == 1 else low)
    tokens = [m for m in mods if m.lower() != "release"]
    if low == "iso_left_tab":
        tokens.append("shift")
    if len(token) == 1 and token.isalpha():
        token = token.lower()
    return canonical_chord(tokens + [token])


def mpv_key(text):
    """An input.conf key ("Ctrl+LEFT", "Q", "KP1", "SHARP") to a canonical key; None for mouse input."""
    if text.startswith(("MBTN", "WHEEL", "MOUSE", "AXIS", "MP_KEY", "GAMEPAD")) or "MBTN" in text:
        return None
    tokens = text.split("+")
    if text.endswith("++"):
        tokens = text[:-2].split("+") + ["+"]
    tokens = [t for t in tokens if t != ""]
    out = []
    for token in tokens:
        low = token.lower()
        if low.startswith("kp") and low[2:].isdigit():
            out.append("numpad" + low[2:])
        elif low in ("kp_enter", "kp_ins", "kp_del", "kp_dec"):
            out.append({"kp_enter": "numpadenter", "kp_ins": "numpadinsert", "kp_del": "numpaddelete",
                        "kp_dec": "numpaddecimal"}[low])
        elif low in ("play", "pause", "playpause", "stop", "forward", "rewind", "next", "prev", "volume_up",
                     "volume_down", "mute", "close_win", "power", "menu", "record", "channel_up", "channel_down",
                     "zoomin", "zoomout", "favorites", "homepage", "mail", "search", "sleep", "cancel", "print"):
            return None
        else:
            out.append(token)
    return canonical_chord(out)


def libreoffice_key(name):
    """A LibreOffice accelerator node name ("F5_SHIFT_MOD1") to a canonical key."""
    parts = name.split("_")
    key = parts[0]
    mods = []
    for part in parts[1:]:
        mods.append({"SHIFT": "shift", "MOD1": "ctrl", "MOD2": "alt", "MOD3": "ctrl"}.get(part, part))
    named = {"ADD": "plus", "SUBTRACT": "minus", "MULTIPLY": "*", "DIVIDE": "slash", "POINT": "period",
             "COMMA": "comma", "ESCAPE": "esc", "RETURN": "enter", "PAGEUP": "pageup", "PAGEDOWN": "pagedown",
             "BACKSPACE": "backspace", "SEMICOLON": "semicolon", "EQUAL": "equal", "BRACKETLEFT": "leftbracket",
             "BRACKETRIGHT": "rightbracket", "QUOTELEFT": "backtick", "QUOTERIGHT": "quote", "TILDE": "tilde",
             "COLON": ":", "LESS": "<", "GREATER": ">", "DECIMAL": "period", "CONTEXTMENU": "menu"}
    if key.startswith("NUM") and key[3:].isdigit():
        token = key[3:]
    else:
        token = named.get(key, key.lower())
    return canonical_chord(mods + [token])


# Each reader returns {canonical key: what the program calls it}.

def read_krita(root):
    keys = {}
    for path in sorted(glob.glob(os.path.join(root, "usr/share/krita/actions/*.action"))):
        for action in ET.parse(path).getroot().iter("Action"):
            shortcut = action.findtext("shortcut") or ""
            for text in shortcut.split("; "):
                key = qt_key(text)
                if key:
                    keys.setdefault(key, action.get("name"))
    scheme = os.path.join(root, "usr/share/krita/shortcuts/krita_default.shortcuts")
    with open(scheme, encoding="utf-8") as f:
        for line in f:
            if "=" not in line or line.startswith("["):
                continue
            name, value = line.rstrip("\n").split("=", 1)
            for text in value.split("; "):
                key = qt_key(text)
                if key:
                    keys[key] = name
    return keys


def read_inkscape(root):
    keys = {}
    tree = ET.parse(os.path.join(root, "usr/share/inkscape/keys/inkscape.xml"))
    for bind in tree.getroot().iter("bind"):
        for text in (bind.get("keys") or "").split(","):
            key = gtk_key(text.strip()) if text.strip() else None
            if key:
                keys.setdefault(key, bind.get("gaction") or bind.get("action"))
    return keys


def read_mpv(root):
    keys = {}
    with gzip.open(os.path.join(root, "usr/share/doc/mpv/input.conf.gz"), "rt", encoding="utf-8") as f:
        for line in f:
            # The built-in bindings are the lines commented out with "#" and no space after it.
            if not line.startswith("#") or line.startswith(("# ", "##")) or len(line) < 3 or line[1].isspace():
                continue
            fields = line[1:].split(None, 1)
            if len(fields) < 2 or fields[0] == "default-bindings":
                continue
            key = mpv_key(fields[0])
            if key:
                keys.setdefault(key, fields[1].split("#")[0].strip())
    return keys


OOR = "{http://openoffice.org/2001/registry}"


def read_libreoffice(root, module):
    tree = ET.parse(os.path.join(root, "usr/lib/libreoffice/share/.registry/main.xcd"))
    keys = {}
    for component in tree.getroot().iter("{http://openoffice.org/2001/registry}component-data"):
        if component.get(OOR + "name") != "Accelerators":
            continue
        for primary in component:
            if primary.get(OOR + "name") != "PrimaryKeys":
                continue
            for scope in primary:
                nodes = []
                if scope.get(OOR + "name") == "Global":
                    nodes = list(scope)
                elif scope.get(OOR + "name") == "Modules":
                    for mod in scope:
                        if mod.get(OOR + "name") == module:
                            nodes = list(mod)
                for node in nodes:
                    command = ""
                    for prop in node.iter("prop"):
                        for value in prop.iter("value"):
                            if value.get("{http://www.w3.org/XML/1998/namespace}lang") in (None, "en-US"):
                                command = value.text or command
                    key = libreoffice_key(node.get(OOR + "name"))
                    if command:
                        keys[key] = command
    return keys


def read_gtk(root, binaries, tool):
    keys = {}
    for pattern in binaries:
        found = sorted(glob.glob(os.path.join(root, pattern)))
        if not found:
            continue
        path = found[-1]
        run = subprocess.run([tool, "import", path], capture_output=True, text=True)
        if not run.stdout.strip():
            continue
        for keymap in json.loads(run.stdout)["keymaps"]:
            for section in keymap["sections"]:
                for shortcut in section["shortcuts"]:
                    if "key" in shortcut:
                        keys.setdefault(canonical(shortcut["key"]), shortcut["title"])
    return keys


GTK_PROGRAMS = {
    "gnome-text-editor": ["usr/bin/gnome-text-editor"],
    "gedit": ["usr/lib/x86_64-linux-gnu/gedit/libgedit-*.so", "usr/bin/gedit"],
    "nautilus": ["usr/lib/x86_64-linux-gnu/libnautilus-extension.so.4", "usr/bin/nautilus"],
    "eog": ["usr/lib/x86_64-linux-gnu/eog/libeog.so", "usr/bin/eog"],
    "evince": ["usr/bin/evince"],
    "epiphany": ["usr/bin/epiphany", "usr/lib/x86_64-linux-gnu/epiphany-browser/libephymain.so"],
    "gnome-system-monitor": ["usr/bin/gnome-system-monitor"],
}


MOUSE = {"click", "leftclick", "doubleclick", "tripleclick", "rightclick", "middleclick", "drag", "rightdrag",
         "middledrag", "scroll", "scrollup", "scrolldown", "wheel", "mousewheel"}


def catalogue_keys(path):
    with open(path, encoding="utf-8") as f:
        app = json.load(f)
    keys = {}
    for keymap in app["keymaps"]:
        platforms = keymap.get("platforms")
        if platforms and "linux" not in platforms:
            continue
        for section in keymap["sections"]:
            for shortcut in section["shortcuts"]:
                if "key" in shortcut and not MOUSE & set(re.split(r"[+ ]", shortcut["key"].lower())):
                    keys.setdefault(canonical(shortcut["key"]), shortcut["title"])
    return keys


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("root")
    parser.add_argument("apps", nargs="*")
    parser.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "..", "data", "ShortcutData"))
    parser.add_argument("--corvane-data", default="corvane-data")
    parser.add_argument("--details", action="store_true")
    args = parser.parse_args()

    readers = {
        "krita": lambda: read_krita(args.root),
        "inkscape": lambda: read_inkscape(args.root),
        "mpv": lambda: read_mpv(args.root),
        "libreoffice-writer": lambda: read_libreoffice(args.root, "com.sun.star.text.TextDocument"),
        "libreoffice-calc": lambda: read_libreoffice(args.root, "com.sun.star.sheet.SpreadsheetDocument"),
        "libreoffice-impress": lambda: read_libreoffice(args.root, "com.sun.star.presentation.PresentationDocument"),
    }
    for slug, binaries in GTK_PROGRAMS.items():
        readers[slug] = lambda binaries=binaries: read_gtk(args.root, binaries, args.corvane_data)

    failed = False
    print("%-22s %8s %8s %8s %8s" % ("application", "program", "file", "lacks", "extra"))
    for slug in args.apps or sorted(readers):
        data = os.path.join(args.data, slug + ".json")
        try:
            program = readers[slug]()
        except (OSError, ET.ParseError, KeyError, json.JSONDecodeError) as error:
            print("%-22s could not be read: %s" % (slug, error), file=sys.stderr)
            failed = True
            continue
        if not program:
            print("%-22s nothing found under %s" % (slug, args.root), file=sys.stderr)
            failed = True
            continue
        ours = catalogue_keys(data)
        lacks = sorted(k for k in program if k not in ours)
        extra = sorted(k for k in ours if k not in program)
        print("%-22s %8d %8d %8d %8d" % (slug, len(program), len(ours), len(lacks), len(extra)))
        if args.details:
            for key in lacks:
                print("    lacks %-24s %s" % (key, program[key]))
            for key in extra:
                print("    extra %-24s %s" % (key, ours[key]))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
