#!/usr/bin/python3
"""Reads the shown panel through AT-SPI and checks which application's section it lists first.

Usage: atspi_first_section.py PANEL_JSON
  PANEL_JSON: what `corvane-data panel DATA --active ID` prints, naming the section of that
  application (the one marked "isActive").

Passes when the panel's first item is that section's heading, described as the application in
front, and no other heading is. Waits up to 15 s for the panel to say so, then prints what it read.
"""
import json
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
    with open(sys.argv[1], encoding="utf-8") as handle:
        sections = [json.loads(line) for line in handle if line.strip()]
    active = [section["title"] for section in sections if section.get("isActive")]
    if len(active) != 1:
        print("  the data tool names %d sections of the application in front" % len(active))
        return 1
    title = active[0]

    def passes(seen):
        return (isinstance(seen, list) and seen and seen[0] == (0, title, True)
                and not any(front for _, _, front in seen[1:]))

    seen = read_until(passes)
    if passes(seen):
        print("  it lists %s first, as the application in front (%d headings read)" % (title, len(seen)))
        return 0
    if seen is None:
        print("  no panel list on the accessibility bus")
    else:
        shown = seen[:4] if isinstance(seen, list) else seen
        print("  it should list %s first, as the application in front; it lists %s" % (title, shown))
    return 1


if __name__ == "__main__":
    sys.exit(main())
