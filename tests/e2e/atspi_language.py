#!/usr/bin/python3
"""Reads Corvane's windows through AT-SPI, for the language test.

Usage: atspi_language.py texts WINDOW_NAME TEXT...   the window is on the bus with every TEXT in it
       atspi_language.py direction rtl|ltr           the panel's search bar starts at the right edge
                                                     (rtl) or at the left edge (ltr): the magnifier
                                                     before the field takes room on that side
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_check import corvane, wait_for, walk  # noqa: E402


def window_named(name):
    app = corvane()
    if app is None:
        return None
    for window in app:
        if window is not None and window.name == name:
            return window
    return None


def texts(name, wanted):
    window = wait_for(lambda: window_named(name))
    if window is None:
        app = corvane()
        print("FAIL no window named %r (windows: %s)" % (name, [w.name for w in app] if app else "no corvane"))
        return 1
    names = set()
    for node in walk(window):
        names.add(node.name)
        names.add(node.description)
    missing = [text for text in wanted if text not in names]
    for text in wanted:
        print(("FAIL " if text in missing else "ok   ") + "%r shows %r" % (name, text))
    if missing:
        print("names seen: %s" % sorted(n for n in names if n))
    return 1 if missing else 0


def direction(expected):
    def search_field():
        app = corvane()
        for node in walk(app):
            if node.getRole() in (pyatspi.ROLE_ENTRY, pyatspi.ROLE_TEXT) and node.getState().contains(pyatspi.STATE_SHOWING):
                top = node
                while top.parent is not None and top.parent.getRole() != pyatspi.ROLE_APPLICATION:
                    top = top.parent
                return node, top
        return None
    found = wait_for(search_field)
    if not found:
        print("FAIL the panel's search field is not on the bus")
        return 1
    field = found[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    panel = found[1].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    left_gap = field.x - panel.x
    right_gap = panel.x + panel.width - (field.x + field.width)
    from_right = right_gap > left_gap
    ok = from_right == (expected == "rtl")
    print(("ok   " if ok else "FAIL ") + "the search bar starts at the %s (gaps: %d left, %d right)"
          % ("right" if from_right else "left", left_gap, right_gap))
    return 0 if ok else 1


if __name__ == "__main__":
    if sys.argv[1] == "texts":
        sys.exit(texts(sys.argv[2], sys.argv[3:]))
    sys.exit(direction(sys.argv[2]))
