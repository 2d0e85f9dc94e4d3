#!/usr/bin/python3
# Prints what AT-SPI knows of an application's windows (see show-accessibility.sh): each
# window's size, then its push buttons, sliders, dials, check boxes, radio buttons and lists by
# name. With a button name after the application's name (e.g. Config) it then presses that
# button through AT-SPI and prints the lists that opened, each with its entries (selected ones
# marked *). Exits 1 when the application is not on the bus, a push button or list has no name.
import sys
import time

import pyatspi

ROLES = ["push button", "slider", "dial", "check box", "radio button", "list"]


def walk(node, found, nodes=None):
    try:
        found.append((node.getRoleName(), node.name or ""))
        if nodes is not None:
            nodes.append(node)
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), found, nodes)
    except Exception:  # a node that went away while being read
        pass


def show_lists(apps, press):
    """Presses the push button named `press`, then prints every list with its entries."""
    nodes = []
    for app in apps:
        walk(app, [], nodes)
    buttons = [n for n in nodes if n.getRoleName() == "push button" and n.name == press]
    if not buttons:
        print("no push button named %r" % press)
        return False
    buttons[0].queryAction().doAction(0)
    time.sleep(2)
    nodes = []
    for app in apps:
        walk(app, [], nodes)
    named = True
    for node in nodes:
        if node.getRoleName() != "list":
            continue
        entries = []
        for i in range(node.childCount):
            item = node.getChildAtIndex(i)
            selected = item.getState().contains(pyatspi.STATE_SELECTED)
            entries.append(("*" if selected else "") + "%s %r" % (item.getRoleName(), item.name))
        print("list %r: %s" % (node.name, ", ".join(entries)))
        named = named and bool(node.name.strip())
    return named


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
    ok = bool(buttons) and all(n.strip() for n in buttons)
    if len(sys.argv) > 2:
        ok = show_lists(apps, sys.argv[2]) and ok
    return 0 if ok else 1


sys.exit(main())
