#!/usr/bin/python3
"""Drives the built program on a real Wayland compositor through its accessibility interface.

Starts weston's headless backend in a private runtime directory, a session bus with the
accessibility bus, and the program on the wayland platform with no X display; toggles switches
Bit 0 and Bit 8 and presses "Schalter in Zahl umwandeln" through accessibility actions; checks 257
and two smiley glyphs; sets 258 through the spin button's value and presses "Zahl in Schalter
umwandeln"; checks that exactly Bit 1 and Bit 8 are on. A headless compositor has no input that
closes a window, so the program is ended with SIGTERM and must end with exit code 0, silent on
standard output and standard error, with no file left in its working directory.

Usage: wayland_session.py EXECUTABLE
Exit code 77 (a skip for ctest) when weston cannot start here."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

ACTIONS = ("toggle", "press", "click")


class WaylandSession(ds.Session):
    """weston headless, a session bus and the accessibility bus; all stopped on exit."""

    def start(self, runtime_dir):
        self.env.pop("DISPLAY", None)
        self.env["XDG_RUNTIME_DIR"] = runtime_dir
        socket = "tarvello-%d" % os.getpid()
        self.weston_log = os.path.join(runtime_dir, "weston.log")
        with open(self.weston_log, "w") as log:
            weston = subprocess.Popen(["weston", "--backend=headless-backend.so",
                                       "--socket=" + socket, "--idle-time=0"], env=self.env,
                                      stdout=log, stderr=log)
        self.processes.append(weston)
        deadline = time.monotonic() + 20
        while not os.path.exists(os.path.join(runtime_dir, socket)):
            if weston.poll() is not None or time.monotonic() > deadline:
                return False
            time.sleep(0.1)
        self.env["WAYLAND_DISPLAY"] = socket
        self.start_buses()
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ.pop("DISPLAY", None)
        return True


def act(node):
    """Runs the node's toggle, press or click action, as a screen reader user would."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for i, name in enumerate(names):
        if name.lower() in ACTIONS:
            if not action.doAction(i):
                ds.fail("the action %r of %r was refused" % (name, node.name))
            return
    ds.fail("%r offers no toggle, press or click action, only %s" % (node.name, names))


def main():
    if len(sys.argv) != 2:
        ds.fail("usage: wayland_session.py EXECUTABLE")
    executable = os.path.abspath(sys.argv[1])
    for tool in ("weston", "dbus-launch", "/usr/libexec/at-spi-bus-launcher"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed, so no Wayland session can be started here" % tool)
            return ds.SKIP
    session = WaylandSession()
    runtime_dir = tempfile.mkdtemp(prefix="tarvello-wl-")  # mkdtemp makes it 0700
    workdir = tempfile.mkdtemp(prefix="tarvello-wayland-")
    try:
        if not session.start(runtime_dir):
            with open(session.weston_log) as log:
                print("SKIP: weston's headless backend could not start here:\n" + log.read()[-800:])
            return ds.SKIP
        import pyatspi
        env = dict(session.env, QT_QPA_PLATFORM="wayland")
        out_path, err_path = os.path.join(runtime_dir, "out"), os.path.join(runtime_dir, "err")
        with open(out_path, "w") as out, open(err_path, "w") as err:
            program = subprocess.Popen([executable], cwd=workdir, env=env, stdout=out,
                                       stderr=err)
        session.processes.append(program)
        desktop = pyatspi.Registry.getDesktop(0)

        def find_app():
            if program.poll() is not None:
                ds.fail("the program ended with exit code %d before its window showed"
                        % program.returncode)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and any(n.name == ds.TITLE for n in ds.nodes(app)):
                    return app
            return None

        app = ds.wait_for("the window \"%s\" on Wayland" % ds.TITLE, find_app)
        everything = list(ds.nodes(app))
        switches = {int(n.name.split()[1]): n for n in everything
                    if n.getRoleName() == "check box" and n.name.startswith("Bit ")}
        if sorted(switches) != list(range(16)):
            ds.fail("expected switches Bit 0 to Bit 15, found %s" % sorted(switches))
        named = {n.name: n for n in everything}
        for name in ("Schalter in Zahl umwandeln", "Zahl in Schalter umwandeln", "Dezimalzahl",
                     "Zwei-Byte-String"):
            if name not in named:
                ds.fail("no control named %r; names: %s" % (name, sorted(named)))
        spin, field = named["Dezimalzahl"], named["Zwei-Byte-String"]

        act(switches[0])
        act(switches[8])
        ds.wait_for("Bit 0 and Bit 8 to be on", lambda: ds.checked_bits(switches) == [0, 8])
        act(named["Schalter in Zahl umwandeln"])
        ds.wait_for("257 in the spin button", lambda: spin.queryValue().currentValue == 257)
        ds.wait_for("two glyphs in the two-byte field",
                    lambda: field.queryText().getText(0, -1) == "\u263a\u263a")

        spin.queryValue().currentValue = 258
        ds.wait_for("258 in the spin button", lambda: spin.queryValue().currentValue == 258)
        act(named["Zahl in Schalter umwandeln"])
        ds.wait_for("exactly Bit 1 and Bit 8 on", lambda: ds.checked_bits(switches) == [1, 8])

        program.send_signal(signal.SIGTERM)
        try:
            code = program.wait(15)
        except subprocess.TimeoutExpired:
            ds.fail("the program did not end within 15 s of SIGTERM")
        if code != 0:
            ds.fail("exit code %d after SIGTERM, expected 0" % code)
        for name, path in (("standard output", out_path), ("standard error", err_path)):
            with open(path) as f:
                written = f.read()
            if written:
                ds.fail("the program wrote to %s: %r" % (name, written[:500]))
        left = os.listdir(workdir)
        if left:
            ds.fail("the program left files behind: %s" % left)
        print("wayland session: switches, both conversions and SIGTERM behave")
        return 0
    finally:
        session.stop()
        shutil.rmtree(workdir, ignore_errors=True)
        shutil.rmtree(runtime_dir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
