#!/usr/bin/env python3
"""Checks the layering of src/ from its #include lines.

  - model folders (catalogue, keys, panel, settings, services and platform itself, without their ui/)
    include no Qt GUI or Widgets header and nothing from a ui/ folder or a backend folder;
  - services/ (files, local requests, settings store, log) and keys/ (what is known about keys) are
    the lowest layers: neither includes another folder (platform and the backends reach key names
    and codes through keys);
  - a backend folder (platform/<name>/) includes no other backend;
  - the include graph between folders has no cycle.

Usage: check_layers.py SRC_DIR [QT_INCLUDE_DIR]. Prints each offence; exits 1 when there is one.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
GUI_MODULES = ("QtGui", "QtWidgets", "QtSvg", "QtSvgWidgets", "QtOpenGL", "QtWaylandClient")


def folder_of(path):
    return os.path.dirname(path) or "."


def is_backend(folder):
    parts = folder.split("/")
    return len(parts) >= 2 and parts[0] == "platform"


def backend_name(folder):
    return folder.split("/")[1]


def is_ui(folder):
    return folder == "ui" or folder.endswith("/ui") or "/ui/" in folder


def is_model(folder):
    return not is_ui(folder) and not is_backend(folder) and folder.split("/")[0] in (
        "catalogue", "keys", "panel", "settings", "services", "platform")


def gui_header(name, qt_include):
    """True when <name> is a header of a Qt GUI module."""
    module = name.split("/")[0]
    if module in GUI_MODULES:
        return True
    if "/" in name or not name.startswith("Q") or not qt_include:
        return False
    return any(os.path.exists(os.path.join(qt_include, m, name)) for m in GUI_MODULES)


def find_cycle(graph):
    state = {}
    stack = []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == 1:
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = 2
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    src = sys.argv[1]
    qt_include = sys.argv[2] if len(sys.argv) > 2 else ""
    offences = []
    graph = {}
    for root, _dirs, files in os.walk(src):
        for file in sorted(files):
            if not file.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(root, file), src)
            folder = folder_of(path)
            with open(os.path.join(src, path), encoding="utf-8", errors="replace") as handle:
                text = handle.read()
            for kind, name in INCLUDE.findall(text):
                if kind == "<":
                    if is_model(folder) and gui_header(name, qt_include):
                        offences.append(f"{path}: model code includes the GUI header <{name}>")
                    continue
                target = name if os.path.exists(os.path.join(src, name)) else os.path.normpath(
                    os.path.join(folder, name))
                if not os.path.exists(os.path.join(src, target)):
                    continue  # generated (moc, resources) or outside src
                to = folder_of(target)
                if to != folder:
                    graph.setdefault(folder, set()).add(to)
                if is_model(folder) and (is_ui(to) or is_backend(to)):
                    offences.append(f"{path}: model code includes {name}")
                if folder == "services" and to != folder:
                    offences.append(f"{path}: services include {name}")
                if folder == "keys" and to != "keys":
                    offences.append(f"{path}: keys, the lowest layer, includes {name}")
                if is_backend(folder) and is_backend(to) and backend_name(folder) != backend_name(to):
                    offences.append(f"{path}: backend {backend_name(folder)} includes backend {name}")
    cycle = find_cycle(graph)
    if cycle:
        offences.append("folders include each other: " + " -> ".join(cycle))
    for offence in offences:
        print(offence)
    if offences:
        return 1
    print(f"layers ok: {sum(len(v) for v in graph.values())} folder dependencies, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
