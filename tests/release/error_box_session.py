#!/usr/bin/python3
"""The error box and the report box on a real X server, as a person sees and answers them.

Starts the X session of desktop_session.py (Xvfb, the accessibility bus, openbox), starts the
test-only executable (its Sx2Zahl fails) in an empty directory and clicks the left "Umwandeln" with
real mouse input. Checks that the window manager lists the error box under exactly "Morvane
Fehlermeldung", that its text read through the accessibility interface has the call stack from
SX2ZAHL out to MAIN, each at a line inside that procedure's body in the sources; clicks its OK,
checks the report box's title "Tarvello 16bit" and that it names MRVERROR.LOG, clicks its OK, and
checks exit code 1 and the log.

Usage: error_box_session.py FAULT_EXECUTABLE SOURCE_DIR
Exit code 77 (a skip for ctest) when no X server can be started here."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

ERROR_TITLE = "Morvane Fehlermeldung"


def body_lines(path, opening):
    """The lines from the one that opens the function to its closing brace at column 0."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    first = next((i for i, line in enumerate(lines, 1) if opening in line), None)
    if first is None:
        ds.fail("%s has no line with %r" % (path, opening))
    last = next((i for i, line in enumerate(lines, 1) if i > first and line.startswith("}")), None)
    if last is None:
        ds.fail("%s: the function opened at line %d has no closing brace" % (path, first))
    return range(first, last + 1)


def windows_titled(session, title):
    """The client windows the window manager lists under exactly this _NET_WM_NAME."""
    listed = ds.xprop(session, "-root", "_NET_CLIENT_LIST")
    ids = [w.strip() for w in listed.split("#", 1)[1].split(",")] if "#" in listed else []
    return [w for w in ids if ds.xprop(session, "-id", w, "_NET_WM_NAME").split("=", 1)[-1].strip()
            == '"%s"' % title]


def find_app(desktop, name):
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and any(n.name == name for n in ds.nodes(app)):
            return app
    return None


def box_text(app, marker):
    """The text of the label in the program's accessible tree that contains marker, or None."""
    for n in ds.nodes(app):
        if n.getRoleName() == "label" and marker in (n.name or ""):
            return n.name
    return None


def ok_button(app, text):
    """The OK push button of the box whose label reads text."""
    for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
        if window is None:
            continue
        inside = list(ds.nodes(window))
        if any(n.getRoleName() == "label" and n.name == text for n in inside):
            for n in inside:
                if n.getRoleName() == "push button" and n.name.replace("&", "") == "OK":
                    return n
    ds.fail("no OK button beside the text %r" % text)


def main():
    if len(sys.argv) != 3:
        ds.fail("usage: error_box_session.py FAULT_EXECUTABLE SOURCE_DIR")
    executable, source = os.path.abspath(sys.argv[1]), sys.argv[2]
    main_body = body_lines(os.path.join(source, "converter", "Main.cpp"), "Value MAIN(")
    sx2zahl_body = body_lines(os.path.join(source, "converter", "Conversions.cpp"),
                              "Value Sx2Zahl(")
    for tool in ("Xvfb", "xdotool", "wmctrl", "openbox", "dbus-launch", "xprop"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed, so no X session can be started here" % tool)
            return ds.SKIP
    session = ds.Session()
    workdir = tempfile.mkdtemp(prefix="tarvello-errorbox-")
    try:
        if not session.start():
            print("SKIP: Xvfb could not start an X server here")
            return ds.SKIP
        import pyatspi
        session.env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="tarvello-xdg-")
        program = subprocess.Popen([executable], cwd=workdir, env=session.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.processes.append(program)
        desktop = pyatspi.Registry.getDesktop(0)
        left_name = "Schalter in Zahl umwandeln"
        app = ds.wait_for("the window \"%s\"" % ds.TITLE, lambda: find_app(desktop, left_name))
        left = next(n for n in ds.nodes(app)
                    if n.getRoleName() == "push button" and n.name == left_name)
        main_window = ds.wait_for("the main window managed",
                                  lambda: ds.managed_window(session, ds.TITLE))
        ds.click(session, left)

        ds.wait_for("a window titled exactly \"%s\"" % ERROR_TITLE,
                    lambda: ds.managed_window(session, ERROR_TITLE))
        text = ds.wait_for("the error box's text", lambda: box_text(app, "Aufgerufen von"))
        stack = [line.strip() for line in text.split("\n") if "Aufgerufen von" in line]
        first = re.fullmatch(r"Aufgerufen von SX2ZAHL\((\d+)\)", stack[0])
        if not first or int(first.group(1)) not in sx2zahl_body:
            ds.fail("the call stack starts with %r, expected SX2ZAHL at a line in %d-%d"
                    % (stack[0], sx2zahl_body[0], sx2zahl_body[-1]))
        last = re.fullmatch(r"Aufgerufen von MAIN\((\d+)\)", stack[-1])
        if not last or int(last.group(1)) not in main_body:
            ds.fail("the call stack ends with %r, expected MAIN at a line in %d-%d"
                    % (stack[-1], main_body[0], main_body[-1]))
        ds.click(session, ok_button(app, text))

        report = "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben"
        ds.wait_for("the report box titled exactly \"%s\"" % ds.TITLE,
                    lambda: not ds.managed_window(session, ERROR_TITLE)
                    and set(windows_titled(session, ds.TITLE)) - {main_window}
                    and box_text(app, "Fehlerprotokoll"))
        if box_text(app, "Fehlerprotokoll") != report:
            ds.fail("the report box reads %r, expected %r" % (box_text(app, "Fehlerprotokoll"),
                                                              report))
        ds.click(session, ok_button(app, report))
        try:
            code = program.wait(15)
        except subprocess.TimeoutExpired:
            ds.fail("the program did not end after the report box's OK")
        if code != 1:
            ds.fail("exit code %d, expected 1" % code)
        if not os.path.isfile(os.path.join(workdir, "MRVERROR.LOG")):
            ds.fail("no MRVERROR.LOG in %s: %s" % (workdir, os.listdir(workdir)))
        print("error box session: both boxes titled, read and answered; exit code 1 and the log")
        return 0
    finally:
        session.stop()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
