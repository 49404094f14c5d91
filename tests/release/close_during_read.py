#!/usr/bin/python3
"""The window manager's close request while a screen reader reads the window.

Starts the X session of desktop_session.py (Xvfb, the accessibility bus, openbox), then 30 times:
starts the installed executable in an empty directory, lets an accessibility client read the whole
window over and over, sends the close request 0 to 18 ms into the reading, and checks that the
program ends by itself within 5 seconds with exit code 0 and no file left. A close that is not acted
on is a failure even when a second close would end the program.

Usage: close_during_read.py INSTALLED_EXECUTABLE
Exit code 77 (a skip for ctest) when no X server can be started here."""

import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

RUNS = 30


def read_continuously(app, stop):
    while not stop.is_set():
        try:
            for node in ds.nodes(app):
                node.name
                node.getState()
        except Exception:  # the window went away in the middle of a read
            return


def one_run(session, executable, desktop, run):
    workdir = tempfile.mkdtemp(prefix="tarvello-close-")
    try:
        program = subprocess.Popen([executable], cwd=workdir, env=session.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.processes.append(program)

        def find_app():
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and any(n.name == ds.TITLE for n in ds.nodes(app)):
                    return app
            return None

        app = ds.wait_for("the window of run %d" % run, find_app)
        stop = threading.Event()
        reader = threading.Thread(target=read_continuously, args=(app, stop))
        reader.start()
        time.sleep(0.002 * (run % 10))
        subprocess.run(["wmctrl", "-c", ds.TITLE], env=session.env, check=True)
        try:
            code = program.wait(5)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
            code = None
        stop.set()
        reader.join()
        if code is None:
            ds.fail("run %d: the close request during the read was not acted on" % run)
        if code != 0:
            ds.fail("run %d: exit code %d, expected 0" % (run, code))
        if os.listdir(workdir):
            ds.fail("run %d: files left behind: %s" % (run, os.listdir(workdir)))
    finally:
        shutil.rmtree(workdir, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        ds.fail("usage: close_during_read.py INSTALLED_EXECUTABLE")
    executable = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "wmctrl", "openbox", "dbus-launch"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed, so no X session can be started here" % tool)
            return ds.SKIP
    session = ds.Session()
    try:
        if not session.start():
            print("SKIP: Xvfb could not start an X server here")
            return ds.SKIP
        import pyatspi
        session.env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="tarvello-xdg-")
        desktop = pyatspi.Registry.getDesktop(0)
        for run in range(RUNS):
            one_run(session, executable, desktop, run)
        print("close during a read: %d of %d close requests ended the program" % (RUNS, RUNS))
        return 0
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
