#!/usr/bin/python3
# Prints what AT-SPI knows of an application's windows (see show-accessibility.sh): each
# window's size, then its push buttons, sliders, dials, check boxes, radio buttons and lists by
# name. Exits 1 when the application is not on the bus or a push button has no name.
import sys

import pyatspi

ROLES = ["push button", "slider", "dial", "check box", "radio button", "list"]


def walk(node, found):
    try:
        found.append((node.getRoleName(), node.name or ""))
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), found)
    except Exception:  # a node that went away while being read
        pass


def main():
    name = sys.argv[1] if len(sys.argv) > 1 else "zentro-mouse"
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [a for a in desktop if a is not None and a.name == name]
    if not apps:
        print("%s is not on the AT-SPI bus" % name)
        return 1
    found = []
    for app in apps:
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            # Qt reports logical pixels: the window's size before the desktop's scale
            print("%s %r: %d x %d logical pixels" % (window.getRoleName(), window.name,
                                                    extents.width, extents.height))
            walk(window, found)
    for role in ROLES:
        names = [n for r, n in found if r == role]
        print("%s (%d, %d unnamed): %s" % (role, len(names), sum(1 for n in names if not n.strip()),
                                           ", ".join(names)))
    buttons = [n for r, n in found if r == "push button"]
    return 0 if buttons and all(n.strip() for n in buttons) else 1


sys.exit(main())
