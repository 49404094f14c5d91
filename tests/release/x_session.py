#!/usr/bin/python3
"""The program on a real X server, as a person and a screen reader meet it: one X session (Xvfb,
openbox, the accessibility bus) for three groups of checks, each reported by name.

desktop         the installed program: the accessible names and roles, the exact title, the whole
                window's size and place with its frame; switches 1 and 9 and the left "Umwandeln"
                clicked, 258 typed and the right "Umwandeln" clicked, with real input; closed by
                the window manager's close request: exit code 0, silent, no file left
close-during-read
                the installed program, 30 times: the close request 0 to 18 ms into a screen
                reader's read of the whole window; it must end by itself within 5 s, exit code 0,
                no file left. A close not acted on fails even when a second close would end it.
error-box       the test-only program (its Sx2Zahl fails) with the left "Umwandeln" clicked: the
                error box titled exactly "Morvane Fehlermeldung", its call stack read through the
                accessibility interface from SX2ZAHL out to MAIN, each at a line inside that
                procedure's body in the sources; its OK clicked, the report box titled "Tarvello
                16bit" naming MRVERROR.LOG, its OK clicked: exit code 1 and the log; traced
                throughout, the log's data and its new directory entry synced, then the log
                closed, before the report box's title reaches the X server

Usage: x_session.py INSTALLED_EXECUTABLE [TEST_ONLY_EXECUTABLE SOURCE_DIR]
(without the test-only program the error-box group is left out)
Exit code 77 (a skip for ctest) when no X session can be started here."""

import os
import re
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import TITLE, Controls, XSession, check_conversions, fail, nodes, run, wait_for  # noqa: E402,E501


def expected_names():
    """The focusable controls' names by their role. Roles are compared as AT-SPI's constants: the
    words for them are the library's own and change between its versions ("push button" in 2.46,
    "button" in 2.56)."""
    import pyatspi
    return {pyatspi.ROLE_PUSH_BUTTON: sorted([Controls.LEFT, Controls.RIGHT]),
            pyatspi.ROLE_SPIN_BUTTON: ["Dezimalzahl"], pyatspi.ROLE_TEXT: ["Zwei-Byte-String"],
            pyatspi.ROLE_CHECK_BOX: sorted("Bit %d" % b for b in range(16))}


def cardinals(text):
    return [int(v) for v in text.split("=", 1)[1].split(",")] if "=" in text else []


def check_frame(session, wid):
    """The whole window, the frame the window manager reports included, is 304 x 206 with its
    lower-left corner at {420, 396} from the lower-left corner of the available area."""
    extents = wait_for("the window manager's frame extents", lambda: cardinals(
        session.run("xprop", "-id", wid, "_NET_FRAME_EXTENTS")))
    left, right, top, bottom = extents
    info = session.run("xwininfo", "-id", wid)
    field = {k.strip(): v.strip() for k, v in (line.split(":", 1) for line in info.splitlines()
                                               if ":" in line)}
    x, y = int(field["Absolute upper-left X"]), int(field["Absolute upper-left Y"])
    width, height = int(field["Width"]), int(field["Height"])
    area = cardinals(session.run("xprop", "-root", "_NET_WORKAREA"))[:4]
    whole = (width + left + right, height + top + bottom)
    corner = (x - left - area[0], area[1] + area[3] - (y + height + bottom))
    if whole != (304, 206) or corner != (420, 396):
        fail("whole window %dx%d at lower-left %s, expected 304x206 at (420, 396) "
             "(client %dx%d, frame %s, available area %s)"
             % (whole + (corner, width, height, extents, area)))


def check_roles_and_names(app, controls):
    """The window is a dialog or a frame; every focusable control has a name of its own; the
    buttons stand left to right; the two-byte field is the one read-only text; the digit rows
    read as text."""
    import pyatspi
    window = app.getChildAtIndex(0)
    if window.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME):
        fail("the window's role is %r, expected dialog or frame" % window.getRoleName())
    found = {}
    for n in controls.everything:
        if n.getState().contains(pyatspi.STATE_FOCUSABLE):
            found.setdefault(n.getRole(), []).append(n.name)
    expected = expected_names()
    if {role: sorted(names) for role, names in found.items()} != expected:
        fail("focusable controls named %s, expected %s" % (found, expected))
    x = [b.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x
         for b in (controls.left, controls.right)]
    if not x[0] < x[1]:
        fail("expected %r left of %r, found them at x %s" % (Controls.LEFT, Controls.RIGHT, x))
    read_only = [n for n in controls.everything
                 if n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
                 and n.getState().contains(pyatspi.STATE_READ_ONLY)]
    if read_only != [controls.field]:
        fail("expected the two-byte field as the one read-only text, found %s"
             % [(n.getRoleName(), n.name) for n in read_only])
    rows = [n for n in controls.everything if n.name == "0  1  2  3  4  5  6  7"]
    if len(rows) != 2:
        fail("expected two digit rows readable as text, found %d" % len(rows))


def desktop(executable):
    def check(session):
        with session.program(executable) as program:
            app = program.app()
            controls = Controls(app)
            check_roles_and_names(app, controls)
            wid = wait_for("the window titled exactly \"%s\"" % TITLE,
                           lambda: session.managed_window(TITLE))
            check_frame(session, wid)
            check_conversions(controls, session.click, session.type_number)
            session.close_request(TITLE)
            program.expect_orderly_end("the window manager's close request")
    return check


def close_during_read(executable, runs=30):
    def read_continuously(app, stop):
        while not stop.is_set():
            try:
                for node in nodes(app):
                    node.name
                    node.getState()
            except Exception:  # the window went away in the middle of a read
                return

    def check(session):
        for run_number in range(runs):
            with session.program(executable) as program:
                app = program.app()
                # The close request goes to a window the window manager has taken on.
                wait_for("run %d's window managed" % run_number,
                         lambda: session.managed_window(TITLE))
                stop = threading.Event()
                reader = threading.Thread(target=read_continuously, args=(app, stop))
                reader.start()
                try:
                    time.sleep(0.002 * (run_number % 10))
                    session.close_request(TITLE)
                    program.expect_orderly_end("run %d's close request during a read"
                                               % run_number, seconds=5)
                finally:
                    stop.set()
                    reader.join()
    return check


ERROR_TITLE = "Morvane Fehlermeldung"
REPORT = "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben"


def body_lines(path, opening):
    """The lines from the one that opens the function to its closing brace at column 0."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    first = next((i for i, line in enumerate(lines, 1) if opening in line), None)
    if first is None:
        fail("%s has no line with %r" % (path, opening))
    last = next((i for i, line in enumerate(lines, 1) if i > first and line.startswith("}")), None)
    if last is None:
        fail("%s: the function opened at line %d has no closing brace" % (path, first))
    return range(first, last + 1)


def box_text(app, marker):
    """The text of the label in the program's accessible tree that contains marker, or None."""
    import pyatspi
    return next((n.name for n in nodes(app)
                 if n.getRole() == pyatspi.ROLE_LABEL and marker in (n.name or "")), None)


def ok_button(app, text):
    """The OK push button of the box whose label reads text."""
    import pyatspi
    for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
        inside = list(nodes(window)) if window is not None else []
        if any(n.getRole() == pyatspi.ROLE_LABEL and n.name == text for n in inside):
            for n in inside:
                if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name.replace("&", "") == "OK":
                    return n
    fail("no OK button beside the text %r" % text)


def check_call_stack(text, source):
    stack = [line.strip() for line in text.split("\n") if "Aufgerufen von" in line]
    for position, name, path, opening in (
            (0, "SX2ZAHL", ("converter", "Conversions.cpp"), "Value Sx2Zahl("),
            (-1, "MAIN", ("converter", "Main.cpp"), "Value MAIN(")):
        body = body_lines(os.path.join(source, *path), opening)
        called = re.fullmatch(r"Aufgerufen von %s\((\d+)\)" % name, stack[position])
        if not called or int(called.group(1)) not in body:
            fail("the call stack's %s line is %r, expected %s at a line in %d-%d"
                 % ("first" if position == 0 else "last", stack[position], name, body[0],
                    body[-1]))


def check_durable_before_report(calls):
    """In the main thread's calls: the log opened as descriptor N, fdatasync(N), the directory
    opened as M and fsync(M), close(N), and only then the report box's title sent."""
    def index(what, pattern, start):
        at = next((i for i in range(start, len(calls)) if re.match(pattern, calls[i])), None)
        if at is None:
            fail("no %s; the traced calls from there:\n%s"
                 % (what, "\n".join(c[:200] for c in calls[start:start + 60])))
        return at

    opened = index("opening of MRVERROR.LOG", r'openat\(AT_FDCWD, "MRVERROR\.LOG".* = \d+$', 0)
    log = calls[opened].rsplit("= ", 1)[1].strip()
    synced = index("fdatasync of the log", r"fdatasync\(%s\) += 0" % log, opened)
    directory = index("opening of its directory", r'openat\(AT_FDCWD, "\.", .*O_DIRECTORY', synced)
    entry = calls[directory].rsplit("= ", 1)[1].strip()
    index("fsync of its directory", r"fsync\(%s\) += 0" % entry, directory)
    closed = index("closing of the log", r"close\(%s\) += 0" % log, directory)
    titled = next((i for i in range(opened, len(calls)) if TITLE in calls[i]), None)
    if titled is None or titled < closed:
        fail("the report box's title was sent %s the log was synced and closed"
             % ("never" if titled is None else "before"))


def error_box(executable, source):
    def check(session):
        with session.program(executable) as program:
            app = program.app(Controls.LEFT)
            main_window = wait_for("the main window managed",
                                   lambda: session.managed_window(TITLE))
            trace = program.trace("openat,close,fdatasync,fsync,write,writev,sendmsg")
            session.click(Controls(app).left)
            wait_for("a window titled exactly \"%s\"" % ERROR_TITLE,
                     lambda: session.managed_window(ERROR_TITLE))
            text = wait_for("the error box's text", lambda: box_text(app, "Aufgerufen von"))
            check_call_stack(text, source)
            session.click(ok_button(app, text))

            wait_for("the report box titled exactly \"%s\"" % TITLE,
                     lambda: not session.managed_window(ERROR_TITLE)
                     and set(session.windows_titled(TITLE)) - {main_window}
                     and box_text(app, "Fehlerprotokoll"))
            if box_text(app, "Fehlerprotokoll") != REPORT:
                fail("the report box reads %r, expected %r"
                     % (box_text(app, "Fehlerprotokoll"), REPORT))
            session.click(ok_button(app, REPORT))
            program.expect_end(1, "the report box's OK")
            if "MRVERROR.LOG" not in program.files():
                fail("no MRVERROR.LOG beside the program: %s" % program.files())
            check_durable_before_report(program.traced_calls(trace))
    return check


def main():
    if len(sys.argv) not in (2, 4):
        print(__doc__)
        return 2
    groups = [("desktop", desktop(sys.argv[1])),
              ("close-during-read", close_during_read(sys.argv[1]))]
    if len(sys.argv) == 4:
        groups.append(("error-box", error_box(sys.argv[2], sys.argv[3])))
    return run(XSession(), groups)


if __name__ == "__main__":
    sys.exit(main())
