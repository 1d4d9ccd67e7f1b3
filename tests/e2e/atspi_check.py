#!/usr/bin/python3
"""Reads the shown panel through AT-SPI as a screen reader would, while xdotool types into it.

Usage: atspi_check.py PANEL_JSON  (the output of `corvane-data panel`, for the expected rows)
"""
import json
import subprocess
import sys
import time

import pyatspi

failures = []
passes = []


def check(what, condition):
    print(("ok   " if condition else "FAIL ") + what)
    (passes if condition else failures).append(what)


def wait_for(predicate, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return predicate()


def walk(node, depth=0):
    """The node and everything below it, depth first."""
    if node is None or depth > 14:
        return
    try:
        yield node
        for child in node:
            yield from walk(child, depth + 1)
    except Exception:  # objects vanish while we walk
        return


def find(node, predicate):
    for candidate in walk(node):
        try:
            if predicate(candidate):
                return candidate
        except Exception:  # vanished while we asked
            pass
    return None


def corvane():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "corvane":
            return app
    return None


def panel_list():
    return find(corvane(), lambda n: n.getRole() == pyatspi.ROLE_LIST and n.childCount > 0)


def states(node):
    return node.getState()


def items(lst):
    return [lst.getChildAtIndex(i) for i in range(lst.childCount)]


def selected_row(lst):
    for i in range(min(lst.childCount, 400)):
        child = lst.getChildAtIndex(i)
        if states(child).contains(pyatspi.STATE_SELECTED):
            return child
    return None


def key(name):
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True, timeout=10)


def main():
    with open(sys.argv[1], encoding="utf-8") as handle:
        sections = [json.loads(line) for line in handle if line.strip()]
    first = sections[0]
    expected_titles = [entry.split("|")[2] for entry in first["entries"]]

    lst = wait_for(panel_list, 20)
    check("the panel's list is on the accessibility bus", lst is not None)
    if lst is None:
        return 1

    children = items(lst) if lst.childCount < 2000 else [lst.getChildAtIndex(i) for i in range(60)]
    header = children[0]
    check("the first item is the first section's heading: " + header.name,
          header.getRole() == pyatspi.ROLE_HEADING and header.name == first["title"])
    visible = [c for c in children[1:40] if states(c).contains(pyatspi.STATE_SHOWING)
               and c.getRole() == pyatspi.ROLE_LIST_ITEM]
    visible_titles = [c.name for c in visible]
    check("the rows on screen are exposed with their titles (%d rows)" % len(visible),
          len(visible) >= 5 and visible_titles == expected_titles[:len(visible)])
    check("a row is described with its keys in words: " + children[1].description,
          children[1].description.startswith("Ctrl Shift C"))
    check("the first row is selected on opening",
          selected_row(lst) is not None and selected_row(lst).name == expected_titles[0])

    key("Down")
    moved = wait_for(lambda: (lambda r: r if r is not None and r.name == expected_titles[1] else None)(selected_row(lst)))
    check("after Down the selected object is the second row", moved is not None)

    key("Return")
    favourite = wait_for(lambda: (lambda r: r if r is not None and states(r).contains(pyatspi.STATE_CHECKED) else None)(
        selected_row(lst)))
    check("after Return the selected row is a favourite (checked, described so)",
          favourite is not None and "favourite" in favourite.description)

    # Collapse the first application's section with a click on its heading, where AT-SPI says it is.
    def first_heading():
        for child in items(panel_list())[:10]:
            if child.getRole() == pyatspi.ROLE_HEADING and child.name == first["title"]:
                return child
        return None
    heading = wait_for(first_heading)
    check("the application's heading follows the Favorites section", heading is not None)
    if heading is not None:
        box = heading.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + 40), str(box.y + box.height // 2), "click", "1"],
                       check=True, timeout=10)

        def collapsed():
            current = panel_list()
            for i, child in enumerate(items(current)[:10]):
                if child.getRole() == pyatspi.ROLE_HEADING and child.name == first["title"]:
                    if states(child).contains(pyatspi.STATE_COLLAPSED):
                        following = current.getChildAtIndex(i + 1)
                        return following is None or following.getRole() == pyatspi.ROLE_HEADING
            return False
        check("a collapsed section exposes no rows", wait_for(collapsed))

    print("%d passed, %d failed" % (len(passes), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
