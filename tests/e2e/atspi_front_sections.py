#!/usr/bin/python3
"""Reads the shown panel through AT-SPI and checks which sections it lists first, as in front.

Usage: atspi_front_sections.py TITLE...
  TITLE: the section headings the panel must start with, in this order, each described as the
  application in front; no later heading may be.

Waits up to 15 s for the panel to say so, then prints what it read.
"""
import sys
import time

import pyatspi

from atspi_check import panel_list  # the same walk to the panel's list

IN_FRONT = "the application in front"


def headings(lst):
    """The section headings as (index, name, marked in front), in the panel's order."""
    found = []
    for i in range(min(lst.childCount, 2000)):
        child = lst.getChildAtIndex(i)
        if child is not None and child.getRole() == pyatspi.ROLE_HEADING:
            found.append((i, child.name, IN_FRONT in (child.description or "")))
    return found


def read():
    try:
        lst = panel_list()
        return headings(lst) if lst is not None else None
    except Exception as error:  # the panel is being rebuilt
        return "unreadable: %s" % error


def read_until(passes, seconds=15):
    """Reads the headings until `passes` accepts them or `seconds` have gone; the last reading."""
    deadline = time.time() + seconds
    seen = read()
    while not passes(seen) and time.time() < deadline:
        time.sleep(0.2)
        seen = read()
    return seen


def main():
    titles = sys.argv[1:]

    def passes(seen):
        if not isinstance(seen, list) or len(seen) < len(titles):
            return False
        front = [(name, marked) for _, name, marked in seen[:len(titles)]]
        return (front == [(title, True) for title in titles]
                and not any(marked for _, _, marked in seen[len(titles):]))

    seen = read_until(passes)
    if passes(seen):
        print("  it lists %s first, in front" % " > ".join(titles))
        return 0
    if seen is None:
        print("  no panel list on the accessibility bus")
    else:
        shown = seen[:len(titles) + 2] if isinstance(seen, list) else seen
        print("  it should list %s first, in front; it lists %s" % (" > ".join(titles), shown))
    return 1


if __name__ == "__main__":
    sys.exit(main())
