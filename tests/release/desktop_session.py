#!/usr/bin/python3
"""Drives the installed program on a real X server, as a person would.

Starts Xvfb, a session bus with the accessibility bus, and a window manager; starts the installed
executable in an empty directory; clicks switches 1 and 9 and the left "Umwandeln" with real mouse
input; types 258 into the spin button and presses the right "Umwandeln"; reads the results through
the program's accessibility interface; closes the window through the window manager's close request;
and checks exit code 0 and that no file was written.

Usage: desktop_session.py INSTALLED_EXECUTABLE
Exit code 77 (a skip for ctest) when no X server can be started here."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
TITLE = "Tarvello 16bit"


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, probe, seconds=40.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = probe()
        if result:
            return result
        time.sleep(0.1)
    fail("timed out waiting for " + what)


class Session:
    """Xvfb, a session bus with the accessibility bus, and openbox; all stopped on exit."""

    def __init__(self):
        self.processes = []
        self.env = dict(os.environ)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)

    def start(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], pass_fds=(write_fd,),
                                stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.processes.append(xvfb)
        with os.fdopen(read_fd) as pipe:
            display = pipe.readline().strip()
        if not display:
            return False
        self.env["DISPLAY"] = ":" + display
        self.start_buses()
        self.window_manager = self.spawn(["openbox", "--sm-disable"])
        wait_for("the window manager", self.window_manager_ready)
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        return True

    def start_buses(self):
        """A session bus and the accessibility bus on it, for the program and the test to meet."""
        bus = subprocess.run(["dbus-launch", "--sh-syntax"], env=self.env, capture_output=True,
                             text=True, check=True).stdout
        for line in bus.splitlines():
            if line.startswith("DBUS_SESSION_BUS_ADDRESS="):
                self.env["DBUS_SESSION_BUS_ADDRESS"] = line.split("=", 1)[1].strip("';")
            if line.startswith("DBUS_SESSION_BUS_PID="):
                self.bus_pid = int(line.split("=", 1)[1].strip(";"))
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["NO_AT_BRIDGE"] = "0"
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    def window_manager_ready(self):
        # Now and then the window manager ends at once on a fresh server, with exit code 1 and no
        # word; it is started again rather than waited for in vain.
        if self.window_manager.poll() is not None:
            self.window_manager = self.spawn(["openbox", "--sm-disable"])
            return False
        return subprocess.run(["wmctrl", "-m"], env=self.env, capture_output=True).returncode == 0

    def spawn(self, argv, **kwargs):
        p = subprocess.Popen(argv, env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, **kwargs)
        self.processes.append(p)
        return p

    def stop(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        if getattr(self, "bus_pid", None):
            try:
                os.kill(self.bus_pid, 15)
            except ProcessLookupError:
                pass


def xdotool(session, *args):
    subprocess.run(["xdotool", *args], env=session.env, check=True)


def click(session, node):
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool(session, "mousemove", "--sync", str(box.x + box.width // 2),
            str(box.y + box.height // 2))
    xdotool(session, "click", "1")
    time.sleep(0.3)


def nodes(root):
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def checked_bits(switches):
    import pyatspi
    return [bit for bit, node in switches.items()
            if node.getState().contains(pyatspi.STATE_CHECKED)]


def xprop(session, *args):
    return subprocess.run(["xprop", *args], env=session.env, capture_output=True,
                          text=True).stdout


def cardinals(text):
    return [int(v) for v in text.split("=", 1)[1].split(",")] if "=" in text else []


def managed_window(session, title):
    """The client window the window manager lists under exactly this _NET_WM_NAME, or None."""
    listed = xprop(session, "-root", "_NET_CLIENT_LIST")
    for wid in listed.split("#", 1)[1].split(",") if "#" in listed else []:
        name = xprop(session, "-id", wid.strip(), "_NET_WM_NAME")
        if name.split("=", 1)[-1].strip() == '"%s"' % title:
            return wid.strip()
    return None


def check_frame(session, wid):
    """The whole window, the frame the window manager reports included, is 304 x 206 with its
    lower-left corner at {420, 396} from the lower-left corner of the available area."""
    extents = wait_for("the window manager's frame extents", lambda: cardinals(
        xprop(session, "-id", wid, "_NET_FRAME_EXTENTS")))
    left, right, top, bottom = extents
    info = subprocess.run(["xwininfo", "-id", wid], env=session.env, capture_output=True,
                          text=True).stdout
    field = {k.strip(): v.strip() for k, v in (l.split(":", 1) for l in info.splitlines()
                                               if ":" in l)}
    x, y = int(field["Absolute upper-left X"]), int(field["Absolute upper-left Y"])
    width, height = int(field["Width"]), int(field["Height"])
    area = cardinals(xprop(session, "-root", "_NET_WORKAREA"))[:4]
    whole = (width + left + right, height + top + bottom)
    corner = (x - left - area[0], area[1] + area[3] - (y + height + bottom))
    if whole != (304, 206) or corner != (420, 396):
        fail("whole window %dx%d at lower-left %s, expected 304x206 at (420, 396) "
             "(client %dx%d, frame %s, available area %s)"
             % (whole + (corner, width, height, extents, area)))


NAMES = {"push button": ["Schalter in Zahl umwandeln", "Zahl in Schalter umwandeln"],
         "spin button": ["Dezimalzahl"], "text": ["Zwei-Byte-String"],
         "check box": ["Bit %d" % b for b in range(16)]}


def check_accessible_names(app, everything):
    """Every focusable control has a name of its own; the window is a dialog or a frame; the
    digit rows read as text."""
    import pyatspi
    window = app.getChildAtIndex(0)
    if window.getRoleName() not in ("dialog", "frame"):
        fail("the window's role is %r, expected dialog or frame" % window.getRoleName())
    focusable = [n for n in everything if n.getState().contains(pyatspi.STATE_FOCUSABLE)]
    found = {}
    for n in focusable:
        found.setdefault(n.getRoleName(), []).append(n.name)
    if {r: sorted(v) for r, v in found.items()} != {r: sorted(v) for r, v in NAMES.items()}:
        fail("focusable controls named %s, expected %s" % (found, NAMES))
    rows = [n for n in everything if n.name == "0  1  2  3  4  5  6  7"]
    if len(rows) != 2:
        fail("expected two digit rows readable as text, found %d" % len(rows))


def main():
    if len(sys.argv) != 2:
        fail("usage: desktop_session.py INSTALLED_EXECUTABLE")
    executable = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "xdotool", "wmctrl", "openbox", "dbus-launch", "xprop",
                 "xwininfo"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed, so no X session can be started here" % tool)
            return SKIP
    session = Session()
    workdir = tempfile.mkdtemp(prefix="tarvello-desktop-")
    try:
        if not session.start():
            print("SKIP: Xvfb could not start an X server here")
            return SKIP
        import pyatspi
        runtime_dir = tempfile.mkdtemp(prefix="tarvello-xdg-")
        session.env["XDG_RUNTIME_DIR"] = runtime_dir
        out_path, err_path = os.path.join(runtime_dir, "out"), os.path.join(runtime_dir, "err")
        with open(out_path, "w") as out, open(err_path, "w") as err:
            program = subprocess.Popen([executable], cwd=workdir, env=session.env,
                                       stdout=out, stderr=err)
        session.processes.append(program)
        desktop = pyatspi.Registry.getDesktop(0)

        def find_app():
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and any(n.name == TITLE for n in nodes(app)):
                    return app
            return None

        app = wait_for("the window \"%s\"" % TITLE, find_app)
        everything = list(nodes(app))
        switches = {int(n.name.split()[1]): n for n in everything
                    if n.getRoleName() == "check box" and n.name.startswith("Bit ")}
        if sorted(switches) != list(range(16)):
            fail("expected switches Bit 0 to Bit 15, found %s" % sorted(switches))
        import pyatspi as a
        names = ("Schalter in Zahl umwandeln", "Zahl in Schalter umwandeln")
        buttons = sorted((n for n in everything if n.getRoleName() == "push button"
                          and n.name in names),
                         key=lambda n: n.queryComponent().getExtents(a.DESKTOP_COORDS).x)
        if [n.name for n in buttons] != list(names):
            fail("expected the buttons %s from left to right, found %s"
                 % (names, [n.name for n in buttons]))
        spin = next(n for n in everything if n.getRoleName() == "spin button")
        fields = [n for n in everything if n.getRoleName() in ("text", "entry")
                  and n.getState().contains(a.STATE_READ_ONLY)]
        if len(fields) != 1:
            fail("expected one read-only field, found roles %s" % sorted(
                {(n.getRoleName(), n.name) for n in everything}))
        field = fields[0]
        check_accessible_names(app, everything)
        wid = wait_for("the window titled exactly \"%s\"" % TITLE,
                       lambda: managed_window(session, TITLE))
        check_frame(session, wid)

        # Switches 1 and 9 are bits 0 and 8; the left button shows their value, 257.
        click(session, switches[0])
        click(session, switches[8])
        wait_for("switches 1 and 9 to be ticked", lambda: checked_bits(switches) == [0, 8])
        click(session, buttons[0])
        wait_for("257 in the spin button after the left Umwandeln",
                 lambda: spin.queryValue().currentValue == 257)
        wait_for("two glyphs in the two-byte field",
                 lambda: field.queryText().getText(0, -1) == "\u263a\u263a")

        # 258 typed into the spin button; the right button sets bits 1 and 8.
        click(session, spin)
        xdotool(session, "key", "ctrl+a")
        xdotool(session, "type", "--delay", "50", "258")
        click(session, buttons[1])
        wait_for("switches 2 and 9 (bits 1 and 8) after the right Umwandeln",
                 lambda: checked_bits(switches) == [1, 8])
        wait_for("the glyphs of 02 01 in the two-byte field",
                 lambda: field.queryText().getText(0, -1) == "\u263b\u263a")

        subprocess.run(["wmctrl", "-c", TITLE], env=session.env, check=True)
        try:
            code = program.wait(15)
        except subprocess.TimeoutExpired:
            fail("the program did not end after the window manager's close request")
        if code != 0:
            fail("exit code %d, expected 0" % code)
        for name, path in (("standard output", out_path), ("standard error", err_path)):
            with open(path) as f:
                written = f.read()
            if written:
                fail("the program wrote to %s: %r" % (name, written[:500]))
        left = os.listdir(workdir)
        if left:
            fail("the program left files behind: %s" % left)
        print("desktop session: switches, both conversions and the close request behave")
        return 0
    finally:
        session.stop()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
