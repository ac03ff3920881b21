# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the demo's window over AT-SPI as a screen reader would, and changes one value.

readwindow.py DEMO [LANGUAGE]: prints what it read, one line each; exits 0 when every check
held, 1 when one failed, 77 when the accessibility bus could not be reached.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

SKIP = 77
failures = []


def say(text):
    print(text, flush=True)


def check(condition, what):
    if not condition:
        failures.append(what)
        say("FAILED: " + what)
    return condition


def refresh():
    # The client hears of new applications and changed texts through its events, and keeps
    # what it read: both are brought up to date before each look.
    while GLib.MainContext.default().iteration(False):
        pass
    pyatspi.Registry.getDesktop(0).clearCache()


def wait_for(find, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        refresh()
        try:
            found = find()
        except Exception:  # objects go away while the window rebuilds its rows
            found = None
        if found:
            return found
        time.sleep(0.2)
    return None


def walk(node, skip_inside_table=False):
    yield node
    if skip_inside_table and node.getRole() == pyatspi.ROLE_TABLE:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, skip_inside_table)


def find(root, predicate, skip_inside_table=False):
    for node in walk(root, skip_inside_table):
        try:
            if predicate(node):
                return node
        except Exception:
            continue
    return None


def states(node):
    return node.getState()


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def table_rows(table, labelled=False):
    """Each row's parameter, value and description; a name cell reads the pilot's label, then
    the firmware's name: labelled keeps both, else the name alone."""
    cells = table.queryTable()
    rows = []
    for row in range(cells.nRows):
        name = cells.getAccessibleAt(row, 0).name
        value = cells.getAccessibleAt(row, 1)
        rows.append((name if labelled else name.split(" \u00b7 ")[-1], value.name, value.description))
    return rows


def main():
    demo, language = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "en"
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                       LANGUAGE=language, LANG="C.UTF-8", LC_ALL="C.UTF-8")
    environment.pop("QT_QPA_PLATFORM", None)
    # The program first, then the bus: Qt registers reliably when it sees the bus appear.
    process = subprocess.Popen([demo], env=environment)
    try:
        time.sleep(1)
        try:
            pyatspi.Registry.getDesktop(0).childCount
        except Exception as error:
            say("SKIP: the accessibility bus did not answer: %s" % error)
            return SKIP
        return read(language, process)
    finally:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()


def read(language, process):
    app = wait_for(lambda: application("tracktune-demo"), 30)
    if app is None:
        if process.poll() is not None:
            say("FAILED: the demo ended with %s" % process.returncode)
            return 1
        say("SKIP: the demo never appeared on the accessibility bus")
        return SKIP
    window = wait_for(lambda: app.getChildAtIndex(0), 10)
    # The demo picks its simulated tracker by itself; the table fills once the list is read.
    table = wait_for(lambda: find(window, lambda n: n.getRole() == pyatspi.ROLE_TABLE
                                  and n.queryTable().nRows > 0
                                  and states(n).contains(pyatspi.STATE_ENABLED)), 30)
    if not check(table is not None, "the table filled with the tracker's settings"):
        return 1
    say("[table] %r: %d rows" % (table.name, table.queryTable().nRows))
    check(table.name != "", "the table has a name")

    # The tracker's status: each item a label whose name is its state, in the pilot's language.
    gps = wait_for(lambda: find(window, lambda n: n.getRole() == pyatspi.ROLE_LABEL
                                and n.name.startswith("GPS")), 10)
    if check(gps is not None, "the status panel's GPS line is readable"):
        say("[status] %r (%s)" % (gps.name, gps.description))
        check(gps.description.startswith("GPS"), "the GPS line's details are its description")

    # Every control the keyboard reaches says what it is.
    for node in walk(window, skip_inside_table=True):
        try:
            state = states(node)
            if not (state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING)):
                continue
            role, name = node.getRoleName(), node.name
        except Exception:
            continue
        say("[%s] %r" % (role, name))
        check(name.strip() != "", "a %s has a name" % role)

    # Every row's parameter and value through the table interface.
    rows = wait_for(lambda: table_rows(table), 5) or []
    for name, value, description in rows:
        say("  row %r = %r (%s)" % (name, value, description.replace("\n", " ")))
        check(name != "", "every row's parameter is readable")
    # Each row reads its label in the pilot's language, then the firmware's name.
    check(all(" \u00b7 " in name for name, _, _ in table_rows(table, labelled=True)),
          "every row reads a label before its name")
    values = dict((name, value) for name, value, _ in rows)
    check(values.get("AcftType", "") != "", "AcftType's value is readable under its editor")
    before = dict((name, description) for name, _, description in rows)

    # AcftType changed through its list: its cell focused by its action, the list opened and
    # an entry picked with keys, as the pilot does.
    # What a screen reader says as the focus moves: each focused control's role, name and value.
    heard = []

    def focused(event):
        if event.detail1:
            try:
                heard.append((event.source.getRoleName(), event.source.name, event.source.description))
            except Exception:
                pass

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    cells = table.queryTable()
    row = [name for name, _, _ in rows].index("AcftType")
    # A click on the row's name makes it the current row, and gives the window the keyboard
    # on a display without a window manager.
    extents = cells.getAccessibleAt(row, 0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")
    wait_for(lambda: [f for f in heard if f[0] == "table cell"], 5)
    # Each key once the focus has gone where it sends it: Return opens the list, Down moves to
    # the next entry, Return takes it.
    for key, role in ((0xff0d, "list item"), (0xff54, "list item"), (0xff0d, "table")):
        count = len(heard)
        pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
        wait_for(lambda: [f for f in heard[count:] if f[0] == role], 5)
    box = wait_for(lambda: [f for f in heard if f[0] == "combo box" and f[1].startswith("AcftType")], 5)
    check(box, "the AcftType editor is named by its parameter when it takes the focus")
    if box:
        say("[%s] %r: %r" % box[0])
    changed = wait_for(lambda: [r for r in table_rows(table)
                                if r[0] == "AcftType" and r[1] != values["AcftType"]], 10)
    if check(changed, "AcftType took another value"):
        say("  row 'AcftType' = %r (%s)" % (changed[0][1], changed[0][2].replace("\n", " ")))
        check(changed[0][2] != before.get("AcftType"), "the edited row's description changed")

    # Apply, by its action; then the outcome is read where the window tells it.
    apply = find(window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                 and n.queryAction().nActions > 0 and n.name.replace("&", "") in ("Apply", "Anwenden", "Appliquer"))
    if not check(apply is not None, "an Apply button"):
        return 1
    say("[push button] %r: %r" % (apply.name, apply.description))
    apply.queryAction().doAction(0)
    saved = {"en": "Changes saved", "de": "Änderungen gespeichert", "fr": "Modifications enregistrées"}
    wanted = saved.get(language, saved["en"])
    outcome = wait_for(lambda: find(window, lambda n: wanted in n.name or wanted in n.description), 20)
    if check(outcome is not None, "the outcome of Apply is readable"):
        say("[%s] %r" % (outcome.getRoleName(), outcome.name or outcome.description))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
