#!/usr/bin/python3
"""Reads the shown panel through AT-SPI and checks which sections it lists first, as in front.

Usage: atspi_front_sections.py TITLE...
  TITLE: the section headings the panel must start with, in this order, each described as the
  application in front; no later heading may be.

Waits up to 15 s for the panel to say so, then prints what it read.
"""
import sys

from atspi_first_section import read_until


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
