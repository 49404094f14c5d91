"""Real desktop sessions for the release checks, and the helpers that drive the program in them.

XSession is Xvfb with openbox; WaylandSession is weston's headless compositor. Both have a session
bus with the accessibility bus on it, where the program and the checks meet, and a private runtime
directory; everything is stopped and removed again on every way out. run() starts one session,
runs named groups of checks in it one after another and reports each by name.

A check that fails raises Failure; a group ends at its first failure and the next group runs."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SKIP = 77  # ctest's skip, where a server cannot start here
TITLE = "Tarvello 16bit"
AT_SPI_BUS = "/usr/libexec/at-spi-bus-launcher"


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def wait_for(what, probe, seconds=40.0):
    """probe()'s first true answer, asked every 0.1 s; a failure when none comes in time."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = probe()
        if result:
            return result
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def nodes(root):
    """The accessible node and all nodes below it."""
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def checked_bits(switches):
    import pyatspi
    return [bit for bit, node in switches.items()
            if node.getState().contains(pyatspi.STATE_CHECKED)]


class Controls:
    """The window's controls found by their accessible names: switches by bit, the two buttons,
    the spin button and the two-byte field."""

    LEFT, RIGHT = "Schalter in Zahl umwandeln", "Zahl in Schalter umwandeln"

    def __init__(self, app):
        import pyatspi
        self.everything = list(nodes(app))
        self.switches = {int(n.name.split()[1]): n for n in self.everything
                         if n.getRole() == pyatspi.ROLE_CHECK_BOX and n.name.startswith("Bit ")}
        if sorted(self.switches) != list(range(16)):
            fail("expected switches Bit 0 to Bit 15, found %s" % sorted(self.switches))
        named = {n.name: n for n in self.everything}
        for name in (self.LEFT, self.RIGHT, "Dezimalzahl", "Zwei-Byte-String"):
            if name not in named:
                fail("no control named %r; names: %s" % (name, sorted(named)))
        self.left, self.right = named[self.LEFT], named[self.RIGHT]
        self.spin, self.field = named["Dezimalzahl"], named["Zwei-Byte-String"]


def check_conversions(controls, press, enter):
    """Switches 1 and 9 (bits 0 and 8) ticked and the left button pressed show 257 and two
    glyphs; 258 entered and the right button pressed tick exactly bits 1 and 8 and show the
    glyphs of 02 01. press(node) and enter(spin, number) are the session's own ways of input."""
    c = controls
    press(c.switches[0])
    press(c.switches[8])
    wait_for("switches 1 and 9 (bits 0 and 8) to be ticked",
             lambda: checked_bits(c.switches) == [0, 8])
    press(c.left)
    wait_for("257 in the spin button after the left Umwandeln",
             lambda: c.spin.queryValue().currentValue == 257)
    wait_for("two glyphs in the two-byte field",
             lambda: c.field.queryText().getText(0, -1) == "\u263a\u263a")
    enter(c.spin, 258)
    press(c.right)
    wait_for("switches 2 and 9 (bits 1 and 8) after the right Umwandeln",
             lambda: checked_bits(c.switches) == [1, 8])
    wait_for("the glyphs of 02 01 in the two-byte field",
             lambda: c.field.queryText().getText(0, -1) == "\u263b\u263a")


class Program:
    """The program started in an empty working directory of its own, its standard output and
    standard error kept beside it; killed and removed on leaving the with block."""

    def __init__(self, session, executable, env):
        self.top = tempfile.mkdtemp(prefix="tarvello-run-")
        self.workdir = os.path.join(self.top, "work")
        os.mkdir(self.workdir)
        self.output = {name: os.path.join(self.top, name)
                       for name in ("standard output", "standard error")}
        with open(self.output["standard output"], "w") as out, \
                open(self.output["standard error"], "w") as err:
            self.process = subprocess.Popen([os.path.abspath(executable)], cwd=self.workdir,
                                            env=dict(session.env, **env), stdout=out,
                                            stderr=err)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.top, ignore_errors=True)

    def app(self, name=TITLE):
        """This process's accessible application, once a node named name shows in it."""
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)

        def probe():
            if self.process.poll() is not None:
                fail("the program ended with exit code %d before %r showed"
                     % (self.process.returncode, name))
            for i in range(desktop.childCount):
                try:
                    app = desktop.getChildAtIndex(i)
                    if app is not None and app.get_process_id() == self.process.pid \
                            and any(n.name == name for n in nodes(app)):
                        return app
                except Exception:  # an application that went away while it was asked
                    continue
            return None
        return wait_for("%r to show" % name, probe)

    def files(self):
        return sorted(os.listdir(self.workdir))

    def trace(self, calls):
        """strace attached to every thread of the program from now on, recording the system
        calls named (with the strings they carry) until the program ends; returns the file that
        will hold the record. Waits until the program is traced."""
        path = os.path.join(self.top, "trace")
        self.tracer = subprocess.Popen(
            ["strace", "-f", "-qq", "-s", "65536", "-e", "trace=" + calls, "-o", path,
             "-p", str(self.process.pid)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def traced():
            with open("/proc/%d/status" % self.process.pid) as status:
                return any(line.split() == ["TracerPid:", str(self.tracer.pid)]
                           for line in status)
        wait_for("strace attached to the program", traced)
        return path

    def traced_calls(self, path):
        """The calls the main thread made, in order, once the tracer has ended; a call that
        another thread's interrupted is joined up again."""
        self.tracer.wait(15)
        calls = []
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                thread, call = line.rstrip("\n").split(None, 1)
                if thread != str(self.process.pid):
                    continue
                if call.startswith("<... ") and calls and calls[-1].endswith(" <unfinished ...>"):
                    calls[-1] = (calls[-1][:-len(" <unfinished ...>")]
                                 + call.split(" resumed>", 1)[1])
                else:
                    calls.append(call)
        return calls

    def expect_end(self, code, after, seconds=15.0):
        """The program ends by itself within seconds of after, with exit code code."""
        try:
            status = self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            fail("the program did not end within %g s of %s" % (seconds, after))
        if status != code:
            fail("exit code %d after %s, expected %d; it wrote: %s"
                 % (status, after, code, self.written()))

    def written(self):
        """What the program wrote to standard output and standard error so far, shortened."""
        texts = []
        for name, path in self.output.items():
            with open(path, errors="replace") as f:
                texts.append("%s %r" % (name, f.read()[-2000:]))
        return ", ".join(texts)

    def expect_orderly_end(self, after, seconds=15.0):
        """Exit code 0, nothing written to standard output or standard error, no file left."""
        self.expect_end(0, after, seconds)
        for name, path in self.output.items():
            with open(path) as f:
                written = f.read()
            if written:
                fail("the program wrote to %s: %r" % (name, written[:500]))
        if self.files():
            fail("the program left files behind: %s" % self.files())


class Session:
    """A session bus with the accessibility bus, and a private runtime directory."""

    tools = ("dbus-launch", AT_SPI_BUS)
    platform = {}  # what the program is told about its platform

    def __init__(self):
        self.processes = []
        self.bus_pid = None
        self.runtime_dir = tempfile.mkdtemp(prefix="tarvello-xdg-")  # made 0700
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime_dir,
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", NO_AT_BRIDGE="0")
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"):
            self.env.pop(name, None)

    def missing_tool(self):
        return next((tool for tool in self.tools if shutil.which(tool) is None), None)

    def start_buses(self):
        """The session bus and the accessibility bus on it; this process's own accessibility
        client connects to them as soon as it is first imported."""
        bus = subprocess.run(["dbus-launch", "--sh-syntax"], env=self.env, capture_output=True,
                             text=True, check=True).stdout
        for line in bus.splitlines():
            if line.startswith("DBUS_SESSION_BUS_ADDRESS="):
                self.env["DBUS_SESSION_BUS_ADDRESS"] = line.split("=", 1)[1].strip("';")
            if line.startswith("DBUS_SESSION_BUS_PID="):
                self.bus_pid = int(line.split("=", 1)[1].strip(";"))
        self.spawn([AT_SPI_BUS, "--launch-immediately"])
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]

    def spawn(self, argv, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=self.env, **kwargs)
        self.processes.append(p)
        return p

    def program(self, executable, **env):
        return Program(self, executable, dict(self.platform, **env))

    def stop(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        if self.bus_pid:
            try:
                os.kill(self.bus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        shutil.rmtree(self.runtime_dir, ignore_errors=True)


class XSession(Session):
    """Xvfb and openbox; input is real mouse and keyboard input."""

    tools = ("Xvfb", "openbox", "wmctrl", "xdotool", "xprop", "xwininfo") + Session.tools

    def start(self):
        """None once the session is up, or why it cannot start here."""
        read_fd, write_fd = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp"], pass_fds=(write_fd,))
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            display = pipe.readline().strip()
        if not display:
            return "Xvfb could not start an X server here"
        self.env["DISPLAY"] = os.environ["DISPLAY"] = ":" + display
        self.start_buses()
        self.window_manager = self.spawn(["openbox", "--sm-disable"])
        wait_for("the window manager", self.window_manager_ready)
        return None

    def window_manager_ready(self):
        # Now and then the window manager ends at once on a fresh server, with exit code 1 and no
        # word; it is started again rather than waited for in vain.
        if self.window_manager.poll() is not None:
            self.window_manager = self.spawn(["openbox", "--sm-disable"])
            return False
        return subprocess.run(["wmctrl", "-m"], env=self.env, capture_output=True).returncode == 0

    def run(self, *argv):
        """A tool's standard output, run on this display."""
        return subprocess.run(argv, env=self.env, capture_output=True, text=True).stdout

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def click(self, node):
        """A real left click in the middle of the node."""
        import pyatspi
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.xdotool("mousemove", "--sync", str(box.x + box.width // 2),
                     str(box.y + box.height // 2))
        self.xdotool("click", "1")
        time.sleep(0.3)

    def type_number(self, spin, number):
        """The number typed over the spin button's text, as a person would."""
        self.click(spin)
        self.xdotool("key", "ctrl+a")
        self.xdotool("type", "--delay", "50", str(number))

    def windows_titled(self, title):
        """The client windows the window manager lists under exactly this _NET_WM_NAME."""
        listed = self.run("xprop", "-root", "_NET_CLIENT_LIST")
        ids = [w.strip() for w in listed.split("#", 1)[1].split(",")] if "#" in listed else []
        return [w for w in ids
                if self.run("xprop", "-id", w, "_NET_WM_NAME").split("=", 1)[-1].strip()
                == '"%s"' % title]

    def managed_window(self, title):
        return next(iter(self.windows_titled(title)), None)

    def close_request(self, title):
        """The window manager's close request, as its close button sends it."""
        subprocess.run(["wmctrl", "-c", title], env=self.env, check=True)


class WaylandSession(Session):
    """weston's headless compositor, with no X display; nothing there moves a pointer or closes
    a window, so input goes through accessibility actions."""

    tools = ("weston",) + Session.tools
    platform = {"QT_QPA_PLATFORM": "wayland"}

    def start(self):
        socket = "tarvello-%d" % os.getpid()
        log_path = os.path.join(self.runtime_dir, "weston.log")
        with open(log_path, "w") as log:
            weston = self.spawn(["weston", "--backend=headless-backend.so", "--socket=" + socket,
                                 "--idle-time=0"], stdout=log, stderr=log)
        deadline = time.monotonic() + 20
        while not os.path.exists(os.path.join(self.runtime_dir, socket)):
            if weston.poll() is not None or time.monotonic() > deadline:
                with open(log_path) as log:
                    return "weston's headless backend could not start here:\n" + log.read()[-800:]
            time.sleep(0.1)
        self.env["WAYLAND_DISPLAY"] = socket
        os.environ.pop("DISPLAY", None)
        self.start_buses()
        return None

    @staticmethod
    def act(node):
        """The node's toggle, press or click action, as a screen reader user runs it."""
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        for i, name in enumerate(names):
            if name.lower() in ("toggle", "press", "click"):
                if not action.doAction(i):
                    fail("the action %r of %r was refused" % (name, node.name))
                return
        fail("%r offers no toggle, press or click action, only %s" % (node.name, names))

    @staticmethod
    def set_number(spin, number):
        spin.queryValue().currentValue = number
        wait_for("%d in the spin button" % number, lambda: spin.queryValue().currentValue == number)


def run(session, groups):
    """Starts the session, runs each (name, check) of groups in it, and stops it again; the exit
    code for ctest: 0 when all passed, 1 when one failed, SKIP when the session cannot start."""
    missing = session.missing_tool()
    if missing:
        print("SKIP: %s is not installed, so the session cannot be started here" % missing)
        return SKIP
    try:
        try:
            why_not = session.start()
        except Failure as failure:
            print("FAIL  the session's start: %s" % failure)
            return 1
        if why_not:
            print("SKIP: " + why_not)
            return SKIP
        failed = 0
        for name, check in groups:
            try:
                check(session)
                print("ok    " + name)
            except Exception as failure:  # a tool that failed is the group's failure too
                print("FAIL  %s: %s" % (name, failure))
                failed += 1
        print("%d of %d passed" % (len(groups) - failed, len(groups)))
        return 1 if failed else 0
    finally:
        session.stop()
