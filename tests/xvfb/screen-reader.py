"""The main window as a screen reader meets it, read through AT-SPI.

Starts the program, reads its accessibility tree in menu mode, chooses a
category with the screen reader's Press, opens the first book with a click,
reads the tree of the run, presses a choice through AT-SPI and closes the
window. Every node a screen reader is offered must be a control a learner
can see, named in Japanese or by what it shows; the choices are buttons
named by their number and text that answer when pressed.
Usage: screen-reader.py PIYORAN
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

# Names of the controls that are never seen: their captions are stored
# values, and their roles those of boxes below the window.
NEVER_SEEN = {"otsukare", "monkesu", "seiseki", "clear", "Start", ">", "<", "menushow",
              "menunotshow", "Kotaekieru", "5 point", "3 point", "2 point", "1 point",
              "0 point", "ファイル名", "ファイルの種類", "問題文 3行目"}
COUNTERS = ("正", "誤", "残")
PRESS = "Press"
failures = []


def fail(message):
    failures.append(message)
    print("FAILED:", message)


def wait_for(what, found, seconds=60):
    """Polls found() until it gives something; a hang guard, not a timing."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = found()
        if value:
            return value
        time.sleep(0.1)
    print("FAILED:", what)
    sys.exit(1)


def the_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "piyoran":
            # Read the program afresh every time, never from a cache.
            app.setCacheMask(Atspi.Cache.NONE)
            return app
    return None


def main_window():
    app = the_app()
    if app is None:
        return None
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        # The splash window may be going while it is asked.
        if window is not None and "ver.1.1" in window.name:
            return window
    return None


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def nodes(node):
    """Every node below node, depth first."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from nodes(child)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def shown_text(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def check_every_node_seen(window, when):
    """Only controls a learner can see: shown, inside the window, with no
    internal name."""
    area = extents(window)
    for node in nodes(window):
        label = f"{when}: {node.getRoleName()} {node.name!r}"
        states = node.getState()
        at = extents(node)
        if not (states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)):
            fail(f"{label} is offered though hidden")
        elif (at.x >= area.x + area.width or at.y >= area.y + area.height
                or at.x + at.width <= area.x or at.y + at.height <= area.y):
            fail(f"{label} is offered though outside the window")
        if node.name in NEVER_SEEN:
            fail(f"{label} is a control that is never seen")


def by_role(window, role):
    return [node for node in nodes(window) if node.getRoleName() == role]


def named(window, name):
    return [node for node in nodes(window) if node.name == name]


def choices(window):
    return [node for node in by_role(window, "push button")
            if node.name[:1] in "12345" and node.name[1:3] == ": "]


def counters(window):
    return {node.name[0]: node.name for node in by_role(window, "label")
            if node.name[:1] in COUNTERS}


def press(node):
    if PRESS not in actions(node):
        print(f"FAILED: {node.getRoleName()} {node.name!r} cannot be pressed")
        sys.exit(1)
    node.queryAction().doAction(actions(node).index(PRESS))


program = sys.argv[1]
environment = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb")
piyoran = subprocess.Popen([program], env=environment)
try:
    window = wait_for("the main window did not reach the screen reader",
                      lambda: (w := main_window()) and w.getState().contains(pyatspi.STATE_SHOWING) and w)

    # Menu mode: the empty choices are buttons named by their role.
    check_every_node_seen(window, "menu mode")
    slots = [node for node in by_role(window, "push button") if node.name.startswith("選択肢 ")]
    if sorted(node.name for node in slots) != [f"選択肢 {k}" for k in range(1, 6)]:
        fail(f"the empty choices are {[node.name for node in slots]}")
    for name, role in (("答え", "text"), ("結果", "label"), ("見出し", "text")):
        if [node.getRoleName() for node in named(window, name)] != [role]:
            fail(f"no {role} named {name}")
        elif shown_text(named(window, name)[0]) is None:
            fail(f"{name} cannot be read as text")

    # A category pressed as a screen reader does shows the book list, which
    # covers the choices.
    press(named(window, "中学１年英文法")[0])
    books = wait_for("the screen reader's Press on a category showed no book list",
                     lambda: [node for node in named(window, "問題集の一覧") if node.childCount > 0])
    check_every_node_seen(window, "book list")
    if [node for node in by_role(window, "push button") if node.name.startswith("選択肢")]:
        fail("the choices under the book list are offered")

    first = extents(books[0].getChildAtIndex(0))
    subprocess.run(["xdotool", "mousemove", str(first.x + first.width // 2),
                    str(first.y + first.height // 2), "click", "1"], check=True)
    buttons = wait_for("the book did not open with five choices named by number and text",
                       lambda: len(choices(window)) == 5 and choices(window))

    # The run: choices named by number and text, with the screen reader's Press.
    check_every_node_seen(window, "run")
    for k, node in enumerate(sorted(buttons, key=lambda node: node.name), start=1):
        if not node.name.startswith(f"{k}: ") or len(node.name) <= 3:
            fail(f"choice {k} is named {node.name!r}")
        if PRESS not in actions(node):
            fail(f"choice {node.name!r} has no Press action")
    for name in ("見出し", "問題文 1行目"):
        if not shown_text(named(window, name)[0]):
            fail(f"the question line {name} reads empty")
    if [shown_text(node) for node in named(window, "問題番号")] != ["1"]:
        fail("the question number does not read 1")
    before = counters(window)
    if sorted(before) != sorted(COUNTERS):
        fail(f"the counters are {before}")
    for node in by_role(window, "label"):
        if node.name in before.values() and shown_text(node) != node.name:
            fail(f"the counter {node.name!r} reads {shown_text(node)!r}")

    # Pressing a choice as a screen reader does answers: a counter moves.
    press(next(node for node in buttons if node.name.startswith("1: ")))
    wait_for("the screen reader's Press on a choice did not answer",
             lambda: (now := counters(window)) != before and len(now) == 3)

    # The window manager's close ends the program at once, while the screen
    # reader still holds its controls.
    subprocess.run(["wmctrl", "-c", "ver.1.1"], check=True)
    try:
        status = piyoran.wait(timeout=60)
    except subprocess.TimeoutExpired:
        fail("the program did not end when its window was closed")
    else:
        if status != 0:
            fail(f"the program ended with {status} when its window was closed")
except GLib.Error as error:
    status = piyoran.poll()
    fail(f"the program stopped answering the screen reader ({error.message}); exit status {status}")
finally:
    if piyoran.poll() is None:
        piyoran.kill()

print(f"{'0 failed' if not failures else f'{len(failures)} failed'}")
sys.exit(1 if failures else 0)
