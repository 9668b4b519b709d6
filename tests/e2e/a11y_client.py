#!/usr/bin/python3
"""An assistive-technology client of the AT-SPI bus, as a screen reader sees the panel.

  a11y_client.py tree WINDOW            every interactive control in the window called WINDOW
                                        that is showing has a role and a non-empty name
  a11y_client.py focus KEY NAME...      presses KEY (xdotool) once per NAME and checks that a
                                        focus event names that control each time

Prints one line per finding and exits 1 when there is one.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_LIST, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LINK,
}


def window_named(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    return None


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(acc, path=""):
    try:
        count = acc.childCount
    except Exception:
        return
    for i in range(count):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        yield child, path
        yield from walk(child, path + "/" + (child.name or child.getRoleName()))


def tree(title):
    window = None
    for _ in range(50):
        window = window_named(title)
        if window is not None:
            break
        time.sleep(0.2)
    if window is None:
        print(f"FAIL no window named {title!r} on the accessibility bus")
        return 1
    found = bad = 0
    for acc, path in walk(window):
        if not showing(acc):
            continue
        role = acc.getRole()
        if role not in INTERACTIVE:
            continue
        found += 1
        name = (acc.name or "").strip()
        if role == pyatspi.ROLE_UNKNOWN or not name:
            bad += 1
            print(f"FAIL a {acc.getRoleName()} without a name under {path or '/'}")
    print(f"{found} interactive controls in {title!r}, {bad} without a role or name")
    if found == 0:
        print("FAIL no interactive control found")
        return 1
    return 1 if bad else 0


def focus(key, names):
    events = []

    def on_focus(event):
        if event.detail1 == 1 and event.source is not None:
            events.append((event.source.getRoleName(), event.source.name or ""))

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    context = GLib.MainContext.default()

    def pump(seconds):
        until = time.monotonic() + seconds
        while time.monotonic() < until:
            if not context.iteration(False):
                time.sleep(0.02)

    pump(0.5)
    bad = 0
    for expected in names:
        events.clear()
        subprocess.run(["xdotool", "key", key], check=True)
        until = time.monotonic() + 5
        while time.monotonic() < until and not any(name == expected for _, name in events):
            pump(0.1)
        if any(name == expected for _, name in events):
            role = next(role for role, name in events if name == expected)
            print(f"ok   focus reported on {role} {expected!r}")
        else:
            bad += 1
            print(f"FAIL after {key}, no focus event named {expected!r} (got {events})")
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    return 1 if bad else 0


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "tree":
        sys.exit(tree(sys.argv[2]))
    if len(sys.argv) >= 4 and sys.argv[1] == "focus":
        sys.exit(focus(sys.argv[2], sys.argv[3:]))
    print(__doc__)
    sys.exit(2)
